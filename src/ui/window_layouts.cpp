#include "ui/window_layouts.h"

#include <algorithm>

namespace {

constexpr ControlLayout MAIN_CONTROLS[] = {
    {LABEL_NAME, ControlKind::Label, ON_WINDOW, 6, 0, 144, 24, false, QUESTION_TEXT},
};

constexpr MenuItemLayout MAIN_MENU[] = {
    {MENU_TEXT, -1},
    {EXIT_TEXT, MENU_INDEX_MENU},
    {RESET_HOTKEY_TEXT, MENU_INDEX_MENU},
};

// The frame covers all but a 4-pixel margin; the three controls in it are centred across it.
constexpr ControlLayout HOTKEY_CONTROLS[] = {
    {FRAME_NAME, ControlKind::Frame, ON_WINDOW, 4, 4, 168, 160, false, nullptr},
    {LABEL_NAME, ControlKind::Label, 0, 12, 8, 144, 24, false, QUESTION_TEXT},
    {LIST_NAME, ControlKind::DropDownList, 0, 40, 40, 88, 20, true, nullptr},
    {BUTTON_NAME, ControlKind::Button, 0, 44, 96, 80, 40, true, OK_TEXT},
};

} // namespace

const WindowLayout MAIN_WINDOW_LAYOUT = {156, 149, WHITE, false, MAIN_CONTROLS, MAIN_MENU};
const WindowLayout HOTKEY_WINDOW_LAYOUT = {176, 168, BLACK, true, HOTKEY_CONTROLS, {}};

Point CenteredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    // Integer division truncates toward zero, also for a window larger than the screen.
    return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
}

int CreatedHeight(const ControlLayout& control) {
    return control.kind == ControlKind::DropDownList
               ? std::max(control.height, DROP_DOWN_MIN_HEIGHT)
               : control.height;
}

int MenuIndexOfCommand(const WindowLayout& window, int commandId) {
    if (commandId < MENU_COMMAND_BASE || commandId >= MENU_COMMAND_LIMIT) {
        return -1;
    }
    int index = commandId - MENU_COMMAND_BASE;
    return index < static_cast<int>(window.menu.size()) ? index : -1;
}
