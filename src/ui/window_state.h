// What a built window keeps while it exists; shared by the window and control procedures.
#pragma once

#include <windows.h>

#include "ui/window_builder.h"

#include <vector>

struct WindowState;

struct ControlState {
    WindowState* owner;
    size_t index;     // in the layout's controls
    WNDPROC baseProc; // the system class's procedure, for subclassed controls
    bool hot = false; // the button: the pointer is over it
};

struct WindowState {
    const WindowDefinition* definition;
    HWND window = nullptr;
    std::vector<HWND> controls;              // by layout index
    std::vector<ControlState> controlStates; // by layout index
    HBRUSH backgroundBrush = nullptr;
    HFONT listFont = nullptr;

    const ControlLayout& Layout(size_t index) const { return definition->layout->controls[index]; }
    const ControlEvents* EventsOf(size_t index) const;
};

// The procedures of the controls (controls.cpp).
HWND CreateControl(WindowState& state, size_t index, HWND container);
LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Notifications and drawing requests that a container (window or frame) gets from its
// controls; true when handled.
bool HandleControlNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
void FillWithColour(HDC dc, const RECT& rect, Rgb colour);

inline COLORREF ToColorRef(Rgb colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

inline constexpr const char* LABEL_CLASS = "HarnloLabel";
inline constexpr const char* FRAME_CLASS = "HarnloFrame";
inline constexpr const char* WINDOW_CLASS = "HarnloWindow";
// Control identifiers stay clear of the menu's command identifiers.
inline constexpr int CONTROL_ID_BASE = 1000;
