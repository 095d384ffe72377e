// The configured key as a global hotkey, and the delivery of its presses to the main
// window's label, whose feedback event converts the clipboard text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

inline constexpr std::uint32_t HOTKEY_ID_BASE = 33000;

// The identifier that the latest registration of the configured key gave, 0 when it failed
// or none has been made.
extern std::int32_t registeredHotkeyId;
// The key name last read from the settings file (empty when the file gives none).
extern std::string hotkeySetting;
// Registration attempts so far, and the identifier the latest one used.
extern std::uint32_t hotkeyAttempts;
extern std::uint32_t lastHotkeyId;

// Reads the key name and, when it names a function key, registers that key to the main
// window (releasing the one registered before), so that its presses reach the main label.
void RegisterConfiguredHotkey();

// Registers the key to owner under the next identifier and forwards its presses to
// receiver as LABEL_FEEDBACK_MESSAGE. The identifier, or 0 when Windows refused.
std::int32_t RegisterGlobalHotkey(HWND owner, HWND receiver, std::uint32_t virtualKey);

LRESULT CALLBACK HotkeyForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
