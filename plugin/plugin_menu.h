#pragma once
// The plug-in's menu on the host's main menu bar: the submit command, a separator and the
// information command. Each operation tests every host object before it uses it and skips what
// needs a missing one.

#include <string>

#include <actiontable.h>
#include <iMenuMan.h>
#include <iMenus.h>

// Empties the registered menu titled `title` and, when the plug-in's menu-bar context exists,
// takes it off that context and unregisters it (which takes it off the main menu bar).
void RemoveMenuByTitle(std::u16string title);

// Makes a new menu titled string 31 with the plug-in's entries and appends it to `mainMenu`.
void BuildPluginMenu(IMenuManager* menuManager, IMenu* mainMenu, ActionTable* table);

// Appends the plug-in's entries to `menu`.
void FillPluginMenu(IMenuManager* menuManager, IMenu* menu, ActionTable* table);

// Empties and refills the registered menu titled string 31, or builds it when there is none.
void RebuildPluginMenu(IMenuManager* menuManager, IMenu* mainMenu, ActionTable* table);
