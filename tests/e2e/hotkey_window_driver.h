// The hotkey window of a running Harnlo, driven through the tray menu, the mouse and keys.
#pragma once

#include "harnlo_driver.h"

#include <string>

struct HotkeyWindow {
    HWND window = nullptr;
    HWND frame = nullptr;
    HWND label = nullptr;
    HWND list = nullptr;
    HWND button = nullptr;
};

HotkeyWindow ControlsOf(HWND window);
// Right-click on the icon, then one of the menu's two items ("退出" above "重设快捷键").
void ChooseFromTrayMenu(bool lowerItem);
// "重设快捷键" from the tray menu; the window once it is open (window nullptr if it is not).
HotkeyWindow OpenHotkeyWindow(const HarnloProcess& harnlo);
// The key that the list shows.
std::string SelectedKey(HWND list);
// Drops the list down with a click and picks the key with the keyboard.
void PickKey(const HotkeyWindow& hotkey, const std::string& key);
// Picks the key, clicks "确定" and waits for the window to close; false if it stays open.
bool ChooseKey(const HarnloProcess& harnlo, const std::string& key);
