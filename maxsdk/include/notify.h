#pragma once
// Stand-in for the host's notification system: callbacks registered per notification code.

struct NotifyInfo {
    int intcode = 0;
    void* callParam = nullptr;
};

using NOTIFYPROC = void (*)(void* param, NotifyInfo* info);

// The host has finished starting up: its menus exist.
inline constexpr int NOTIFY_SYSTEM_STARTUP = 0x00000050;

int RegisterNotification(NOTIFYPROC proc, void* param, int code);
int UnRegisterNotification(NOTIFYPROC proc, void* param, int code);
void BroadcastNotification(int code);
