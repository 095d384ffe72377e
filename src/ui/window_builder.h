// Building Harnlo's windows from their layouts, with the handlers of their events, and
// finding them again.
#pragma once

#include <windows.h>

#include "ui/window_layouts.h"

#include <cstdint>
#include <span>
#include <vector>

using CreatedHandler = void (*)();
using TrayEventHandler = void (*)(std::int32_t code);
using FeedbackHandler = void (*)(std::int32_t first, std::int32_t second);
using ClickedHandler = void (*)();
using MenuHandler = void (*)();
using DestroyingHandler = void (*)(HWND window);
// Messages that a window's own part handles (private and registered ones); true when handled.
using MessageHandler = bool (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                LRESULT& result);

struct ControlEvents {
    const char* control; // the control's name
    FeedbackHandler onFeedback;
    ClickedHandler onClicked;
};

struct WindowDefinition {
    const WindowLayout* layout;
    CreatedHandler onCreated = nullptr;
    TrayEventHandler onTrayEvent = nullptr;
    std::span<const ControlEvents> controlEvents = {};
    std::span<const MenuHandler> menuHandlers = {}; // by menu item index; nullptr for none
    MessageHandler onMessage = nullptr;
    DestroyingHandler onDestroying = nullptr;
};

// Creates the window centred on the primary screen, its controls and its menu, raises its
// created event, and shows it when its layout says so. nullptr when Windows refuses.
HWND BuildWindow(const WindowDefinition& window, HWND owner);

// The window built from this layout that still exists, or nullptr.
HWND BuiltWindowHandle(const WindowLayout& layout);
// A control of a built window by its name, or nullptr.
HWND BuiltControlHandle(HWND window, const char* name);
// Whether any window built by BuildWindow still exists.
bool AnyBuiltWindowExists();
// Every built window that still exists, in the order of building.
std::vector<HWND> BuiltWindowHandles();
// Runs once the last built window has been destroyed.
void SetLastWindowGoneHandler(void (*handler)());

// Examines a message that a message loop took, before it is dispatched: a left-button press
// on a window's body, one of its labels or its frame starts moving the window.
void PrepareToDispatch(const MSG& message);
