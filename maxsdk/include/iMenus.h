#pragma once
// Stand-in for the host's menus: a menu holds items; an item runs an action, is a separator or
// opens a sub-menu. New objects come from GetIMenu and GetIMenuItem and belong to the host from
// the start: it frees them when it shuts down (or, simulated, when it is reset).

#include "maxheap.h"
#include "strclass.h"

class ActionItem;
class IMenu;

class IMenuItem : public MaxHeapOperators {
public:
    virtual ~IMenuItem() = default;
    virtual void SetActionItem(ActionItem* actionItem) = 0;
    virtual ActionItem* GetActionItem() const = 0;
    virtual void ActAsSeparator() = 0;
    virtual bool IsSeparator() const = 0;
    virtual void SetSubMenu(IMenu* menu) = 0;
    virtual IMenu* GetSubMenu() = 0;
    virtual void SetTitle(const MCHAR* title) = 0;
    virtual const MSTR& GetTitle() = 0;
};

class IMenu : public MaxHeapOperators {
public:
    virtual ~IMenu() = default;
    virtual void SetTitle(const MCHAR* title) = 0;
    virtual const MSTR& GetTitle() = 0;
    virtual int NumItems() const = 0;
    // Null outside 0 .. NumItems() - 1.
    virtual IMenuItem* GetItem(int position) = 0;
    // Position -1 (or past the end) appends.
    virtual void AddItem(IMenuItem* item, int position = -1) = 0;
    virtual void RemoveItem(int position) = 0;
    virtual void RemoveItem(IMenuItem* item) = 0;
};

// The reference shows neither declaration; they are as the plug-in calls them.
IMenu* GetIMenu();
IMenuItem* GetIMenuItem();
