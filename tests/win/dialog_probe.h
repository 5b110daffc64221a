#pragma once
// A dialog procedure for window system tests: it writes every message it gets into a log as a
// short line ("command 100 EN_CHANGE", "notify 107 NM_CLICK item 2", "timer 7") and lets a
// test add behaviour per message.

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win/window_types.h"

struct DialogProbe {
    std::vector<std::string> log;
    // Runs after WM_INITDIALOG is logged.
    std::function<void(HWND dialog)> onInit;
    // Any message after it is logged; an answer ends the handling with that result.
    std::function<std::optional<INT_PTR>(HWND, UINT, WPARAM, LPARAM)> onMessage;
    // The threads messages arrived on.
    std::vector<std::thread::id> threads;

    // Opens the contract dialog with this probe; Cancel (2) ends it with 0.
    INT_PTR Run(HWND owner = nullptr);
    // Opens another dialog with this probe.
    INT_PTR RunTemplate(HINSTANCE module, int templateId, HWND owner = nullptr);
    // The log lines that start with `prefix`.
    std::vector<std::string> Lines(const std::string& prefix) const;

    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
