#include "hotkey/hotkey_registration.h"

#include "hotkey/function_keys.h"
#include "hotkey/settings_file.h"
#include "ui/messages.h"
#include "ui/window_builder.h"

std::int32_t registeredHotkeyId = 0;
std::string hotkeySetting;
std::uint32_t hotkeyAttempts = 0;
std::uint32_t lastHotkeyId = 0;

namespace {

HWND hotkeyReceiver = nullptr;
WNDPROC savedWindowProc = nullptr;

} // namespace

void RegisterConfiguredHotkey() {
    hotkeySetting = ReadHotkeySetting();
    std::optional<std::uint32_t> virtualKey = FunctionKeyForName(hotkeySetting);
    if (!virtualKey) {
        // Nothing matches: the key registered before keeps working.
        return;
    }
    HWND owner = BuiltWindowHandle(MAIN_WINDOW_LAYOUT);
    HWND receiver = BuiltControlHandle(owner, LABEL_NAME);
    // Harnlo holds one key at a time. Windows refuses a key that this window already holds
    // under another identifier, so the current registration goes first; that also gives the
    // key that was given up back to the other programs.
    if (registeredHotkeyId != 0) {
        UnregisterHotKey(owner, registeredHotkeyId);
    }
    registeredHotkeyId = RegisterGlobalHotkey(owner, receiver, *virtualKey);
}

std::int32_t RegisterGlobalHotkey(HWND owner, HWND receiver, std::uint32_t virtualKey) {
    hotkeyReceiver = receiver;
    if (savedWindowProc == nullptr) {
        savedWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HotkeyForwardingProc)));
    }
    // A refused attempt uses up its identifier too.
    ++hotkeyAttempts;
    std::uint32_t id = HOTKEY_ID_BASE + hotkeyAttempts;
    lastHotkeyId = id;
    if (!RegisterHotKey(owner, static_cast<int>(id), 0, virtualKey)) {
        return 0;
    }
    return static_cast<std::int32_t>(id);
}

LRESULT CALLBACK HotkeyForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) {
        auto id = static_cast<std::uint32_t>(wParam);
        if (id >= HOTKEY_ID_BASE + 1 && id <= lastHotkeyId) {
            SendMessageA(hotkeyReceiver, LABEL_FEEDBACK_MESSAGE, wParam, 0);
        }
    }
    return CallWindowProcA(savedWindowProc, window, message, wParam, lParam);
}
