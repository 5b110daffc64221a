#pragma once
// Stand-in for the host's menu manager: menus registered by title, menu-bar contexts by id, and
// the main menu bar (context 1), which exists from the start and holds the host's own menus.

#include "iMenus.h"
#include "maxheap.h"
#include "platform/win/window_types.h"

using MenuContextId = int;

inline constexpr MenuContextId kMainMenuBar = 1;

enum MenuContextType { kMenuContextMenuBar = 0, kMenuContextQuadMenu };

class IMenuContext : public MaxHeapOperators {
public:
    virtual ~IMenuContext() = default;
    virtual MenuContextId GetId() = 0;
    virtual MenuContextType GetType() = 0;
    virtual MSTR& GetName() = 0;
};

class IMenuBarContext : public IMenuContext {
public:
    virtual void SetMenu(IMenu* menu) = 0;
    virtual IMenu* GetMenu() = 0;
};

class IMenuManager : public MaxHeapOperators {
public:
    virtual ~IMenuManager() = default;
    // False when the menu is registered already.
    virtual bool RegisterMenu(IMenu* menu, DWORD flags = 0) = 0;
    // Removes the menu from the manager, from every menu that opens it as a sub-menu and from
    // every context that shows it; false when it was not registered.
    virtual bool UnRegisterMenu(IMenu* menu) = 0;
    // The first registered menu with this title; null when there is none.
    virtual IMenu* FindMenu(const MCHAR* title) = 0;
    // True the first time a context id is registered, false afterwards (the context stays).
    virtual bool RegisterMenuBarContext(MenuContextId contextId, const MCHAR* name) = 0;
    // Null for an id nobody registered.
    virtual IMenuContext* GetContext(MenuContextId contextId) = 0;
    virtual void UpdateMenuBar() = 0;
    virtual IMenu* GetMainMenuBar() = 0;
    virtual void SetMainMenuBar(IMenu* menu) = 0;
    virtual int NumMenus() = 0;
    virtual IMenu* GetMenuAt(int index) = 0;
};
