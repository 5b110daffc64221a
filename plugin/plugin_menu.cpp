#include "plugin/plugin_menu.h"

#include <actiontable.h>
#include <iMenuMan.h>
#include <iMenus.h>
#include <maxapi.h>

#include "plugin/plugin_ids.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "workflow/host_text.h"

namespace {

IMenuManager* HostMenuManager() {
    Interface* core = GetCOREInterface();
    return core != nullptr ? core->GetMenuManager() : nullptr;
}

IMenuBarContext* PluginMenuContext(IMenuManager& menuManager) {
    return static_cast<IMenuBarContext*>(menuManager.GetContext(kZepMenuContextId));
}

void AddActionItem(IMenu& menu, ActionTable& table, int command) {
    IMenuItem* item = GetIMenuItem();
    if (item == nullptr) {
        return;
    }
    item->SetActionItem(table.GetAction(command));
    menu.AddItem(item, -1);
}

void AddSeparator(IMenu& menu) {
    IMenuItem* item = GetIMenuItem();
    if (item == nullptr) {
        return;
    }
    item->ActAsSeparator();
    menu.AddItem(item, -1);
}

void AddPluginEntries(IMenu& menu, ActionTable& table) {
    AddActionItem(menu, table, kSubmitCommand);
    AddSeparator(menu);
    AddActionItem(menu, table, kAboutCommand);
}

void RemoveAllItems(IMenu& menu) {
    while (menu.NumItems() > 0) {
        menu.RemoveItem(0);
    }
}

}  // namespace

void RemoveMenuByTitle(std::u16string title) {
    IMenuManager* menuManager = HostMenuManager();
    IMenu* menu = menuManager != nullptr ? menuManager->FindMenu(ToHostText(title)) : nullptr;
    if (menu == nullptr) {
        return;
    }
    RemoveAllItems(*menu);
    if (IMenuBarContext* context = PluginMenuContext(*menuManager); context != nullptr) {
        context->SetMenu(nullptr);
        menuManager->UnRegisterMenu(menu);
        menuManager->UpdateMenuBar();
    }
}

void FillPluginMenu(IMenuManager* menuManager, IMenu* menu, ActionTable* table) {
    if (menuManager == nullptr || menu == nullptr || table == nullptr) {
        return;
    }
    AddPluginEntries(*menu, *table);
    menuManager->UpdateMenuBar();
}

void BuildPluginMenu(IMenuManager* menuManager, IMenu* mainMenu, ActionTable* table) {
    if (menuManager == nullptr || mainMenu == nullptr || table == nullptr) {
        return;
    }
    IMenu* menu = GetIMenu();
    if (menu == nullptr) {
        return;
    }
    menu->SetTitle(ToHostText(LoadResourceString(IDS_MENU_TITLE)));
    menuManager->RegisterMenu(menu, 0);
    IMenuManager* hostMenus = HostMenuManager();
    IMenuBarContext* context = hostMenus != nullptr ? PluginMenuContext(*hostMenus) : nullptr;
    if (context == nullptr) {
        return;
    }
    context->SetMenu(menu);
    AddPluginEntries(*menu, *table);
    IMenuItem* opener = GetIMenuItem();
    if (opener != nullptr) {
        opener->SetSubMenu(menu);
        mainMenu->AddItem(opener, -1);
    }
    menuManager->UpdateMenuBar();
}

void RebuildPluginMenu(IMenuManager* menuManager, IMenu* mainMenu, ActionTable* table) {
    if (menuManager == nullptr) {
        return;
    }
    IMenu* existing = menuManager->FindMenu(ToHostText(LoadResourceString(IDS_MENU_TITLE)));
    if (existing != nullptr) {
        RemoveAllItems(*existing);
        FillPluginMenu(menuManager, existing, table);
    } else {
        BuildPluginMenu(menuManager, mainMenu, table);
    }
}
