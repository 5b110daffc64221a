// The simulated host's action manager. It owns every table and callback handed to it (a
// callback replaced by a later activation is kept until the host is reset), and starts with the
// host's own table, whose commands the host's menus show.
#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "actiontable.h"
#include "host_parts.h"

namespace {

constexpr ActionTableId kHostTableId = 0;
constexpr ActionContextId kHostContextId = 0;

struct HostCommand {
    int id;
    const MCHAR* text;
};

// The host's own commands; their ids match the host menus of menu_manager.cpp.
constexpr HostCommand kHostCommands[] = {
    {40001, _M("New")},
    {40002, _M("Open...")},
    {40003, _M("Save")},
    {40004, _M("Save As...")},
    {40005, _M("Exit")},
    {40011, _M("Undo")},
    {40012, _M("Redo")},
    {40013, _M("Select All")},
    {40021, _M("Render Setup...")},
    {40022, _M("Rendered Frame Window...")},
    {40031, _M("3ds Max Help")},
    {40032, _M("About 3ds Max")},
};

std::vector<ActionDescription> HostDescriptions() {
    std::vector<ActionDescription> descriptions;
    for (const HostCommand& command : kHostCommands) {
        descriptions.push_back(ActionDescription{command.id, 0, 0, 0});
    }
    return descriptions;
}

const MCHAR* HostText(int cmdId) {
    for (const HostCommand& command : kHostCommands) {
        if (command.id == cmdId) {
            return command.text;
        }
    }
    return nullptr;
}

// The host's texts are its own, not a module's.
class HostTable : public ActionTable {
public:
    explicit HostTable(std::vector<ActionDescription> descriptions)
        : ActionTable(kHostTableId, kHostContextId, MSTR(_M("Main UI")), nullptr,
                      static_cast<int>(descriptions.size()), descriptions.data(), nullptr) {}

    BOOL GetButtonText(int cmdId, MSTR& buttonText) override { return Text(cmdId, buttonText); }
    BOOL GetMenuText(int cmdId, MSTR& menuText) override { return Text(cmdId, menuText); }
    void GetDescriptionText(int cmdId, MSTR& descriptionText) override {
        Text(cmdId, descriptionText);
    }

private:
    static BOOL Text(int cmdId, MSTR& text) {
        const MCHAR* found = HostText(cmdId);
        text = found != nullptr ? found : _M("");
        return found != nullptr ? TRUE : FALSE;
    }
};

// The host's commands do nothing in the simulation.
class HostCallback : public ActionCallback {
public:
    BOOL ExecuteAction(int /*id*/) override { return TRUE; }
};

class SimulatedActionManager : public IActionManager {
public:
    SimulatedActionManager() { Reset(); }

    void RegisterActionTable(ActionTable* table) override {
        RecordHostCall("IActionManager::RegisterActionTable");
        if (table != nullptr && std::find(tables_.begin(), tables_.end(), table) == tables_.end()) {
            tables_.push_back(table);
        }
    }
    int NumActionTables() override {
        RecordHostCall("IActionManager::NumActionTables");
        return static_cast<int>(tables_.size());
    }
    ActionTable* GetTable(int index) override {
        RecordHostCall("IActionManager::GetTable");
        return index >= 0 && index < NumActionTables() ? tables_[static_cast<size_t>(index)]
                                                       : nullptr;
    }
    int ActivateActionTable(ActionCallback* callback, ActionTableId id) override {
        RecordHostCall("IActionManager::ActivateActionTable");
        ActionTable* table = FindTable(id);
        if (table == nullptr || callback == nullptr) {
            return FALSE;
        }
        Own(callback);
        table->SetCallback(callback);
        return TRUE;
    }
    int DeactivateActionTable(ActionCallback* callback, ActionTableId id) override {
        RecordHostCall("IActionManager::DeactivateActionTable");
        ActionTable* table = FindTable(id);
        if (table == nullptr || table->GetCallback() != callback) {
            return FALSE;
        }
        table->SetCallback(nullptr);
        return TRUE;
    }
    ActionTable* FindTable(ActionTableId id) override {
        RecordHostCall("IActionManager::FindTable");
        for (ActionTable* table : tables_) {
            if (table->GetId() == id) {
                return table;
            }
        }
        return nullptr;
    }
    BOOL RegisterActionContext(ActionContextId contextId, const MCHAR* name) override {
        RecordHostCall("IActionManager::RegisterActionContext");
        if (FindContext(contextId) != nullptr) {
            return FALSE;
        }
        contexts_.push_back(std::make_unique<ActionContext>(contextId, name));
        return TRUE;
    }
    int NumActionContexts() override {
        RecordHostCall("IActionManager::NumActionContexts");
        return static_cast<int>(contexts_.size());
    }
    ActionContext* FindContext(ActionContextId contextId) override {
        RecordHostCall("IActionManager::FindContext");
        for (const auto& context : contexts_) {
            if (context->GetContextId() == contextId) {
                return context.get();
            }
        }
        return nullptr;
    }

    void Reset() {
        HostInternalScope internal;
        for (ActionTable* table : tables_) {
            delete table;
        }
        for (ActionCallback* callback : callbacks_) {
            delete callback;
        }
        tables_.clear();
        callbacks_.clear();
        contexts_.clear();
        RegisterActionContext(kHostContextId, _M("Main UI"));
        RegisterActionTable(new HostTable(HostDescriptions()));
        ActivateActionTable(new HostCallback, kHostTableId);
    }

private:
    void Own(ActionCallback* callback) {
        if (std::find(callbacks_.begin(), callbacks_.end(), callback) == callbacks_.end()) {
            callbacks_.push_back(callback);
        }
    }

    std::vector<ActionTable*> tables_;
    std::vector<ActionCallback*> callbacks_;
    std::vector<std::unique_ptr<ActionContext>> contexts_;
};

SimulatedActionManager& Manager() {
    static SimulatedActionManager* manager = new SimulatedActionManager;
    return *manager;
}

}  // namespace

IActionManager& HostActionManager() {
    return Manager();
}

void ResetActions() {
    Manager().Reset();
}
