#pragma once
// Stand-in for the host's class descriptors: what the host asks a plug-in class about itself,
// with the answers every descriptor gives unless it says otherwise.

#include "maxapi.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "strclass.h"

class ActionTable;

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
    virtual BOOL HasClassParams() { return FALSE; }
    // Action tables the class publishes through its descriptor (none by default).
    virtual int NumActionTables() { return 0; }
    virtual ActionTable* GetActionTable(int /*index*/) { return nullptr; }
    virtual BOOL IsManipulator() { return FALSE; }
    virtual const MCHAR* InternalName() { return nullptr; }
    virtual HINSTANCE HInstance() { return nullptr; }
};

// The descriptor of classes with parameter blocks; the plug-in's class has none.
class ClassDesc2 : public ClassDesc {
public:
    virtual int NumParamBlockDescs() { return 0; }
};
