#pragma once
// The parts of the simulated host that the core interface hands out and resets. UI thread only.

class IActionManager;
class IMenuManager;

IActionManager& HostActionManager();
IMenuManager& HostMenuManager();

// Back to the host's own table, menus and no notifications; whatever plug-ins handed over is
// deleted.
void ResetActions();
void ResetMenus();
void ResetNotifications();
