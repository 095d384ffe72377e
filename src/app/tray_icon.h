// The notification-area icon of the main window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

inline constexpr UINT TRAY_ICON_ID = 100;
inline constexpr const char* TRAY_TIP = "Harnlo";

// The icon file built into the program.
std::span<const std::uint8_t> BuiltInIconBytes();

// Shows, replaces or (with no icon bytes) removes the window's icon, with the tip.
void SetTrayIcon(HWND window, std::span<const std::uint8_t> iconBytes, const char* tip);

// Adds the window's current icon again, after the shell has (re)created the taskbar.
void RestoreTrayIcon(HWND window);
