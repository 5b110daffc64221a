#pragma once
// Stand-in for the host SDK's plug-in description: superclass identifiers and the class
// descriptor, which tells the host what a plug-in class is and creates its objects.

#include "maxheap.h"
#include "maxtypes.h"
#include "strbasic.h"

class ActionTable;
class Interface;

// The superclass of global utility plug-ins (the reference reachable here does not show the
// value).
inline constexpr SClass_ID GUP_CLASS_ID = 0x000010E0;

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
