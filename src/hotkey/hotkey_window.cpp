#include "hotkey/hotkey_window.h"

#include "app/program.h"
#include "hotkey/hotkey_registration.h"
#include "hotkey/settings_file.h"
#include "ui/message_loop.h"
#include "ui/messages.h"

#include <string>
#include <utility>
#include <vector>

namespace {

bool destroyPending = false;
std::vector<std::pair<HWND, bool>> disabledWindows;

HWND HotkeyWindowHandle() {
    return BuiltWindowHandle(HOTKEY_WINDOW_LAYOUT);
}

void EnterModalState(HWND hotkeyWindow) {
    for (HWND window : BuiltWindowHandles()) {
        if (window != hotkeyWindow && GetParent(window) == nullptr) {
            disabledWindows.emplace_back(window, IsWindowEnabled(window) != FALSE);
            EnableWindow(window, FALSE);
        }
    }
}

void LeaveModalState() {
    for (const auto& [window, wasEnabled] : disabledWindows) {
        if (IsWindow(window)) {
            EnableWindow(window, wasEnabled);
        }
    }
    disabledWindows.clear();
}

void DestroyNow(HWND window) {
    destroyPending = false;
    LeaveModalState();
    DestroyWindow(window);
}

bool OnHotkeyWindowMessage(HWND window, UINT message, WPARAM, LPARAM, LRESULT& result) {
    switch (message) {
    case DEFERRED_DESTROY_MESSAGE:
        if (destroyPending) {
            DestroyNow(window);
        }
        result = 0;
        return true;
    case WM_CLOSE:
        // Closed from outside: closing stores nothing and registers nothing.
        DestroyNow(window);
        result = 0;
        return true;
    default: return false;
    }
}

std::string SelectedKeyName(HWND list) {
    char text[64] = {};
    GetWindowTextA(list, text, sizeof text);
    return text;
}

const ControlEvents HOTKEY_CONTROL_EVENTS[] = {
    {BUTTON_NAME, nullptr, OnHotkeyOkClicked},
};

} // namespace

const WindowDefinition HOTKEY_WINDOW = {
    &HOTKEY_WINDOW_LAYOUT, OnHotkeyWindowCreated, nullptr, HOTKEY_CONTROL_EVENTS, {},
    OnHotkeyWindowMessage,
};

void OnMenuResetHotkey() {
    ShowHotkeyWindow();
}

void ShowHotkeyWindow() {
    if (HWND open = HotkeyWindowHandle()) {
        if (!destroyPending) {
            if (IsIconic(open)) {
                ShowWindow(open, SW_RESTORE);
            } else {
                SetActiveWindow(open);
            }
            return;
        }
        DestroyNow(open);
    }
    HWND window = BuildWindow(HOTKEY_WINDOW, HiddenOwnerWindow());
    if (window == nullptr) {
        return;
    }
    EnterModalState(window);
    WPARAM quitCode = 0;
    while (IsWindow(window)) {
        if (!DispatchNextMessage(quitCode)) {
            // The main loop must see the end too.
            PostQuitMessage(static_cast<int>(quitCode));
            break;
        }
    }
}

void OnHotkeyWindowCreated() {
    std::string name = ReadHotkeySetting();
    HWND list = BuiltControlHandle(HotkeyWindowHandle(), LIST_NAME);
    if (name.empty() || list == nullptr) {
        return;
    }
    auto count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        auto length = SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) {
            continue;
        }
        std::string item(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(length));
        // Byte for byte: "f5" does not select "F5".
        if (item == name) {
            SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    }
}

void OnHotkeyOkClicked() {
    HWND window = HotkeyWindowHandle();
    WriteHotkeySetting(SelectedKeyName(BuiltControlHandle(window, LIST_NAME)));
    RequestDestroy(window);
    RegisterConfiguredHotkey();
    if (registeredHotkeyId == 0) {
        // The key could not be registered: rather than close as if it worked, stay open and
        // say so; the next click tries again.
        destroyPending = false;
        SetWindowTextA(BuiltControlHandle(window, LABEL_NAME), KEY_TAKEN_TEXT);
    }
}

void RequestDestroy(HWND window) {
    destroyPending = true;
    PostMessageA(window, DEFERRED_DESTROY_MESSAGE, 0, 0);
}
