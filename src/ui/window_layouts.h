// The two windows of Harnlo as data: sizes, colours, controls, texts and the menu. Plain C++,
// so that the layout arithmetic is checked on the host; the Windows side builds from it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb WHITE{255, 255, 255};
inline constexpr Rgb BLACK{0, 0, 0};
inline constexpr Rgb BUTTON_BLUE{0, 136, 255};
inline constexpr Rgb BUTTON_HOT{128, 128, 255};
inline constexpr Rgb LIST_TEXT_COLOUR{0, 136, 255};

enum class ControlKind { Label, Frame, DropDownList, Button };

// Sentinel container index: the control sits directly on its window.
inline constexpr int ON_WINDOW = -1;

struct ControlLayout {
    const char* name; // code page 936
    ControlKind kind;
    int container; // ON_WINDOW, or the index of the frame that holds it
    int left;
    int top;
    int width;
    int height;
    bool tabStop;
    const char* text; // code page 936; nullptr for none
};

struct MenuItemLayout {
    const char* text; // code page 936
    int parent;       // index of the item whose drop-down holds it, or -1 for the bar
};

struct WindowLayout {
    int width;
    int height;
    Rgb background;
    bool shownWhenBuilt;
    std::span<const ControlLayout> controls;
    std::span<const MenuItemLayout> menu;
};

// Control names, shared by both windows where they share a name.
inline constexpr const char* LABEL_NAME = "\xB1\xEA\xC7\xA9"
                                          "1"; // 标签1
inline constexpr const char* FRAME_NAME = "\xCD\xE2\xD0\xCE\xBF\xF2"
                                          "1"; // 外形框1
inline constexpr const char* LIST_NAME = "\xD7\xE9\xBA\xCF\xBF\xF2"
                                         "1"; // 组合框1
inline constexpr const char* BUTTON_NAME = "\xB3\xAC\xBC\xB6\xB0\xB4\xC5\xA5"
                                           "1"; // 超级按钮1

inline constexpr const char* QUESTION_TEXT = "\xD1\xA1\xD4\xF1\xD0\xE8\xD2\xAA\xB8\xFC\xB8\xC4\xB5"
                                             "\xC4\xBF\xEC\xBD\xDD\xBC\xFC"; // 选择需要更改的快捷键
inline constexpr const char* OK_TEXT = "\xC8\xB7\xB6\xA8";                   // 确定
inline constexpr const char* MENU_TEXT = "\xB2\xCB\xB5\xA5";                 // 菜单
inline constexpr const char* EXIT_TEXT = "\xCD\xCB\xB3\xF6";                 // 退出
inline constexpr const char* RESET_HOTKEY_TEXT =
    "\xD6\xD8\xC9\xE8\xBF\xEC\xBD\xDD\xBC\xFC"; // 重设快捷键

// The keys the list offers, in order; F10 is not among them.
inline constexpr std::string_view HOTKEY_LIST_ITEMS[] = {"F1", "F2", "F3", "F4",  "F5", "F6",
                                                         "F7", "F8", "F9", "F11", "F12"};
// A drop-down list is created at least this high: its field and its dropped list together.
inline constexpr int DROP_DOWN_MIN_HEIGHT = 160;
inline constexpr int LIST_FONT_HEIGHT = 24;

// Menu command identifiers are this base plus the item's index among all menu items.
inline constexpr int MENU_COMMAND_BASE = 20000;
inline constexpr int MENU_COMMAND_LIMIT = 57600;
inline constexpr int MENU_INDEX_MENU = 0;
inline constexpr int MENU_INDEX_EXIT = 1;
inline constexpr int MENU_INDEX_RESET_HOTKEY = 2;

extern const WindowLayout MAIN_WINDOW_LAYOUT;
extern const WindowLayout HOTKEY_WINDOW_LAYOUT;

struct Point {
    int x;
    int y;
    friend constexpr bool operator==(Point, Point) = default;
};

// The top-left corner that centres a window on a screen, truncating toward zero.
Point CenteredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

// The height a control is created with: drop-down lists are raised to their minimum.
int CreatedHeight(const ControlLayout& control);

// The menu item that a command identifier names, or -1.
int MenuIndexOfCommand(const WindowLayout& window, int commandId);
