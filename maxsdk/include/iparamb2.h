#pragma once
// Stand-in for the host's class descriptors: what the host asks a plug-in class.

#include "maxapi.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "strclass.h"

class ClassDesc : public MaxHeapOperators {
public:
    virtual ~ClassDesc() = default;
    virtual int IsPublic() = 0;
    virtual void* Create(BOOL loading = FALSE) = 0;
    virtual int BeginCreate(Interface* /*core*/) { return 0; }
    virtual int EndCreate(Interface* /*core*/) { return 0; }
    virtual const MCHAR* ClassName() = 0;
    virtual const MCHAR* NonLocalizedClassName() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() = 0;
    virtual const MCHAR* Category() = 0;
    virtual BOOL OkToCreate(Interface* /*core*/) { return TRUE; }
    virtual HINSTANCE HInstance() { return nullptr; }
    virtual const MCHAR* InternalName() { return nullptr; }
};

class ClassDesc2 : public ClassDesc {};
