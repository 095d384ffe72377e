#include "hotkey/function_keys.h"
#include "hotkey/settings_path.h"
#include "ui/window_layouts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(WindowLayouts, CentredOnTheScreen) {
    struct Case {
        int screenWidth, screenHeight;
        const WindowLayout& window;
        Point expected;
    };
    const Case cases[] = {
        {1920, 1080, MAIN_WINDOW_LAYOUT, {882, 465}},
        {1920, 1080, HOTKEY_WINDOW_LAYOUT, {872, 456}},
        {1024, 768, HOTKEY_WINDOW_LAYOUT, {424, 300}},
        {1281, 1025, MAIN_WINDOW_LAYOUT, {562, 438}},
        // A screen smaller than the window: the division truncates toward zero.
        {100, 100, HOTKEY_WINDOW_LAYOUT, {-38, -34}},
        {175, 167, HOTKEY_WINDOW_LAYOUT, {0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CenteredOrigin(c.screenWidth, c.screenHeight, c.window.width, c.window.height),
                  c.expected)
            << c.screenWidth << "x" << c.screenHeight;
    }
}

TEST(WindowLayouts, HotkeyWindowPanelAndControls) {
    const auto& controls = HOTKEY_WINDOW_LAYOUT.controls;
    ASSERT_EQ(controls.size(), 4u);
    const ControlLayout& frame = controls[0];
    EXPECT_EQ(frame.kind, ControlKind::Frame);
    // A 4-pixel black margin all round the white frame.
    EXPECT_EQ(frame.left, 4);
    EXPECT_EQ(frame.top, 4);
    EXPECT_EQ(HOTKEY_WINDOW_LAYOUT.width - frame.left - frame.width, 4);
    EXPECT_EQ(HOTKEY_WINDOW_LAYOUT.height - frame.top - frame.height, 4);
    // Everything else sits in the frame, centred across it, and inside it.
    for (size_t i = 1; i < controls.size(); ++i) {
        const ControlLayout& c = controls[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(c.container, 0);
        EXPECT_EQ(c.left, frame.width - c.left - c.width);
        EXPECT_LE(c.top + c.height, frame.height);
    }
    EXPECT_EQ(controls[2].kind, ControlKind::DropDownList);
    EXPECT_EQ(CreatedHeight(controls[2]), 160);
    EXPECT_EQ(CreatedHeight(controls[3]), 40);
    EXPECT_TRUE(controls[2].tabStop);
    EXPECT_TRUE(controls[3].tabStop);
    EXPECT_FALSE(controls[1].tabStop);
}

TEST(WindowLayouts, ListOffersElevenKeysWithoutF10) {
    ASSERT_EQ(std::size(HOTKEY_LIST_ITEMS), 11u);
    EXPECT_EQ(HOTKEY_LIST_ITEMS[0], "F1");
    EXPECT_EQ(HOTKEY_LIST_ITEMS[8], "F9");
    EXPECT_EQ(HOTKEY_LIST_ITEMS[9], "F11");
    for (auto item : HOTKEY_LIST_ITEMS) {
        EXPECT_NE(item, "F10");
        EXPECT_TRUE(FunctionKeyForName(item).has_value()) << item;
    }
}

TEST(WindowLayouts, MenuCommandIdentifiers) {
    struct Case {
        int commandId;
        int index;
    };
    const Case cases[] = {
        {20000, MENU_INDEX_MENU},
        {20001, MENU_INDEX_EXIT},
        {20002, MENU_INDEX_RESET_HOTKEY},
        {20003, -1},
        {19999, -1},
        {57600, -1},
        {0, -1},
        {-20000, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MenuIndexOfCommand(MAIN_WINDOW_LAYOUT, c.commandId), c.index) << c.commandId;
    }
    EXPECT_EQ(MenuIndexOfCommand(HOTKEY_WINDOW_LAYOUT, 20001), -1);
    EXPECT_STREQ(MAIN_WINDOW_LAYOUT.menu[MENU_INDEX_EXIT].text, "\xCD\xCB\xB3\xF6");
    EXPECT_EQ(MAIN_WINDOW_LAYOUT.menu[MENU_INDEX_EXIT].parent, MENU_INDEX_MENU);
    EXPECT_EQ(MAIN_WINDOW_LAYOUT.menu[MENU_INDEX_RESET_HOTKEY].parent, MENU_INDEX_MENU);
}

TEST(FunctionKeys, NamesMatchByteForByte) {
    struct Case {
        std::string setting;
        int virtualKey; // -1: no row
    };
    const Case cases[] = {
        {"F1", 112}, {"F9", 120}, {"F10", 121}, {"F11", 122}, {"F12", 123},
        {"f1", -1},  {" F1", -1}, {"F1 ", -1},  {"", -1},     {"F13", -1},
        {"F0", -1},  {"F", -1},   {"F100", -1},
    };
    for (const auto& c : cases) {
        auto key = FunctionKeyForName(c.setting);
        EXPECT_EQ(key ? static_cast<int>(*key) : -1, c.virtualKey) << c.setting;
    }
    // A name longer than "F1" by a NUL byte is not "F1".
    EXPECT_EQ(FunctionKeyForName(std::string("F1\0", 3)), std::nullopt);
}

TEST(SettingsPath, JoinsFolderAndFileName) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Users\\me\\AppData\\Roaming", "C:\\Users\\me\\AppData\\Roaming\\harnlo.ini"},
        {"C:\\", "C:\\harnlo.ini"},
        {"", "\\harnlo.ini"},
        // 0x5C as the second byte of a two-byte character is not a backslash.
        {"C:\\\x95\x5C", "C:\\\x95\x5C\\harnlo.ini"},
        {"C:\\\x95\x5C\\", "C:\\\x95\x5C\\harnlo.ini"},
    };
    for (const auto& [folder, path] : cases) {
        EXPECT_EQ(JoinSettingsPath(folder), path);
    }
}

} // namespace
