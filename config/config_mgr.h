#pragma once

#include "log/pmx_noncopyable.h"

// The one object through which the plug-in opens its dialogs and which they receive as their
// creation parameter. It carries no data.
class ZEPRenderingConfigMgr : private pmx_Noncopyable {
public:
    virtual ~ZEPRenderingConfigMgr();
};

// The instance, made on first use and kept until the module is unloaded.
ZEPRenderingConfigMgr& GetZEPRenderingConfigMgr();
