#pragma once
// The plug-in object the host creates at start-up: it registers the plug-in's commands and
// builds its menu when started, rebuilds the menu once the host's own menus are ready, and
// removes it when stopped.

#include "guplib.h"
#include "notify.h"

class ZEP_Rendering_2022 : public GUP {
public:
    ~ZEP_Rendering_2022() override;

    // Registers the start-up notification, removes stale menus, registers the action context,
    // table and callback, and builds or refills the plug-in menu. Returns 0.
    DWORD Start() override;
    // Unregisters the start-up notification and removes the plug-in menu.
    void Stop() override;
    void DeleteThis() override;
};

// The host's start-up notification (code 80): rebuilds the plug-in menu when the host's menus,
// its main menu bar and the plug-in's action table all exist.
void OnSystemStartup(void* param, NotifyInfo* info);
