#include "app/main_window.h"

#include "app/program.h"
#include "app/tray_icon.h"
#include "hotkey/hotkey_registration.h"
#include "hotkey/hotkey_window.h"
#include "hotkey/settings_file.h"
#include "share/convert_share_text.h"

namespace {

constexpr std::int32_t TRAY_EVENT_MENU = 3;
// The top right corner of the menu hangs this far left of and above the cursor.
constexpr int MENU_OFFSET = 5;

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

// An elevated process does not get the shell's broadcast unless it lets it in.
void AllowTaskbarCreated(HWND window) {
    using FilterFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    auto filter = reinterpret_cast<FilterFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "ChangeWindowMessageFilterEx")));
    if (filter != nullptr) {
        filter(window, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
    }
}

bool OnMainWindowMessage(HWND window, UINT message, WPARAM, LPARAM, LRESULT& result) {
    // The shell restarted, or its taskbar appeared after Harnlo had started.
    if (message == TaskbarCreatedMessage()) {
        RestoreTrayIcon(window);
        result = 0;
        return true;
    }
    return false;
}

void OnMainWindowDestroying(HWND window) {
    SetTrayIcon(window, {}, nullptr);
}

const ControlEvents MAIN_CONTROL_EVENTS[] = {
    {LABEL_NAME, ConvertShareText, nullptr},
};

const MenuHandler MAIN_MENU_HANDLERS[] = {nullptr, OnMenuExit, OnMenuResetHotkey};

} // namespace

const WindowDefinition MAIN_WINDOW = {
    &MAIN_WINDOW_LAYOUT,    OnMainWindowCreated, OnTrayEvent,
    MAIN_CONTROL_EVENTS,    MAIN_MENU_HANDLERS,  OnMainWindowMessage,
    OnMainWindowDestroying,
};

void OnMainWindowCreated() {
    EnsureSettingsFile();
    RegisterConfiguredHotkey();
    HWND window = BuiltWindowHandle(MAIN_WINDOW_LAYOUT);
    AllowTaskbarCreated(window);
    SetTrayIcon(window, BuiltInIconBytes(), TRAY_TIP);
}

void OnTrayEvent(std::int32_t code) {
    if (code == TRAY_EVENT_MENU) {
        PopupTrayMenu(BuiltWindowHandle(MAIN_WINDOW_LAYOUT), MENU_INDEX_MENU);
    }
}

void PopupTrayMenu(HWND window, int menuItem) {
    HMENU menu = CreatePopupMenu();
    const auto& items = MAIN_WINDOW_LAYOUT.menu;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].parent == menuItem) {
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(MENU_COMMAND_BASE + i),
                        items[i].text);
        }
    }
    POINT cursor;
    GetCursorPos(&cursor);
    // Our window must be foreground before calling TrackPopupMenu or the menu will not
    // disappear when the user clicks away.
    SetForegroundWindow(window);
    TrackPopupMenu(menu, TPM_RIGHTALIGN, cursor.x - MENU_OFFSET, cursor.y - MENU_OFFSET, 0, window,
                   nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

void OnMenuExit() {
    // Take the icon away now rather than leave it until the mouse passes over it.
    SetTrayIcon(BuiltWindowHandle(MAIN_WINDOW_LAYOUT), {}, nullptr);
    QuitProgram(0);
}
