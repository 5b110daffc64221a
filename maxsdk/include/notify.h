#pragma once
// Stand-in for the host's notification system: callbacks registered per notification code,
// called in registration order when the host broadcasts the code.

struct NotifyInfo {
    int intcode = 0;
    void* callParam = nullptr;
};

using NOTIFYPROC = void (*)(void* param, NotifyInfo* info);

// The host has finished starting up: its menus exist. (The reference reachable here does not
// show the value.)
inline constexpr int NOTIFY_SYSTEM_STARTUP = 0x00000050;

// Non-zero when registered (a registration that exists already is kept once).
int RegisterNotification(NOTIFYPROC proc, void* param, int code);
// Non-zero when the registration of exactly this callback, parameter and code was removed.
int UnRegisterNotification(NOTIFYPROC proc, void* param, int code);
void BroadcastNotification(int code);
void BroadcastNotification(int code, void* callParam);
