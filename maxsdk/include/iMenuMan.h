#pragma once
// Stand-in for the host's menu manager: menus registered by title, menu-bar contexts, and the
// main menu bar (context 1).

#include "iMenus.h"
#include "maxtypes.h"

inline constexpr MenuContextId kMainMenuBar = 1;

class IMenuContext : public MaxHeapOperators {
public:
    virtual ~IMenuContext() = default;
    virtual MenuContextId GetId() = 0;
};

class IMenuBarContext : public IMenuContext {
public:
    virtual void SetMenu(IMenu* menu) = 0;
    virtual IMenu* GetMenu() = 0;
};

class IMenuManager : public MaxHeapOperators {
public:
    virtual ~IMenuManager() = default;
    virtual BOOL RegisterMenu(IMenu* menu, DWORD flags = 0) = 0;
    virtual BOOL UnRegisterMenu(IMenu* menu) = 0;
    virtual IMenu* FindMenu(const MCHAR* title) = 0;
    virtual BOOL RegisterMenuBarContext(MenuContextId id, const MCHAR* name) = 0;
    virtual IMenuContext* GetContext(MenuContextId id) = 0;
    virtual void UpdateMenuBar() = 0;
    virtual IMenu* GetMainMenuBar() = 0;
};
