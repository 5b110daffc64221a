#include "plugin/zep_action_table.h"

#include <iterator>

#include "config/config_mgr.h"
#include "log/guarded_call.h"
#include "plugin/plugin_ids.h"
#include "resources/message_box.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "workflow/host_text.h"
#include "workflow/main_dialog.h"

namespace {

// Command, description, short name, category.
ActionDescription g_descriptions[] = {
    {kAboutCommand, IDS_ABOUT_COMMAND, IDS_ABOUT_COMMAND, IDS_ABOUT_COMMAND},
    {kSubmitCommand, IDS_SUBMIT_COMMAND, IDS_SUBMIT_COMMAND, IDS_SUBMIT_COMMAND},
};

void ShowInformationBox() {
    PluginMessageBox(nullptr, ResourceText(IDS_ABOUT_TEXT), ResourceText(IDS_ABOUT_CAPTION),
                     win::kMbOk, ResourceText(IDS_LANGUAGE_MARKER));
}

}  // namespace

ZEP_ActionTable::ZEP_ActionTable(HINSTANCE module)
    : ActionTable(kZepActionTableId, kZepActionContextId,
                  MSTR(ToHostText(LoadResourceString(IDS_SUBMIT_COMMAND))), nullptr,
                  static_cast<int>(std::size(g_descriptions)), g_descriptions, module) {}

ZEP_ActionTable::~ZEP_ActionTable() = default;

BOOL ZEP_ActionTable::GetMenuText(int cmdId, MSTR& menuText) {
    return GuardedCall("ZEP_ActionTable::GetMenuText", BOOL{FALSE}, [&] {
        if (cmdId == kSubmitCommand) {
            menuText = ToHostText(LoadResourceString(IDS_SUBMIT_COMMAND));
            return BOOL{TRUE};
        }
        if (cmdId == kAboutCommand) {
            menuText = ToHostText(LoadResourceString(IDS_ABOUT_COMMAND));
            return BOOL{TRUE};
        }
        return ActionTable::GetMenuText(cmdId, menuText);
    });
}

ZEP_ActionCallback::~ZEP_ActionCallback() = default;

BOOL ZEP_ActionCallback::ExecuteAction(int id) {
    return GuardedCall("ZEP_ActionCallback::ExecuteAction", BOOL{FALSE}, [id] {
        if (id == kSubmitCommand) {
            ShowMainDialog(GetZEPRenderingConfigMgr());
        } else if (id == kAboutCommand) {
            ShowInformationBox();
        }
        return BOOL{TRUE};
    });
}
