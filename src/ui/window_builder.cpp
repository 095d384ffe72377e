#include "ui/window_builder.h"

#include "ui/messages.h"
#include "ui/window_state.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// Every built window that still exists, in the order of building.
std::vector<WindowState*> builtWindows;
void (*lastWindowGone)() = nullptr;

WindowState* StateOf(HWND window) {
    return reinterpret_cast<WindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The tray callback's lParam names the mouse message; only these raise the tray event.
std::int32_t TrayEventCode(LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONUP: return 1;
    case WM_LBUTTONDBLCLK: return 2;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: return 3;
    default: return 0;
    }
}

void PaintBackground(WindowState& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(state.window, &paint);
    FillRect(dc, &paint.rcPaint, state.backgroundBrush);
    EndPaint(state.window, &paint);
}

void RunMenuCommand(WindowState& state, int commandId) {
    int index = MenuIndexOfCommand(*state.definition->layout, commandId);
    if (index < 0 || static_cast<size_t>(index) >= state.definition->menuHandlers.size()) {
        return;
    }
    if (MenuHandler handler = state.definition->menuHandlers[static_cast<size_t>(index)]) {
        handler();
    }
}

void ReleaseWindow(WindowState* state) {
    builtWindows.erase(std::remove(builtWindows.begin(), builtWindows.end(), state),
                       builtWindows.end());
    SetWindowLongPtrA(state->window, GWLP_USERDATA, 0);
    if (state->listFont != nullptr) {
        DeleteObject(state->listFont);
    }
    DeleteObject(state->backgroundBrush);
    delete state;
    if (builtWindows.empty() && lastWindowGone != nullptr) {
        lastWindowGone();
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowState* state = StateOf(window);
    if (state == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (state->definition->onMessage != nullptr &&
        state->definition->onMessage(window, message, wParam, lParam, result)) {
        return result;
    }
    if (HandleControlNotification(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_PAINT: PaintBackground(*state); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFOCUS:
        // The first control that takes the keyboard gets it.
        for (size_t i = 0; i < state->controls.size(); ++i) {
            if (state->Layout(i).tabStop) {
                SetFocus(state->controls[i]);
                break;
            }
        }
        return 0;
    case WM_COMMAND:
        if (lParam == 0) {
            RunMenuCommand(*state, LOWORD(wParam));
        }
        return 0;
    case WM_DESTROY:
        if (state->definition->onDestroying != nullptr) {
            state->definition->onDestroying(window);
        }
        return 0;
    case WM_NCDESTROY: ReleaseWindow(state); return 0;
    case TRAY_CALLBACK_MESSAGE:
        if (std::int32_t code = TrayEventCode(lParam);
            code != 0 && state->definition->onTrayEvent != nullptr) {
            state->definition->onTrayEvent(code);
        }
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void RegisterClasses() {
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;
    WNDCLASSA windowClass = {};
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);

    windowClass.lpfnWndProc = WindowProc;
    windowClass.lpszClassName = WINDOW_CLASS;
    RegisterClassA(&windowClass);

    windowClass.lpfnWndProc = LabelProc;
    windowClass.lpszClassName = LABEL_CLASS;
    RegisterClassA(&windowClass);

    windowClass.lpfnWndProc = FrameProc;
    windowClass.lpszClassName = FRAME_CLASS;
    RegisterClassA(&windowClass);
}

HMENU BuildMenuBar(const WindowLayout& layout) {
    if (layout.menu.empty()) {
        return nullptr;
    }
    std::vector<HMENU> dropDowns(layout.menu.size(), nullptr);
    // Items that others hang from become drop-downs.
    for (const MenuItemLayout& item : layout.menu) {
        if (item.parent >= 0 && dropDowns[static_cast<size_t>(item.parent)] == nullptr) {
            dropDowns[static_cast<size_t>(item.parent)] = CreatePopupMenu();
        }
    }
    HMENU bar = CreateMenu();
    for (size_t i = 0; i < layout.menu.size(); ++i) {
        const MenuItemLayout& item = layout.menu[i];
        HMENU into = item.parent < 0 ? bar : dropDowns[static_cast<size_t>(item.parent)];
        if (dropDowns[i] != nullptr) {
            AppendMenuA(into, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(dropDowns[i]),
                        item.text);
        } else {
            AppendMenuA(into, MF_STRING, static_cast<UINT_PTR>(MENU_COMMAND_BASE + i), item.text);
        }
    }
    return bar;
}

} // namespace

const ControlEvents* WindowState::EventsOf(size_t index) const {
    for (const ControlEvents& events : definition->controlEvents) {
        if (std::strcmp(events.control, Layout(index).name) == 0) {
            return &events;
        }
    }
    return nullptr;
}

HWND BuildWindow(const WindowDefinition& definition, HWND owner) {
    RegisterClasses();
    const WindowLayout& layout = *definition.layout;
    Point origin = CenteredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  layout.width, layout.height);

    auto state = std::make_unique<WindowState>();
    state->definition = &definition;
    state->backgroundBrush = CreateSolidBrush(ToColorRef(layout.background));
    HMENU menu = BuildMenuBar(layout);
    HWND window = CreateWindowExA(0, WINDOW_CLASS, "", WS_POPUP | WS_CLIPCHILDREN, origin.x,
                                  origin.y, layout.width, layout.height, owner, menu,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        if (menu != nullptr) {
            DestroyMenu(menu);
        }
        DeleteObject(state->backgroundBrush);
        return nullptr;
    }
    state->window = window;
    state->controls.assign(layout.controls.size(), nullptr);
    state->controlStates.reserve(layout.controls.size());
    for (size_t i = 0; i < layout.controls.size(); ++i) {
        state->controlStates.push_back(ControlState{state.get(), i, nullptr});
    }
    WindowState* kept = state.release();
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(kept));
    builtWindows.push_back(kept);

    // Containers come before the controls inside them.
    for (size_t i = 0; i < layout.controls.size(); ++i) {
        int container = layout.controls[i].container;
        HWND parent =
            container == ON_WINDOW ? window : kept->controls[static_cast<size_t>(container)];
        kept->controls[i] = CreateControl(*kept, i, parent);
    }
    for (HWND control : kept->controls) {
        ShowWindow(control, SW_SHOWNA);
    }

    if (definition.onCreated != nullptr) {
        definition.onCreated();
    }
    if (layout.shownWhenBuilt && IsWindow(window)) {
        ShowWindow(window, SW_SHOW);
    }
    return window;
}

HWND BuiltWindowHandle(const WindowLayout& layout) {
    for (WindowState* state : builtWindows) {
        if (state->definition->layout == &layout) {
            return state->window;
        }
    }
    return nullptr;
}

HWND BuiltControlHandle(HWND window, const char* name) {
    for (WindowState* state : builtWindows) {
        if (state->window != window) {
            continue;
        }
        for (size_t i = 0; i < state->controls.size(); ++i) {
            if (std::strcmp(state->Layout(i).name, name) == 0) {
                return state->controls[i];
            }
        }
    }
    return nullptr;
}

bool AnyBuiltWindowExists() {
    return !builtWindows.empty();
}

std::vector<HWND> BuiltWindowHandles() {
    std::vector<HWND> handles;
    for (WindowState* state : builtWindows) {
        handles.push_back(state->window);
    }
    return handles;
}

void SetLastWindowGoneHandler(void (*handler)()) {
    lastWindowGone = handler;
}

void PrepareToDispatch(const MSG& message) {
    if (message.message != WM_LBUTTONDOWN) {
        return;
    }
    for (WindowState* state : builtWindows) {
        bool onBody = message.hwnd == state->window;
        for (size_t i = 0; !onBody && i < state->controls.size(); ++i) {
            ControlKind kind = state->Layout(i).kind;
            onBody = message.hwnd == state->controls[i] &&
                     (kind == ControlKind::Label || kind == ControlKind::Frame);
        }
        if (onBody) {
            // Windows then moves the window with the mouse as if its title bar had been grabbed.
            PostMessageA(state->window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
            return;
        }
    }
}
