#pragma once
// Stand-in for the host's core interface: its main window, the open scene's file, saving it,
// and the action and menu managers.

#include "GetCOREInterface.h"
#include "maxheap.h"
#include "platform/win/window_types.h"
#include "strclass.h"

class IActionManager;
class IMenuManager;

// Of this long class the reference pages reachable here show too little to confirm the exact
// forms of these members.
class Interface : public MaxHeapOperators {
public:
    virtual ~Interface() = default;
    virtual HWND GetMAXHWnd() const = 0;
    // The open scene's file name ("shot1.max") and full path; empty for an unsaved scene.
    virtual MSTR& GetCurFileName() = 0;
    virtual MSTR& GetCurFilePath() = 0;
    // Saves the scene to `fileName`, which becomes the open scene's file; non-zero when the file
    // was written.
    virtual int SaveToFile(const MCHAR* fileName, BOOL clearNeedSaveFlag = TRUE,
                           BOOL useNewFile = TRUE) = 0;
    virtual IActionManager* GetActionManager() = 0;
    virtual IMenuManager* GetMenuManager() = 0;
};
