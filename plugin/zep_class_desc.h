#pragma once
// The descriptor of the plug-in's one class, through which the host creates the plug-in object.

#include "iparamb2.h"

class ZEP_Rendering_2022ClassDesc : public ClassDesc2 {
public:
    int IsPublic() override;
    // A new plug-in object; a stale plug-in menu is removed first.
    void* Create(BOOL loading = FALSE) override;
    int BeginCreate(Interface* core) override;
    int EndCreate(Interface* core) override;
    BOOL OkToCreate(Interface* core) override;
    const MCHAR* ClassName() override;
    const MCHAR* NonLocalizedClassName() override;
    SClass_ID SuperClassID() override;
    Class_ID ClassID() override;
    const MCHAR* Category() override;
    HINSTANCE HInstance() override;
};

// The one descriptor, made on first use and kept until the module is unloaded.
ZEP_Rendering_2022ClassDesc& GetZepClassDesc();
