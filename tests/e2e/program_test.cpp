// The whole program from outside: start-up, the main job, the icon and its menu, the ends.
#include "harnlo_driver.h"
#include "link_log.h"
#include "test_support.h"
#include "screen_capture.h"

#include "share/share_link.h"
#include "ui/window_layouts.h"

#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

// Presses F1 and waits for the link that it opens.
std::string PressAndCapture(LinkLog& log, const std::string& key = "F1") {
    size_t seen = log.Lines().size();
    PressKeys(key);
    if (!log.WaitForLines(seen + 1)) {
        return "<no link>";
    }
    return log.Lines().back();
}

Capture drawnMenu;

void CALLBACK CaptureOpenMenu(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    drawnMenu = CaptureScreen(RectOf(OpenMenu()));
    EndMenu();
}

// The popup as this process draws it, captured from a timer inside the menu's own loop.
Capture DrawnHere(HMENU popup) {
    HWND owner =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetTimer(owner, 1, 400, CaptureOpenMenu);
    SetForegroundWindow(owner);
    TrackPopupMenu(popup, TPM_LEFTALIGN, 100, 100, 0, owner, nullptr);
    DestroyWindow(owner);
    return drawnMenu;
}

class ProgramTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForTrayIconCount(0)) << "an icon of an earlier test is still there";
        WriteSettingsBytes("[x]\r\nxx=F1\r\n");
    }
    LinkLog log_;
};

TEST_F(ProgramTest, FirstStartIsSilentAndShowsTheIcon) {
    RemoveSettingsFile();
    HarnloProcess harnlo;
    ASSERT_EQ(TrayIconCount(), 1u);
    EXPECT_EQ(ReadSettingsBytes(), "[x]\r\nxx=F1\r\n");
    EXPECT_NE(harnlo.MainWindow(), nullptr);
    EXPECT_TRUE(VisibleWindowsOf(harnlo.Id()).empty());
    EXPECT_TRUE(IsWindowEnabled(harnlo.MainWindow()));

    // Hovering the icon shows its tip.
    MoveMouse(TrayIconCentre());
    HWND tip = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        for (HWND window : VisibleWindowsOf(0)) {
            char name[64] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == "tooltips_class32" && !TextOf(window).empty()) {
                tip = window;
                return true;
            }
        }
        return false;
    }));
    EXPECT_EQ(TextOf(tip), "Harnlo");
    MoveMouse({300, 300});
}

TEST_F(ProgramTest, ShareMessagesOnTheClipboardOpenTheirLinks) {
    HarnloProcess harnlo;
    const std::string host(SHARE_HOST);
    struct Case {
        std::string clipboard; // UTF-8, as an X program offers it
        std::string link;
    };
    const Case cases[] = {
        {"链接: https://" + host + "/s/1AbC-dE_f 提取码: wxyz 复制这段内容后打开App",
         Link("1AbC-dE_f", "wxyz")},
        {"链接：https://" + host + "/s/2abcDEF\n提取码：k9m2\n--来自分享", Link("2abcDEF", "k9m2")},
        {"https://" + host + "/s/3linkcode?pwd=ab12", Link("3linkcode", "ab12")},
        {"no share here", Link("", "")},
    };
    for (const Case& c : cases) {
        PutOnXClipboard(c.clipboard);
        EXPECT_EQ(PressAndCapture(log_), c.link) << c.clipboard;
    }
    EXPECT_TRUE(harnlo.Running());
}

TEST_F(ProgramTest, RightClickOpensTheMenuLeftClicksDoNothing) {
    HarnloProcess harnlo;
    POINT centre = TrayIconCentre();

    Click(centre, 1);
    DoubleClick(centre);
    Sleep(500);
    EXPECT_EQ(OpenMenu(), nullptr);
    EXPECT_TRUE(VisibleWindowsOf(harnlo.Id()).empty());

    Click(centre, 3);
    HWND menu = WaitForOpenMenu();
    ASSERT_NE(menu, nullptr);
    DWORD menuOwner = 0;
    GetWindowThreadProcessId(menu, &menuOwner);
    EXPECT_EQ(menuOwner, harnlo.Id());
    // It hangs from its top right corner, 5 pixels left of the cursor (and is pushed up from
    // the bottom of the screen).
    RECT rect = RectOf(menu);
    EXPECT_EQ(rect.right, centre.x - 5);
    // The items as the system draws "退出" over "重设快捷键": the same menu made here
    // looks the same, pixel for pixel.
    MoveMouse({200, 200});
    Sleep(300);
    Capture shown = CaptureScreen(rect);
    HMENU reference = CreatePopupMenu();
    AppendMenuA(reference, MF_STRING, 1, EXIT_TEXT);
    AppendMenuA(reference, MF_STRING, 2, RESET_HOTKEY_TEXT);
    HMENU swapped = CreatePopupMenu();
    AppendMenuA(swapped, MF_STRING, 1, RESET_HOTKEY_TEXT);
    AppendMenuA(swapped, MF_STRING, 2, EXIT_TEXT);
    EXPECT_EQ(DrawnHere(reference).pixels, shown.pixels);
    EXPECT_NE(DrawnHere(swapped).pixels, shown.pixels);
    DestroyMenu(reference);
    DestroyMenu(swapped);

    // Clicking outside closes it and runs nothing.
    Click({300, 300});
    EXPECT_TRUE(WaitUntil([] { return OpenMenu() == nullptr; }));
    Sleep(300);
    EXPECT_TRUE(harnlo.Running());
    EXPECT_EQ(harnlo.HotkeyWindow(), nullptr);
}

TEST_F(ProgramTest, ExitFromTheMenuEndsWithCodeZeroAndTakesTheIcon) {
    HarnloProcess harnlo;
    Click(TrayIconCentre(), 3);
    HWND menu = WaitForOpenMenu();
    ASSERT_NE(menu, nullptr);
    RECT rect = RectOf(menu);
    // "退出" is the upper of the two items.
    Click({(rect.left + rect.right) / 2, rect.top + (rect.bottom - rect.top) / 4});
    EXPECT_EQ(harnlo.WaitForExit(), 0u);
    EXPECT_TRUE(WaitForTrayIconCount(0, 3000));
    EXPECT_EQ(ReadSettingsBytes(), "[x]\r\nxx=F1\r\n");
}

TEST_F(ProgramTest, CloseFromOutsideEndsWithCodeZero) {
    HarnloProcess harnlo;
    ASSERT_NE(harnlo.MainWindow(), nullptr);
    PostMessageA(harnlo.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(harnlo.WaitForExit(), 0u);
    EXPECT_TRUE(WaitForTrayIconCount(0, 3000));
}

TEST_F(ProgramTest, TheIconComesBackWhenTheTaskbarIsCreated) {
    HarnloProcess harnlo;
    // The shell forgets the icon, as when it restarts...
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = harnlo.MainWindow();
    record.uID = 100;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &record));
    ASSERT_TRUE(WaitForTrayIconCount(0));
    // ... and announces its new taskbar to every program.
    DWORD_PTR unused;
    SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0,
                        SMTO_ABORTIFHUNG, 3000, &unused);
    EXPECT_TRUE(WaitForTrayIconCount(1));
}

TEST_F(ProgramTest, ASecondCopyLeavesTheKeyToTheFirst) {
    HarnloProcess first;
    PutOnXClipboard("https://" + std::string(SHARE_HOST) + "/s/copies 提取码 abcd");
    {
        HarnloProcess second;
        EXPECT_EQ(TrayIconCount(), 2u);
        size_t seen = log_.Lines().size();
        EXPECT_EQ(PressAndCapture(log_), Link("copies", "abcd"));
        // One press, one link: the second copy holds no key.
        Sleep(700);
        size_t lines = log_.Lines().size();
        EXPECT_EQ(lines, seen + 1);
        PostMessageA(second.MainWindow(), WM_CLOSE, 0, 0);
        EXPECT_EQ(second.WaitForExit(), 0u);
        EXPECT_EQ(log_.Lines().size(), lines);
    }
    EXPECT_EQ(PressAndCapture(log_), Link("copies", "abcd"));
    EXPECT_TRUE(WaitForTrayIconCount(1));
}

} // namespace
