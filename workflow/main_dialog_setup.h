#pragma once
// The main dialog's set-up and its rules between options, shared by the dialog procedure.

#include <string>

#include "platform/win/window_types.h"
#include "scene/plugin_state.h"

// The texts every message of the main dialog starts with.
struct MainDialogTexts {
    std::u16string caption;        // string 49
    std::u16string secondCaption;  // string 68
    std::u16string marker;         // string 57, the language marker
};
MainDialogTexts LoadMainDialogTexts();

inline constexpr int kDialogReady = 1;
inline constexpr int kDialogEnded = -1;
inline constexpr int kCameraCheckFailed = -2;

// (Re)builds everything the dialog shows: checks the client's version and the scene file's
// name, analyses the scene, fills the table, warnings and options, lays out the Corona row,
// restores the remembered settings and checks the camera names. 1 when ready, -1 when the
// dialog has been ended after a message, -2 when the camera names were refused.
int InitializeDialog(HWND dialog, const std::u16string& caption, std::u16string marker,
                     bool firstOpening);

// Block rendering: 1 none, 10 three blocks, 64 six blocks, 1010 distributed, with the
// fall-backs and notes that each scene calls for.
void ApplyBlockMode(HWND dialog, int32_t blockMode, const MainDialogTexts& texts);
// The material channel cannot be rendered in blocks: unticks it with a note.
void CheckMaterialBlockConflict(HWND dialog, const MainDialogTexts& texts);

void AddTiffNotes(PluginState& state);
void AddToolTip(PluginState& state, HWND control, const std::u16string& tip);

// Enables or disables a group of controls of the dialog.
void EnableControls(HWND dialog, std::initializer_list<int> controls, bool enable);
