#include "hotkey_window_driver.h"

#include "ui/window_layouts.h"

#include <gtest/gtest.h>

HotkeyWindow ControlsOf(HWND window) {
    HotkeyWindow found;
    found.window = window;
    found.frame = FindWindowExA(window, nullptr, "HarnloFrame", nullptr);
    found.label = FindWindowExA(found.frame, nullptr, "HarnloLabel", nullptr);
    found.list = FindWindowExA(found.frame, nullptr, "ComboBox", nullptr);
    found.button = FindWindowExA(found.frame, nullptr, "Button", nullptr);
    return found;
}

// Right-click on the icon, then one of the menu's two items.
void ChooseFromTrayMenu(bool lowerItem) {
    Click(TrayIconCentre(), 3);
    HWND menu = WaitForOpenMenu();
    ASSERT_NE(menu, nullptr);
    RECT rect = RectOf(menu);
    int quarter = (rect.bottom - rect.top) / 4;
    Click({(rect.left + rect.right) / 2, lowerItem ? rect.bottom - quarter : rect.top + quarter});
}

HotkeyWindow OpenHotkeyWindow(const HarnloProcess& harnlo) {
    ChooseFromTrayMenu(true);
    HWND window = nullptr;
    WaitUntil([&] { return (window = harnlo.HotkeyWindow()) != nullptr; });
    // Let it paint.
    Sleep(300);
    return ControlsOf(window);
}

std::string SelectedKey(HWND list) {
    auto index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    return index >= 0 && index < 11 ? std::string(HOTKEY_LIST_ITEMS[index]) : "<none>";
}

// Drops the list down with a click and picks the key with the keyboard.
void PickKey(const HotkeyWindow& hotkey, const std::string& key) {
    int index = 0;
    while (HOTKEY_LIST_ITEMS[index] != key) {
        ++index;
    }
    Click(Centre(hotkey.list));
    std::string keys = "Home";
    for (int i = 0; i < index; ++i) {
        keys += " Down";
    }
    PressKeysWhereFocused(keys + " Return");
    WaitUntil([&] { return SelectedKey(hotkey.list) == key; }, 3000);
}

bool ChooseKey(const HarnloProcess& harnlo, const std::string& key) {
    HotkeyWindow hotkey = OpenHotkeyWindow(harnlo);
    if (hotkey.window == nullptr) {
        return false;
    }
    PickKey(hotkey, key);
    Click(Centre(hotkey.button));
    return WaitUntil([&] { return harnlo.HotkeyWindow() == nullptr; }, 5000);
}
