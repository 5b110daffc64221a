#pragma once
// Stand-in for the host's action system: tables of commands with their texts, callbacks that
// carry them out, and the manager that holds both. A table's commands become action items that
// menus show and run; running one calls the callback the table was activated with.

#include <memory>
#include <vector>

#include "Noncopyable.h"
#include "actiontableTypedefs.h"
#include "baseinterface.h"
#include "ifnpub.h"
#include "maxheap.h"
#include "strclass.h"

class IMenu;
class ActionTable;

// A keyboard accelerator table, as the window system declares it (only passed along; tables
// here have none).
struct HACCEL__;
using HACCEL = HACCEL__*;

struct IPoint2 {
    int x = 0;
    int y = 0;
};

// One command of a table built from static data: its id and the string resources (of the
// table's module) that hold its description, its short name (for buttons and menus) and its
// category.
struct ActionDescription {
    int mCmdID;
    int mDescriptionResourceID;
    int mShortNameResourceID;
    int mCategoryResourceID;
};

// One command as a menu item shows and runs it.
class ActionItem : public FPMixinInterface {
public:
    virtual int GetId() = 0;
    // Runs the command; FALSE when nothing could run it.
    virtual BOOL ExecuteAction() = 0;
    virtual void GetButtonText(MSTR& buttonText) = 0;
    virtual void GetMenuText(MSTR& menuText) = 0;
    virtual void GetDescriptionText(MSTR& descriptionText) = 0;
    virtual void GetCategoryText(MSTR& categoryText) = 0;
    virtual BOOL IsChecked() = 0;
    virtual BOOL IsItemVisible() = 0;
    virtual BOOL IsEnabled() = 0;
    virtual ActionTable* GetTable() = 0;
};

// Carries out the commands of the tables it is activated with.
class ActionCallback : public BaseInterfaceServer {
public:
    // Runs command `id`; FALSE when the callback has no such command.
    virtual BOOL ExecuteAction(int /*id*/) { return FALSE; }
    virtual IMenu* GetDynamicMenu(int /*id*/, HWND /*window*/, IPoint2& /*position*/) {
        return nullptr;
    }
};

class ActionTable : public FPMixinInterface, public MaxSDK::Util::Noncopyable {
public:
    // `count` descriptions; their texts are loaded from `module`'s string table.
    ActionTable(ActionTableId id, ActionContextId contextId, const MSTR& name, HACCEL accelerators,
                int count, ActionDescription* descriptions, HINSTANCE module);
    ~ActionTable() override;

    virtual ActionTableId GetId() { return id_; }
    virtual ActionContextId GetContextId() { return contextId_; }
    virtual MSTR& GetName() { return name_; }
    virtual int Count() { return static_cast<int>(commands_.size()); }
    // The item at `index`, in description order; null outside the table.
    virtual ActionItem* operator[](int index);
    // The item of command `cmdId`; null when the table lacks it.
    virtual ActionItem* GetAction(int cmdId);

    // The texts of a command: its short name for buttons and menus, its description. FALSE
    // (and an empty text) for a command the table lacks.
    virtual BOOL GetButtonText(int cmdId, MSTR& buttonText);
    virtual BOOL GetMenuText(int cmdId, MSTR& menuText);
    virtual void GetDescriptionText(int cmdId, MSTR& descriptionText);
    virtual BOOL IsChecked(int cmdId);
    virtual BOOL IsItemVisible(int cmdId);
    virtual BOOL IsEnabled(int cmdId);

    // The callback the host activated the table with; null before.
    virtual ActionCallback* GetCallback() { return callback_; }
    virtual void SetCallback(ActionCallback* callback) { callback_ = callback; }

    // The category text of a command (for its item).
    void GetCategoryText(int cmdId, MSTR& categoryText);

private:
    struct Command {
        ActionDescription description;
        std::unique_ptr<ActionItem> item;
    };
    const Command* Find(int cmdId) const;
    BOOL LoadText(int resourceId, MSTR& text) const;

    ActionTableId id_;
    ActionContextId contextId_;
    MSTR name_;
    HINSTANCE module_;
    std::vector<Command> commands_;
    ActionCallback* callback_ = nullptr;
};

// A group of keyboard shortcuts that tables belong to.
class ActionContext : public MaxHeapOperators {
public:
    ActionContext(ActionContextId id, const MCHAR* name) : id_(id), name_(name) {}
    ActionContextId GetContextId() const { return id_; }
    const MCHAR* GetName() const { return name_.data(); }

private:
    ActionContextId id_;
    MSTR name_;
};

// Holds the tables, their callbacks and the contexts; everything registered belongs to it.
class IActionManager : public FPMixinInterface {
public:
    virtual void RegisterActionTable(ActionTable* table) = 0;
    virtual int NumActionTables() = 0;
    virtual ActionTable* GetTable(int index) = 0;
    // Makes `callback` run the commands of table `id`; a later activation replaces it. TRUE when
    // the table is registered.
    virtual int ActivateActionTable(ActionCallback* callback, ActionTableId id) = 0;
    virtual int DeactivateActionTable(ActionCallback* callback, ActionTableId id) = 0;
    // The first table registered with `id`; null when none is.
    virtual ActionTable* FindTable(ActionTableId id) = 0;
    virtual BOOL RegisterActionContext(ActionContextId contextId, const MCHAR* name) = 0;
    virtual int NumActionContexts() = 0;
    virtual ActionContext* FindContext(ActionContextId contextId) = 0;
};
