#pragma once
// The plug-in's two commands as the host's action system holds them: the table with their texts
// and the callback that carries them out.

#include "actiontable.h"

class ZEP_ActionTable : public ActionTable {
public:
    explicit ZEP_ActionTable(HINSTANCE module);
    ~ZEP_ActionTable() override;

    // The submit command reads string 6 and the information command string 12; any other
    // command is the base table's. FALSE when the text could not be given.
    BOOL GetMenuText(int cmdId, MSTR& menuText) override;
};

class ZEP_ActionCallback : public ActionCallback {
public:
    ~ZEP_ActionCallback() override;

    // The submit command opens the main dialog and returns when it has closed; the information
    // command shows the information box. TRUE, or FALSE when the command failed.
    BOOL ExecuteAction(int id) override;
};
