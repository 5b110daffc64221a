// The host's action table: commands from static descriptions, their texts from the string
// table of the module the table was made with, and one item per command that runs it through
// the table's callback.
#include "actiontable.h"
#include "host_parts.h"
#include "module_strings.h"
#include "sdk_text.h"

namespace {

// A command of a table as menus show and run it. Its texts are the table's, so a table that
// overrides a text is shown with its own.
class TableItem : public ActionItem {
public:
    TableItem(ActionTable& table, int id) : table_(table), id_(id) {}

    int GetId() override { return id_; }
    BOOL ExecuteAction() override {
        ActionCallback* callback = table_.GetCallback();
        return callback != nullptr ? callback->ExecuteAction(id_) : FALSE;
    }
    void GetButtonText(MSTR& buttonText) override { table_.GetButtonText(id_, buttonText); }
    void GetMenuText(MSTR& menuText) override { table_.GetMenuText(id_, menuText); }
    void GetDescriptionText(MSTR& descriptionText) override {
        table_.GetDescriptionText(id_, descriptionText);
    }
    void GetCategoryText(MSTR& categoryText) override { table_.GetCategoryText(id_, categoryText); }
    BOOL IsChecked() override { return table_.IsChecked(id_); }
    BOOL IsItemVisible() override { return table_.IsItemVisible(id_); }
    BOOL IsEnabled() override { return table_.IsEnabled(id_); }
    ActionTable* GetTable() override { return &table_; }

private:
    ActionTable& table_;
    int id_;
};

}  // namespace

ActionTable::ActionTable(ActionTableId id, ActionContextId contextId, const MSTR& name,
                         HACCEL /*accelerators*/, int count, ActionDescription* descriptions,
                         HINSTANCE module)
    : id_(id), contextId_(contextId), name_(name), module_(module) {
    RecordHostCall("ActionTable::ActionTable");
    for (int index = 0; descriptions != nullptr && index < count; ++index) {
        const ActionDescription& description = descriptions[index];
        commands_.push_back(
            Command{description, std::make_unique<TableItem>(*this, description.mCmdID)});
    }
}

ActionTable::~ActionTable() = default;

ActionItem* ActionTable::operator[](int index) {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return commands_[static_cast<size_t>(index)].item.get();
}

ActionItem* ActionTable::GetAction(int cmdId) {
    RecordHostCall("ActionTable::GetAction");
    const Command* command = Find(cmdId);
    return command != nullptr ? command->item.get() : nullptr;
}

BOOL ActionTable::GetButtonText(int cmdId, MSTR& buttonText) {
    const Command* command = Find(cmdId);
    buttonText = MSTR();
    return command != nullptr ? LoadText(command->description.mShortNameResourceID, buttonText)
                              : FALSE;
}

BOOL ActionTable::GetMenuText(int cmdId, MSTR& menuText) {
    const Command* command = Find(cmdId);
    menuText = MSTR();
    return command != nullptr ? LoadText(command->description.mShortNameResourceID, menuText)
                              : FALSE;
}

void ActionTable::GetDescriptionText(int cmdId, MSTR& descriptionText) {
    const Command* command = Find(cmdId);
    descriptionText = MSTR();
    if (command != nullptr) {
        LoadText(command->description.mDescriptionResourceID, descriptionText);
    }
}

void ActionTable::GetCategoryText(int cmdId, MSTR& categoryText) {
    const Command* command = Find(cmdId);
    categoryText = MSTR();
    if (command != nullptr) {
        LoadText(command->description.mCategoryResourceID, categoryText);
    }
}

BOOL ActionTable::IsChecked(int /*cmdId*/) {
    return FALSE;
}

BOOL ActionTable::IsItemVisible(int /*cmdId*/) {
    return TRUE;
}

BOOL ActionTable::IsEnabled(int /*cmdId*/) {
    return TRUE;
}

const ActionTable::Command* ActionTable::Find(int cmdId) const {
    for (const Command& command : commands_) {
        if (command.description.mCmdID == cmdId) {
            return &command;
        }
    }
    return nullptr;
}

namespace maxsim {

std::u16string ModuleText(HINSTANCE module, int id) {
    std::u16string text;
    return LoadModuleString(module, id, text) ? text : std::u16string();
}

}  // namespace maxsim

BOOL ActionTable::LoadText(int resourceId, MSTR& text) const {
    std::u16string loaded;
    if (!LoadModuleString(module_, resourceId, loaded)) {
        return FALSE;
    }
    text = SdkText(loaded);
    return TRUE;
}
