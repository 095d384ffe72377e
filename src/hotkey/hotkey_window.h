// The window in which the user chooses another hotkey: modal, preset to the stored key.
#pragma once

#include <windows.h>

#include "ui/window_builder.h"

extern const WindowDefinition HOTKEY_WINDOW;

// Shown in the label when the chosen key cannot be registered.
// 该键已被占用，请另选 (this key is taken, choose another)
inline constexpr const char* KEY_TAKEN_TEXT =
    "\xB8\xC3\xBC\xFC\xD2\xD1\xB1\xBB\xD5\xBC\xD3\xC3\xA3\xAC\xC7\xEB\xC1\xED\xD1\xA1";

void OnMenuResetHotkey();
// Opens the window and returns once it has been destroyed; only brings it forward when it is
// open already.
void ShowHotkeyWindow();
void OnHotkeyWindowCreated();
void OnHotkeyOkClicked();
// Asks the window to destroy itself once the current message has been handled.
void RequestDestroy(HWND window);
