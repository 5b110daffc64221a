#include "plugin/zep_rendering.h"

#include <new>

#include <actiontable.h>
#include <iMenuMan.h>
#include <iMenus.h>
#include <maxapi.h>
#include <notify.h>

#include "log/guarded_call.h"
#include "plugin/plugin_ids.h"
#include "plugin/plugin_menu.h"
#include "plugin/zep_action_table.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "workflow/host_text.h"

namespace {

IMenu* MainMenuBarMenu(IMenuManager* menuManager) {
    auto* bar = menuManager != nullptr
                    ? static_cast<IMenuBarContext*>(menuManager->GetContext(kMainMenuBar))
                    : nullptr;
    return bar != nullptr ? bar->GetMenu() : nullptr;
}

// Hands a new table and its callback to the action manager; the manager owns both from then.
void RegisterActions(Interface& core) {
    auto* table = new (std::nothrow) ZEP_ActionTable(static_cast<HINSTANCE>(ResourceModule()));
    if (table == nullptr) {
        return;
    }
    IActionManager* actions = core.GetActionManager();
    if (actions == nullptr) {
        delete table;
        return;
    }
    actions->RegisterActionContext(kZepActionContextId, kZepActionContextName);
    actions->RegisterActionTable(table);
    actions->ActivateActionTable(new ZEP_ActionCallback, kZepActionTableId);
}

}  // namespace

ZEP_Rendering_2022::~ZEP_Rendering_2022() = default;

// A failure leaves the host's start-up going on without the plug-in's menu: the plug-in is kept.
DWORD ZEP_Rendering_2022::Start() {
    GuardedCall("ZEP_Rendering_2022::Start", [this] {
        RegisterNotification(OnSystemStartup, this, NOTIFY_SYSTEM_STARTUP);
        RemoveMenuByTitle(ResourceText(IDS_MENU_TITLE));
        RemoveMenuByTitle(u"Norvale");
        RemoveMenuByTitle(u"ZEPCloud");
        RemoveMenuByTitle(ResourceText(IDS_OLD_MENU_TITLE));

        Interface* core = GetCOREInterface();
        IMenuManager* menuManager = core != nullptr ? core->GetMenuManager() : nullptr;
        IMenu* mainMenu = MainMenuBarMenu(menuManager);
        if (core != nullptr) {
            RegisterActions(*core);
        }
        IActionManager* actions = core != nullptr ? core->GetActionManager() : nullptr;
        ActionTable* table = actions != nullptr ? actions->FindTable(kZepActionTableId) : nullptr;
        if (table != nullptr) {
            // A second callback replaces the first one the table was activated with.
            actions->ActivateActionTable(new ZEP_ActionCallback, kZepActionTableId);
        }
        if (menuManager != nullptr) {
            menuManager->RegisterMenuBarContext(kZepMenuContextId,
                                                ToHostText(ResourceText(IDS_MENU_TITLE)));
            RebuildPluginMenu(menuManager, mainMenu, table);
        }
    });
    return 0;
}

void ZEP_Rendering_2022::Stop() {
    GuardedCall("ZEP_Rendering_2022::Stop", [this] {
        UnRegisterNotification(OnSystemStartup, this, NOTIFY_SYSTEM_STARTUP);
        RemoveMenuByTitle(ResourceText(IDS_MENU_TITLE));
    });
}

void ZEP_Rendering_2022::DeleteThis() {
    delete this;
}

void OnSystemStartup(void* /*param*/, NotifyInfo* /*info*/) {
    GuardedCall("OnSystemStartup", [] {
        Interface* core = GetCOREInterface();
        IMenuManager* menuManager = core != nullptr ? core->GetMenuManager() : nullptr;
        IMenu* mainMenu = MainMenuBarMenu(menuManager);
        IActionManager* actions = core != nullptr ? core->GetActionManager() : nullptr;
        ActionTable* table = actions != nullptr ? actions->FindTable(kZepActionTableId) : nullptr;
        if (mainMenu == nullptr || table == nullptr) {
            return;
        }
        menuManager->RegisterMenuBarContext(kZepMenuContextId,
                                            ToHostText(ResourceText(IDS_MENU_TITLE)));
        RebuildPluginMenu(menuManager, mainMenu, table);
    });
}
