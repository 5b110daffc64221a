// The simulated host's menus. Every menu and item comes from GetIMenu / GetIMenuItem and stays
// with the host until it is reset, so a pointer a plug-in kept never dangles. The main menu bar
// (context 1) starts with the host's own menus, whose items run the host's own commands.
#include <algorithm>
#include <memory>
#include <vector>

#include "actiontable.h"
#include "host/simulated_host.h"
#include "host_parts.h"
#include "iMenuMan.h"
#include "sdk_text.h"

namespace {

class SimulatedMenuItem : public IMenuItem {
public:
    void SetActionItem(ActionItem* actionItem) override {
        RecordHostCall("IMenuItem::SetActionItem");
        action_ = actionItem;
    }
    ActionItem* GetActionItem() const override {
        RecordHostCall("IMenuItem::GetActionItem");
        return action_;
    }
    void ActAsSeparator() override {
        RecordHostCall("IMenuItem::ActAsSeparator");
        separator_ = true;
    }
    bool IsSeparator() const override {
        RecordHostCall("IMenuItem::IsSeparator");
        return separator_;
    }
    void SetSubMenu(IMenu* menu) override {
        RecordHostCall("IMenuItem::SetSubMenu");
        subMenu_ = menu;
    }
    IMenu* GetSubMenu() override {
        RecordHostCall("IMenuItem::GetSubMenu");
        return subMenu_;
    }
    void SetTitle(const MCHAR* title) override {
        RecordHostCall("IMenuItem::SetTitle");
        title_ = title;
    }
    const MSTR& GetTitle() override {
        RecordHostCall("IMenuItem::GetTitle");
        return title_;
    }

private:
    ActionItem* action_ = nullptr;
    bool separator_ = false;
    IMenu* subMenu_ = nullptr;
    MSTR title_;
};

class SimulatedMenu : public IMenu {
public:
    void SetTitle(const MCHAR* title) override {
        RecordHostCall("IMenu::SetTitle");
        title_ = title;
    }
    const MSTR& GetTitle() override {
        RecordHostCall("IMenu::GetTitle");
        return title_;
    }
    int NumItems() const override {
        RecordHostCall("IMenu::NumItems");
        return static_cast<int>(items_.size());
    }
    IMenuItem* GetItem(int position) override {
        RecordHostCall("IMenu::GetItem");
        return position >= 0 && position < NumItems() ? items_[static_cast<size_t>(position)]
                                                      : nullptr;
    }
    void AddItem(IMenuItem* item, int position) override {
        RecordHostCall("IMenu::AddItem");
        if (item == nullptr) {
            return;
        }
        if (position < 0 || position >= NumItems()) {
            items_.push_back(item);
        } else {
            items_.insert(items_.begin() + position, item);
        }
    }
    void RemoveItem(int position) override {
        RecordHostCall("IMenu::RemoveItem");
        if (position >= 0 && position < NumItems()) {
            items_.erase(items_.begin() + position);
        }
    }
    void RemoveItem(IMenuItem* item) override {
        RecordHostCall("IMenu::RemoveItem");
        items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    }
    // Drops every item that opens `menu`.
    void RemoveSubMenu(IMenu* menu) {
        std::erase_if(items_, [menu](IMenuItem* item) { return item->GetSubMenu() == menu; });
    }

private:
    MSTR title_;
    std::vector<IMenuItem*> items_;
};

class MenuBarContext : public IMenuBarContext {
public:
    MenuBarContext(MenuContextId id, const MCHAR* name) : id_(id), name_(name) {}
    MenuContextId GetId() override {
        RecordHostCall("IMenuBarContext::GetId");
        return id_;
    }
    MenuContextType GetType() override {
        RecordHostCall("IMenuBarContext::GetType");
        return kMenuContextMenuBar;
    }
    MSTR& GetName() override {
        RecordHostCall("IMenuBarContext::GetName");
        return name_;
    }
    void SetMenu(IMenu* menu) override {
        RecordHostCall("IMenuBarContext::SetMenu");
        menu_ = menu;
    }
    IMenu* GetMenu() override {
        RecordHostCall("IMenuBarContext::GetMenu");
        return menu_;
    }

private:
    MenuContextId id_;
    MSTR name_;
    IMenu* menu_ = nullptr;
};

struct HostMenu {
    const MCHAR* title;
    std::vector<int> commands;  // 0 is a separator
};

const std::vector<HostMenu>& HostMenus() {
    static const std::vector<HostMenu> menus{
        {_M("File"), {40001, 40002, 40003, 40004, 0, 40005}},
        {_M("Edit"), {40011, 40012, 0, 40013}},
        {_M("Rendering"), {40021, 40022}},
        {_M("Help"), {40031, 0, 40032}},
    };
    return menus;
}

class SimulatedMenuManager : public IMenuManager {
public:
    SimulatedMenuManager() { Reset(); }

    bool RegisterMenu(IMenu* menu, DWORD /*flags*/) override {
        RecordHostCall("IMenuManager::RegisterMenu");
        if (menu == nullptr || IsRegistered(menu)) {
            return false;
        }
        registered_.push_back(menu);
        return true;
    }
    bool UnRegisterMenu(IMenu* menu) override {
        RecordHostCall("IMenuManager::UnRegisterMenu");
        if (menu == nullptr || !IsRegistered(menu)) {
            return false;
        }
        std::erase(registered_, menu);
        for (const auto& each : menus_) {
            each->RemoveSubMenu(menu);
        }
        for (const auto& context : contexts_) {
            if (context->GetMenu() == menu) {
                context->SetMenu(nullptr);
            }
        }
        return true;
    }
    IMenu* FindMenu(const MCHAR* title) override {
        RecordHostCall("IMenuManager::FindMenu");
        if (title == nullptr || *title == 0) {
            return nullptr;
        }
        for (IMenu* menu : registered_) {
            if (menu->GetTitle() == title) {
                return menu;
            }
        }
        return nullptr;
    }
    bool RegisterMenuBarContext(MenuContextId contextId, const MCHAR* name) override {
        RecordHostCall("IMenuManager::RegisterMenuBarContext");
        if (GetContext(contextId) != nullptr) {
            return false;
        }
        contexts_.push_back(std::make_unique<MenuBarContext>(contextId, name));
        return true;
    }
    IMenuContext* GetContext(MenuContextId contextId) override {
        RecordHostCall("IMenuManager::GetContext");
        for (const auto& context : contexts_) {
            if (context->GetId() == contextId) {
                return context.get();
            }
        }
        return nullptr;
    }
    void UpdateMenuBar() override { RecordHostCall("IMenuManager::UpdateMenuBar"); }
    IMenu* GetMainMenuBar() override {
        RecordHostCall("IMenuManager::GetMainMenuBar");
        return MainBarContext().GetMenu();
    }
    void SetMainMenuBar(IMenu* menu) override {
        RecordHostCall("IMenuManager::SetMainMenuBar");
        MainBarContext().SetMenu(menu);
    }
    int NumMenus() override {
        RecordHostCall("IMenuManager::NumMenus");
        return static_cast<int>(registered_.size());
    }
    IMenu* GetMenuAt(int index) override {
        RecordHostCall("IMenuManager::GetMenuAt");
        return index >= 0 && index < NumMenus() ? registered_[static_cast<size_t>(index)] : nullptr;
    }

    SimulatedMenu* NewMenu() { return menus_.emplace_back(new SimulatedMenu).get(); }
    SimulatedMenuItem* NewItem() { return items_.emplace_back(new SimulatedMenuItem).get(); }

    void Reset() {
        HostInternalScope internal;
        registered_.clear();
        contexts_.clear();
        items_.clear();
        menus_.clear();
        IMenu* bar = NewMenu();
        bar->SetTitle(_M("Main Menu Bar"));
        RegisterMenu(bar, 0);
        RegisterMenuBarContext(kMainMenuBar, _M("Main Menu Bar"));
        MainBarContext().SetMenu(bar);
        ActionTable* hostTable = HostActionManager().FindTable(0);
        for (const HostMenu& host : HostMenus()) {
            IMenu* menu = NewMenu();
            menu->SetTitle(host.title);
            for (int command : host.commands) {
                IMenuItem* item = NewItem();
                if (command == 0) {
                    item->ActAsSeparator();
                } else if (hostTable != nullptr) {
                    item->SetActionItem(hostTable->GetAction(command));
                }
                menu->AddItem(item, -1);
            }
            RegisterMenu(menu, 0);
            IMenuItem* opener = NewItem();
            opener->SetSubMenu(menu);
            bar->AddItem(opener, -1);
        }
    }

private:
    bool IsRegistered(IMenu* menu) const {
        return std::find(registered_.begin(), registered_.end(), menu) != registered_.end();
    }
    MenuBarContext& MainBarContext() {
        return *static_cast<MenuBarContext*>(GetContext(kMainMenuBar));
    }

    std::vector<std::unique_ptr<SimulatedMenu>> menus_;
    std::vector<std::unique_ptr<SimulatedMenuItem>> items_;
    std::vector<IMenu*> registered_;
    std::vector<std::unique_ptr<MenuBarContext>> contexts_;
};

SimulatedMenuManager& Manager() {
    static SimulatedMenuManager* manager = new SimulatedMenuManager;
    return *manager;
}

// Deep enough for any real menu; a menu that opens itself stops there.
constexpr int kMaxMenuDepth = 8;

maxsim::MenuEntry Entry(IMenuItem& item, int depth) {
    maxsim::MenuEntry entry;
    if (item.IsSeparator()) {
        entry.kind = maxsim::MenuEntry::Kind::Separator;
    } else if (IMenu* menu = item.GetSubMenu(); menu != nullptr) {
        entry.kind = maxsim::MenuEntry::Kind::SubMenu;
        entry.text = FromSdkText(menu->GetTitle().data());
        for (int position = 0; depth < kMaxMenuDepth && position < menu->NumItems(); ++position) {
            entry.entries.push_back(Entry(*menu->GetItem(position), depth + 1));
        }
    } else if (ActionItem* action = item.GetActionItem(); action != nullptr) {
        entry.command = action->GetId();
        MSTR text;
        action->GetMenuText(text);
        entry.text = FromSdkText(text.data());
    } else {
        entry.text = FromSdkText(item.GetTitle().data());
    }
    return entry;
}

}  // namespace

IMenu* GetIMenu() {
    RecordHostCall("GetIMenu");
    return Manager().NewMenu();
}

IMenuItem* GetIMenuItem() {
    RecordHostCall("GetIMenuItem");
    return Manager().NewItem();
}

IMenuManager& HostMenuManager() {
    return Manager();
}

void ResetMenus() {
    Manager().Reset();
}

namespace maxsim {

std::vector<MenuEntry> MainMenuBar() {
    HostInternalScope internal;
    std::vector<MenuEntry> entries;
    IMenu* bar = Manager().GetMainMenuBar();
    for (int position = 0; bar != nullptr && position < bar->NumItems(); ++position) {
        entries.push_back(Entry(*bar->GetItem(position), 0));
    }
    return entries;
}

}  // namespace maxsim
