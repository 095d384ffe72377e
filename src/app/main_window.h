// The hidden main window: its definition and the handlers of its events.
#pragma once

#include <windows.h>

#include "ui/window_builder.h"

#include <cstdint>

extern const WindowDefinition MAIN_WINDOW;

void OnMainWindowCreated();
void OnTrayEvent(std::int32_t code);
// Pops up the sub-items of the window's menu item at the cursor, and waits until it closes.
void PopupTrayMenu(HWND window, int menuItem);
void OnMenuExit();
