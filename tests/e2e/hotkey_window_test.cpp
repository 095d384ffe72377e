// Choosing another key in the hotkey window of the real program, as a person would.
#include "hotkey_window_driver.h"
#include "link_log.h"
#include "test_support.h"
#include "other_program.h"
#include "screen_capture.h"
#include "unix_command.h"

#include "hotkey/hotkey_window.h"
#include "share/share_link.h"
#include "ui/window_layouts.h"

#include <gtest/gtest.h>

namespace {

constexpr int WINDOW_WIDTH = 176;
constexpr int WINDOW_HEIGHT = 168;

bool SameColour(COLORREF actual, Rgb expected) {
    return actual == RGB(expected.red, expected.green, expected.blue);
}

class HotkeyWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForTrayIconCount(0)) << "an icon of an earlier test is still there";
        WriteSettingsBytes("[x]\r\nxx=F1\r\n");
        PutOnXClipboard("https://" + std::string(SHARE_HOST) + "/s/chosenKey 提取码 wxyz");
    }

    // Presses the key; the link it opened, or "<no link>".
    std::string Press(const std::string& key, unsigned waitMs = 5000) {
        size_t seen = log_.Lines().size();
        PressKeys(key);
        if (!log_.WaitForLines(seen + 1, waitMs)) {
            return "<no link>";
        }
        return log_.Lines().back();
    }

    LinkLog log_;
};

TEST_F(HotkeyWindowTest, OpensCentredPresetToTheStoredKey) {
    WriteSettingsBytes("[x]\r\nxx=F5\r\n");
    HarnloProcess harnlo;
    HotkeyWindow hotkey = OpenHotkeyWindow(harnlo);
    ASSERT_NE(hotkey.window, nullptr);
    ASSERT_TRUE(hotkey.list && hotkey.label && hotkey.button);
    RECT rect = RectOf(hotkey.window);
    EXPECT_EQ(rect.right - rect.left, WINDOW_WIDTH);
    EXPECT_EQ(rect.bottom - rect.top, WINDOW_HEIGHT);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - WINDOW_WIDTH) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - WINDOW_HEIGHT) / 2);
    EXPECT_EQ(TextOf(hotkey.label), QUESTION_TEXT);
    EXPECT_EQ(SelectedKey(hotkey.list), "F5");
    EXPECT_FALSE(IsWindowEnabled(harnlo.MainWindow()));

    MoveMouse({50, 50});
    Sleep(200);
    Capture shot = CaptureScreen(rect);
    SaveBitmap(shot, "hotkey-window.bmp");
    RunUnixCommand("convert hotkey-window.bmp hotkey-window.png");
    struct Probe {
        int x, y;
        Rgb colour;
    };
    const Probe probes[] = {{1, 1, BLACK},          {174, 166, BLACK}, {4, 80, BLACK},
                            {171, 80, BLACK},       {88, 4, BLACK},    {88, 163, BLACK},
                            {6, 80, WHITE},         {150, 150, WHITE}, {52, 104, BUTTON_BLUE},
                            {122, 136, BUTTON_BLUE}};
    for (const Probe& p : probes) {
        EXPECT_TRUE(SameColour(shot.At(p.x, p.y), p.colour)) << "at " << p.x << ", " << p.y;
    }

    // Closed from outside: the settings stay as they were.
    PostMessageA(hotkey.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return harnlo.HotkeyWindow() == nullptr; }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(harnlo.MainWindow()) != FALSE; }));
    EXPECT_EQ(ReadSettingsBytes(), "[x]\r\nxx=F5\r\n");
}

TEST_F(HotkeyWindowTest, StoredNamesOutsideTheListPresetF1) {
    for (const char* stored : {"F10", "f3", ""}) {
        WriteSettingsBytes(std::string("[x]\r\nxx=") + stored + "\r\n");
        HarnloProcess harnlo;
        HotkeyWindow hotkey = OpenHotkeyWindow(harnlo);
        ASSERT_NE(hotkey.window, nullptr) << stored;
        EXPECT_EQ(SelectedKey(hotkey.list), "F1") << stored;
        PostMessageA(hotkey.window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return harnlo.HotkeyWindow() == nullptr; }));
    }
}

TEST_F(HotkeyWindowTest, ChoosingF8StoresAndRegistersIt) {
    HarnloProcess harnlo;
    EXPECT_EQ(Press("F1"), Link("chosenKey", "wxyz"));
    HotkeyWindow hotkey = OpenHotkeyWindow(harnlo);
    ASSERT_NE(hotkey.window, nullptr);
    PickKey(hotkey, "F8");
    ASSERT_EQ(SelectedKey(hotkey.list), "F8");
    Click(Centre(hotkey.button));
    EXPECT_TRUE(WaitUntil([&] { return harnlo.HotkeyWindow() == nullptr; }));
    EXPECT_TRUE(IsWindowEnabled(harnlo.MainWindow()));
    EXPECT_EQ(ReadSettingsBytes(), "[x]\r\nxx=F8\r\n");

    EXPECT_EQ(Press("F8"), Link("chosenKey", "wxyz"));
    // F1 no longer opens anything, and is free for other programs again.
    EXPECT_EQ(Press("F1", 1500), "<no link>");
    HWND probe =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    EXPECT_TRUE(RegisterHotKey(probe, 1, 0, VK_F1));
    UnregisterHotKey(probe, 1);
    DestroyWindow(probe);
}

TEST_F(HotkeyWindowTest, ConfirmingTheSameKeyKeepsItWorking) {
    HarnloProcess harnlo;
    HotkeyWindow hotkey = OpenHotkeyWindow(harnlo);
    ASSERT_NE(hotkey.window, nullptr);
    Click(Centre(hotkey.button));
    EXPECT_TRUE(WaitUntil([&] { return harnlo.HotkeyWindow() == nullptr; }));
    EXPECT_EQ(Press("F1"), Link("chosenKey", "wxyz"));
}

TEST_F(HotkeyWindowTest, AKeyHeldElsewhereKeepsTheWindowOpenWithTheMessage) {
    HarnloProcess harnlo;
    OtherProgramHoldingKey other(VK_F9);
    ASSERT_TRUE(other.Holding());
    HotkeyWindow hotkey = OpenHotkeyWindow(harnlo);
    ASSERT_NE(hotkey.window, nullptr);
    PickKey(hotkey, "F9");
    Click(Centre(hotkey.button));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(hotkey.label) == KEY_TAKEN_TEXT; }, 3000));
    Sleep(500);
    EXPECT_EQ(harnlo.HotkeyWindow(), hotkey.window);
    EXPECT_EQ(ReadSettingsBytes(), "[x]\r\nxx=F9\r\n");

    PickKey(hotkey, "F7");
    Click(Centre(hotkey.button));
    EXPECT_TRUE(WaitUntil([&] { return harnlo.HotkeyWindow() == nullptr; }));
    EXPECT_EQ(ReadSettingsBytes(), "[x]\r\nxx=F7\r\n");
    EXPECT_EQ(Press("F7"), Link("chosenKey", "wxyz"));
}

TEST_F(HotkeyWindowTest, OneWindowOnlyMovedByItsPanelNotClosedByEsc) {
    HarnloProcess harnlo;
    HotkeyWindow hotkey = OpenHotkeyWindow(harnlo);
    ASSERT_NE(hotkey.window, nullptr);

    // Asking again brings the same window forward.
    ChooseFromTrayMenu(true);
    Sleep(500);
    EXPECT_EQ(VisibleWindowsOf(harnlo.Id()).size(), 1u);
    EXPECT_EQ(harnlo.HotkeyWindow(), hotkey.window);

    // Esc goes to the focused control; the window stays.
    Click(Centre(hotkey.label));
    PressKeysWhereFocused("Escape");
    Sleep(300);
    EXPECT_EQ(harnlo.HotkeyWindow(), hotkey.window);

    // Dragging the white panel moves the window by as much as the mouse moved.
    RECT before = RectOf(hotkey.window);
    Drag({before.left + 20, before.top + 150}, {before.left + 80, before.top + 190});
    RECT moved = before;
    EXPECT_TRUE(WaitUntil(
        [&] {
            moved = RectOf(hotkey.window);
            return moved.left == before.left + 60 && moved.top == before.top + 40;
        },
        3000))
        << moved.left << ", " << moved.top;

    // Dragging on the text line moves it too; on the button or the list it does not.
    POINT onLabel = Centre(hotkey.label);
    Drag(onLabel, {onLabel.x - 60, onLabel.y - 40});
    EXPECT_TRUE(WaitUntil([&] { return RectOf(hotkey.window).left == before.left; }, 3000));
    RECT settled = RectOf(hotkey.window);
    POINT onButton = Centre(hotkey.button);
    Drag(onButton, {onButton.x + 150, onButton.y + 120});
    POINT onList = Centre(hotkey.list);
    Drag(onList, {onList.x + 150, onList.y - 120});
    PressKeysWhereFocused("Escape");
    Sleep(300);
    RECT after = RectOf(hotkey.window);
    EXPECT_EQ(after.left, settled.left);
    EXPECT_EQ(after.top, settled.top);
    EXPECT_EQ(harnlo.HotkeyWindow(), hotkey.window);
}

TEST_F(HotkeyWindowTest, ButtonTurnsLighterUnderThePointer) {
    HarnloProcess harnlo;
    HotkeyWindow hotkey = OpenHotkeyWindow(harnlo);
    ASSERT_NE(hotkey.window, nullptr);
    RECT button = RectOf(hotkey.button);
    MoveMouse(Centre(hotkey.button));
    EXPECT_TRUE(
        WaitUntil([&] { return SameColour(CaptureScreen(button).At(4, 4), BUTTON_HOT); }, 3000));
    MoveMouse({50, 50});
    EXPECT_TRUE(
        WaitUntil([&] { return SameColour(CaptureScreen(button).At(4, 4), BUTTON_BLUE); }, 3000));
}

TEST_F(HotkeyWindowTest, TheKeyKeepsWorkingWhileTheWindowIsOpen) {
    HarnloProcess harnlo;
    HotkeyWindow hotkey = OpenHotkeyWindow(harnlo);
    ASSERT_NE(hotkey.window, nullptr);
    EXPECT_EQ(Press("F1"), Link("chosenKey", "wxyz"));
    EXPECT_EQ(harnlo.HotkeyWindow(), hotkey.window);
}

TEST_F(HotkeyWindowTest, ExitWhileOpenStoresNothing) {
    WriteSettingsBytes("[x]\r\nxx=F3\r\n");
    HarnloProcess harnlo;
    HotkeyWindow hotkey = OpenHotkeyWindow(harnlo);
    ASSERT_NE(hotkey.window, nullptr);
    PickKey(hotkey, "F6");
    ChooseFromTrayMenu(false);
    EXPECT_EQ(harnlo.WaitForExit(), 0u);
    EXPECT_EQ(ReadSettingsBytes(), "[x]\r\nxx=F3\r\n");
    EXPECT_TRUE(WaitForTrayIconCount(0, 3000));
}

} // namespace
