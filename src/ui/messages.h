// Harnlo's private window messages.
#pragma once

#include <cstdint>

// Makes a label raise its feedback event with (wParam, lParam).
inline constexpr std::uint32_t LABEL_FEEDBACK_MESSAGE = 0x8075;
// The notification-area icon's callback to the main window.
inline constexpr std::uint32_t TRAY_CALLBACK_MESSAGE = 0x8064;
// Posted to a window that is to be destroyed once the current handler has returned.
inline constexpr std::uint32_t DEFERRED_DESTROY_MESSAGE = 0x8065;
