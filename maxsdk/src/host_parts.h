#pragma once
// The parts of the simulated host that the core interface hands out and resets, and the record
// of the plug-in's calls into it.

#include "host/simulated_host.h"

class IActionManager;
class IMenuManager;

IActionManager& HostActionManager();
IMenuManager& HostMenuManager();

// Back to the host's own table, menus and no notifications; whatever plug-ins handed over is
// deleted.
void ResetActions();
void ResetMenus();
void ResetNotifications();

// Notes a call of the SDK entry point `name` (for example "Interface::SaveToFile") and whether it
// came on the host's user-interface thread.
void RecordHostCall(const char* name);
// The host's user-interface thread is the calling one from now on (the host was reset there).
void TakeUiThread();

// The host's own use of its SDK objects, not recorded.
using HostInternalScope = maxsim::HostOwnCalls;
