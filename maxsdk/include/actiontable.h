#pragma once
// Stand-in for the host's action system: tables of commands with their texts, callbacks that
// carry them out, and the manager that holds both.

#include <memory>
#include <vector>

#include "maxheap.h"
#include "maxtypes.h"
#include "strclass.h"

class IMenu;
struct IPoint2 {
    int x = 0;
    int y = 0;
};

struct ActionDescription {
    int mCmdID;
    int mDescriptionResourceID;
    int mShortNameResourceID;
    int mCategoryResourceID;
};

class ActionTable;

// One command of a table, as a menu item shows and runs it.
class ActionItem : public MaxHeapOperators {
public:
    virtual ~ActionItem() = default;
    virtual int GetId() = 0;
    virtual void GetMenuText(MSTR& menuText) = 0;
    virtual BOOL ExecuteAction() = 0;
    virtual ActionTable* GetTable() = 0;
};

class ActionCallback : public MaxHeapOperators {
public:
    virtual ~ActionCallback() = default;
    virtual BOOL ExecuteAction(int id) = 0;
    virtual IMenu* GetDynamicMenu(int /*id*/, HWND /*window*/, IPoint2& /*position*/) {
        return nullptr;
    }
};

class ActionTable : public MaxHeapOperators {
public:
    ActionTable(ActionTableId id, ActionContextId contextId, const MSTR& name, void* accelerators,
                int count, ActionDescription* descriptions, HINSTANCE module);
    virtual ~ActionTable();
    ActionTable(const ActionTable&) = delete;
    ActionTable& operator=(const ActionTable&) = delete;

    ActionTableId GetId() const { return id_; }
    ActionContextId GetContextId() const { return contextId_; }
    const MSTR& GetName() const { return name_; }
    int Count() const { return static_cast<int>(items_.size()); }
    ActionItem* operator[](int index);

    // The texts of a command: its short name for buttons and menus, its description.
    virtual BOOL GetButtonText(int cmdId, MSTR& buttonText);
    virtual BOOL GetMenuText(int cmdId, MSTR& menuText);
    virtual void GetDescriptionText(int cmdId, MSTR& descriptionText);
    virtual BOOL IsChecked(int cmdId);
    virtual BOOL IsEnabled(int cmdId);
    virtual BOOL IsItemVisible(int cmdId);
    virtual ActionItem* GetAction(int cmdId);

    // The callback that runs the table's commands (set when the host activates the table).
    ActionCallback* GetCallback() const { return callback_; }
    void SetCallback(ActionCallback* callback) { callback_ = callback; }

private:
    struct Command {
        ActionDescription description;
        std::unique_ptr<ActionItem> item;
    };
    const Command* Find(int cmdId) const;
    MSTR Text(int resourceId) const;

    ActionTableId id_;
    ActionContextId contextId_;
    MSTR name_;
    HINSTANCE module_;
    std::vector<Command> commands_;
    std::vector<ActionItem*> items_;
    ActionCallback* callback_ = nullptr;
};

class IActionManager : public MaxHeapOperators {
public:
    virtual ~IActionManager() = default;
    virtual BOOL RegisterActionTable(ActionTable* table) = 0;
    virtual BOOL RegisterActionContext(ActionContextId id, const MCHAR* name) = 0;
    virtual BOOL ActivateActionTable(ActionCallback* callback, ActionTableId id) = 0;
    virtual ActionTable* FindTable(ActionTableId id) = 0;
    virtual int NumActionTables() = 0;
    virtual ActionTable* GetTable(int index) = 0;
};
