// The two windows and their controls as BuildWindow makes them, on Wine's real window manager.
#include "screen_capture.h"

#include "ui/messages.h"
#include "ui/window_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Feedback {
    std::int32_t first;
    std::int32_t second;
};
std::vector<Feedback> feedbacks;
int mainCreatedCount = 0;
bool mainControlsExistedWhenCreated = false;
bool hotkeyVisibleWhenCreated = true;
int clicks = 0;

void RecordFeedback(std::int32_t first, std::int32_t second) {
    feedbacks.push_back({first, second});
}

void OnTestMainCreated() {
    ++mainCreatedCount;
    HWND main = BuiltWindowHandle(MAIN_WINDOW_LAYOUT);
    mainControlsExistedWhenCreated = BuiltControlHandle(main, LABEL_NAME) != nullptr;
}

void OnTestHotkeyCreated() {
    hotkeyVisibleWhenCreated = IsWindowVisible(BuiltWindowHandle(HOTKEY_WINDOW_LAYOUT)) != FALSE;
}

void RecordClick() {
    ++clicks;
}

const ControlEvents MAIN_EVENTS[] = {{LABEL_NAME, RecordFeedback, nullptr}};
const WindowDefinition TEST_MAIN_WINDOW = {&MAIN_WINDOW_LAYOUT, OnTestMainCreated, nullptr,
                                           MAIN_EVENTS};
const ControlEvents HOTKEY_EVENTS[] = {{BUTTON_NAME, nullptr, RecordClick}};
const WindowDefinition TEST_HOTKEY_WINDOW = {&HOTKEY_WINDOW_LAYOUT, OnTestHotkeyCreated, nullptr,
                                             HOTKEY_EVENTS};

std::string TextOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A control's place in the client coordinates of its parent.
RECT PlaceInParent(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectPlace(HWND control, int left, int top, int width, int height) {
    RECT rect = PlaceInParent(control);
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right - rect.left, width);
    EXPECT_EQ(rect.bottom - rect.top, height);
}

void ExpectCentredTopLevel(HWND window, const WindowLayout& layout) {
    RECT rect;
    GetWindowRect(window, &rect);
    Point expected = CenteredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                    layout.width, layout.height);
    EXPECT_EQ(rect.left, expected.x);
    EXPECT_EQ(rect.top, expected.y);
    EXPECT_EQ(rect.right - rect.left, layout.width);
    EXPECT_EQ(rect.bottom - rect.top, layout.height);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_SYSMENU |
                       WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              0);
    EXPECT_NE(style & WS_CLIPCHILDREN, 0);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_TOPMOST), 0);
    EXPECT_EQ(TextOf(window), "");
}

bool SameColour(COLORREF actual, Rgb expected) {
    return actual == RGB(expected.red, expected.green, expected.blue);
}

std::string Describe(COLORREF c) {
    return "RGB(" + std::to_string(GetRValue(c)) + ", " + std::to_string(GetGValue(c)) + ", " +
           std::to_string(GetBValue(c)) + ")";
}

class WindowsTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        mainWindow = BuildWindow(TEST_MAIN_WINDOW, nullptr);
        owner = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                nullptr, nullptr);
    }
    static HWND mainWindow;
    static HWND owner;
};
HWND WindowsTest::mainWindow = nullptr;
HWND WindowsTest::owner = nullptr;

TEST_F(WindowsTest, MainWindowIsHiddenWithItsLabelAndMenu) {
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_EQ(mainCreatedCount, 1);
    EXPECT_TRUE(mainControlsExistedWhenCreated);
    EXPECT_FALSE(IsWindowVisible(mainWindow));
    EXPECT_EQ(GetWindow(mainWindow, GW_OWNER), nullptr);
    ExpectCentredTopLevel(mainWindow, MAIN_WINDOW_LAYOUT);

    HWND label = BuiltControlHandle(mainWindow, LABEL_NAME);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(GetParent(label), mainWindow);
    EXPECT_TRUE(IsWindowVisible(label) || !IsWindowVisible(mainWindow));
    EXPECT_NE(GetWindowLongA(label, GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(TextOf(label), QUESTION_TEXT);
    EXPECT_EQ(GetWindowLongA(label, GWL_STYLE) & WS_TABSTOP, 0);

    HMENU bar = GetMenu(mainWindow);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    char text[64];
    GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, MENU_TEXT);
    HMENU dropDown = GetSubMenu(bar, 0);
    ASSERT_NE(dropDown, nullptr);
    ASSERT_EQ(GetMenuItemCount(dropDown), 2);
    const std::pair<const char*, UINT> items[] = {{EXIT_TEXT, 20001}, {RESET_HOTKEY_TEXT, 20002}};
    for (int i = 0; i < 2; ++i) {
        GetMenuStringA(dropDown, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, items[i].first);
        EXPECT_EQ(GetMenuItemID(dropDown, i), items[i].second);
        EXPECT_EQ(GetMenuState(dropDown, static_cast<UINT>(i), MF_BYPOSITION) &
                      (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR),
                  0u);
    }
}

TEST_F(WindowsTest, LabelRaisesItsFeedbackEvent) {
    HWND label = BuiltControlHandle(mainWindow, LABEL_NAME);
    feedbacks.clear();
    EXPECT_EQ(SendMessageA(label, LABEL_FEEDBACK_MESSAGE, 33007, 42), 0);
    EXPECT_EQ(SendMessageA(label, LABEL_FEEDBACK_MESSAGE, static_cast<WPARAM>(-5), -6), 0);
    ASSERT_EQ(feedbacks.size(), 2u);
    EXPECT_EQ(feedbacks[0].first, 33007);
    EXPECT_EQ(feedbacks[0].second, 42);
    EXPECT_EQ(feedbacks[1].first, -5);
    EXPECT_EQ(feedbacks[1].second, -6);
    // Other messages raise nothing.
    SendMessageA(label, WM_USER + 1, 1, 2);
    EXPECT_EQ(feedbacks.size(), 2u);
}

TEST_F(WindowsTest, HotkeyWindowAsBuilt) {
    HWND window = BuildWindow(TEST_HOTKEY_WINDOW, owner);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(hotkeyVisibleWhenCreated);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
    ExpectCentredTopLevel(window, HOTKEY_WINDOW_LAYOUT);
    EXPECT_EQ(GetMenu(window), nullptr);

    HWND frame = BuiltControlHandle(window, FRAME_NAME);
    HWND label = BuiltControlHandle(window, LABEL_NAME);
    HWND list = BuiltControlHandle(window, LIST_NAME);
    HWND button = BuiltControlHandle(window, BUTTON_NAME);
    ASSERT_TRUE(frame && label && list && button);
    EXPECT_EQ(GetParent(frame), window);
    for (HWND inFrame : {label, list, button}) {
        EXPECT_EQ(GetParent(inFrame), frame);
        EXPECT_TRUE(IsWindowVisible(inFrame));
    }
    ExpectPlace(frame, 4, 4, 168, 160);
    ExpectPlace(label, 12, 8, 144, 24);
    ExpectPlace(button, 44, 96, 80, 40);
    EXPECT_EQ(TextOf(label), QUESTION_TEXT);

    // The list: a drop-down list of eleven keys, "F1" selected, created 160 high.
    EXPECT_EQ(ClassOf(list), "ComboBox");
    LONG listStyle = GetWindowLongA(list, GWL_STYLE);
    EXPECT_EQ(listStyle & 0x3, CBS_DROPDOWNLIST);
    EXPECT_NE(listStyle & WS_TABSTOP, 0);
    EXPECT_EQ(listStyle & CBS_SORT, 0);
    RECT place = PlaceInParent(list);
    EXPECT_EQ(place.left, 40);
    EXPECT_EQ(place.top, 40);
    EXPECT_EQ(place.right - place.left, 88);
    // The combo box hands WS_VSCROLL on to its dropped list.
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(list, &info));
    EXPECT_NE(GetWindowLongA(info.hwndList, GWL_STYLE) & WS_VSCROLL, 0);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 11);
    const char* expected[] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F11", "F12"};
    for (int i = 0; i < 11; ++i) {
        char item[16] = {};
        SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, expected[i]);
    }
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(TextOf(list), "F1");

    // Its font: 24 pixels, normal weight, proof quality, the default face.
    auto font = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA logFont = {};
    ASSERT_TRUE(GetObjectA(font, sizeof logFont, &logFont));
    EXPECT_EQ(logFont.lfHeight, -24);
    EXPECT_EQ(logFont.lfWeight, 400);
    EXPECT_EQ(logFont.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(logFont.lfCharSet, DEFAULT_CHARSET);
    EXPECT_FALSE(logFont.lfItalic || logFont.lfUnderline || logFont.lfStrikeOut);
    EXPECT_STREQ(logFont.lfFaceName, "");

    // Against lists made here with the same font: the list was created 160 high (its field
    // and its dropped list together), and each item is one pixel higher than the system makes it.
    auto referenceList = [&](int height) {
        HWND reference =
            CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 0, 88,
                            height, frame, nullptr, nullptr, nullptr);
        SendMessageA(reference, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageA(reference, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("F1"));
        return reference;
    };
    auto droppedExtent = [](HWND combo) {
        RECT field, dropped;
        GetWindowRect(combo, &field);
        SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        return dropped.bottom - field.top;
    };
    HWND created160 = referenceList(160);
    HWND created20 = referenceList(20);
    EXPECT_EQ(droppedExtent(list), droppedExtent(created160));
    EXPECT_NE(droppedExtent(list), droppedExtent(created20));
    EXPECT_EQ(SendMessageA(list, CB_GETITEMHEIGHT, 0, 0),
              SendMessageA(created160, CB_GETITEMHEIGHT, 0, 0) + 1);
    DestroyWindow(created160);
    DestroyWindow(created20);

    // The button: the system's, drawn by Harnlo, not a default push button.
    EXPECT_EQ(ClassOf(button), "Button");
    LONG buttonStyle = GetWindowLongA(button, GWL_STYLE);
    EXPECT_EQ(buttonStyle & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_NE(buttonStyle & WS_TABSTOP, 0);
    EXPECT_EQ(TextOf(button), OK_TEXT);

    // A click raises the clicked event.
    clicks = 0;
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);

    DestroyWindow(window);
    EXPECT_EQ(BuiltWindowHandle(HOTKEY_WINDOW_LAYOUT), nullptr);
}

TEST_F(WindowsTest, HotkeyWindowOnTheScreen) {
    HWND window = BuildWindow(TEST_HOTKEY_WINDOW, owner);
    ASSERT_NE(window, nullptr);
    SetCursorPos(0, 0);
    SetForegroundWindow(window);
    PumpMessages(300);
    RECT rect;
    GetWindowRect(window, &rect);
    Capture shot = CaptureScreen(rect);
    SaveBitmap(shot, "hotkey-window.bmp");

    struct Probe {
        int x, y;
        Rgb colour;
        const char* what;
    };
    const Probe probes[] = {
        {0, 0, BLACK, "margin, top left"},          {2, 100, BLACK, "margin, left"},
        {173, 165, BLACK, "margin, bottom right"},  {4, 60, BLACK, "frame outline, left"},
        {100, 4, BLACK, "frame outline, top"},      {171, 60, BLACK, "frame outline, right"},
        {100, 163, BLACK, "frame outline, bottom"}, {5, 60, WHITE, "panel inside the outline"},
        {20, 150, WHITE, "panel, bottom left"},     {17, 13, WHITE, "label background"},
        {50, 102, BUTTON_BLUE, "button, top left"}, {125, 137, BUTTON_BLUE, "button, bottom right"},
    };
    for (const Probe& p : probes) {
        COLORREF actual = shot.At(p.x, p.y);
        EXPECT_TRUE(SameColour(actual, p.colour))
            << p.what << " at (" << p.x << ", " << p.y << ") is " << Describe(actual);
    }

    // The button turns lighter while the pointer is over it, and back when it leaves.
    HWND button = BuiltControlHandle(window, BUTTON_NAME);
    RECT buttonRect;
    GetWindowRect(button, &buttonRect);
    SetCursorPos(buttonRect.left + 10, buttonRect.top + 5);
    PumpMessages(300);
    COLORREF hot = CaptureScreen(buttonRect).At(5, 5);
    EXPECT_TRUE(SameColour(hot, BUTTON_HOT)) << Describe(hot);
    SetCursorPos(0, 0);
    PumpMessages(300);
    COLORREF normal = CaptureScreen(buttonRect).At(5, 5);
    EXPECT_TRUE(SameColour(normal, BUTTON_BLUE)) << Describe(normal);
    DestroyWindow(window);
}

TEST_F(WindowsTest, DraggingThePanelMovesTheWindow) {
    HWND window = BuildWindow(TEST_HOTKEY_WINDOW, owner);
    ASSERT_NE(window, nullptr);
    RECT before;
    GetWindowRect(window, &before);
    HWND label = BuiltControlHandle(window, LABEL_NAME);
    HWND list = BuiltControlHandle(window, LIST_NAME);
    HWND frame = BuiltControlHandle(window, FRAME_NAME);

    // A press that the loop takes for the label, the frame or the window itself starts a move;
    // one on the list does not.
    struct Case {
        HWND target;
        bool moves;
    };
    for (const Case& c :
         {Case{list, false}, Case{label, true}, Case{frame, true}, Case{window, true}}) {
        MSG press = {c.target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), 0, {0, 0}};
        PrepareToDispatch(press);
        MSG posted;
        bool movePosted =
            PeekMessageA(&posted, window, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE) != FALSE;
        EXPECT_EQ(movePosted, c.moves);
        if (movePosted) {
            EXPECT_EQ(posted.wParam, static_cast<WPARAM>(HTCAPTION));
            EXPECT_EQ(posted.lParam, 0);
        }
    }
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_EQ(after.left, before.left);
    DestroyWindow(window);
}

} // namespace
