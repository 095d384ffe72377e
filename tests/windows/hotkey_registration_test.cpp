// Registration of the configured key and the delivery of its presses, on a real main window.
#include "clipboard_fixture.h"
#include "link_log.h"
#include "other_program.h"
#include "screen_capture.h"
#include "unix_command.h"

#include "hotkey/hotkey_registration.h"
#include "hotkey/settings_file.h"
#include "share/convert_share_text.h"
#include "share/share_link.h"
#include "ui/window_builder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

struct Press {
    std::int32_t id;
    std::int32_t second;
};
std::vector<Press> presses;

// The label's handler: records the press, then converts as the program does.
void RecordAndConvert(std::int32_t id, std::int32_t second) {
    presses.push_back({id, second});
    ConvertShareText(id, second);
}

const ControlEvents MAIN_EVENTS[] = {{LABEL_NAME, RecordAndConvert, nullptr}};
const WindowDefinition TEST_MAIN_WINDOW = {&MAIN_WINDOW_LAYOUT, nullptr, nullptr, MAIN_EVENTS};

constexpr const char* FOCUS_TITLE = "HarnloKeyTarget";

void StoreSetting(const std::string& value) {
    std::string path = SettingsFilePath();
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream(path, std::ios::binary) << "[x]\r\nxx=" << value << "\r\n";
}

// Whether this key is free for another window to take (then it is given back at once).
bool KeyIsFree(UINT virtualKey, HWND probe) {
    if (!RegisterHotKey(probe, 1, 0, virtualKey)) {
        return false;
    }
    UnregisterHotKey(probe, 1);
    return true;
}

class HotkeyRegistrationTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        mainWindow = BuildWindow(TEST_MAIN_WINDOW, nullptr);
        probe = CreateWindowExA(0, "STATIC", "probe", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr);
        // A visible Wine window to hold the keyboard focus for real key presses.
        focusTarget = CreateWindowExA(0, "STATIC", FOCUS_TITLE, WS_POPUP | WS_VISIBLE | WS_BORDER,
                                      10, 10, 120, 60, nullptr, nullptr, nullptr, nullptr);
        PumpMessages(100);
    }
    static void TearDownTestSuite() {
        SetFileAttributesA(SettingsFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(SettingsFilePath().c_str());
    }

    // Delivers what a press of the key brings, as the message loop does.
    static void DispatchHotkey(WPARAM id) {
        MSG message = {mainWindow, WM_HOTKEY, id, 0, 0, {0, 0}};
        DispatchMessageA(&message);
    }

    static HWND mainWindow;
    static HWND probe;
    static HWND focusTarget;
};
HWND HotkeyRegistrationTest::mainWindow = nullptr;
HWND HotkeyRegistrationTest::probe = nullptr;
HWND HotkeyRegistrationTest::focusTarget = nullptr;

// The steps build on each other: the identifiers count the attempts of the whole run.
TEST_F(HotkeyRegistrationTest, IdentifiersAndKeysInTheOrderOfTheAttempts) {
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_EQ(registeredHotkeyId, 0);

    // First registration: F1 as 33001 on the main window.
    StoreSetting("F1");
    RegisterConfiguredHotkey();
    EXPECT_EQ(registeredHotkeyId, 33001);
    EXPECT_EQ(hotkeySetting, "F1");
    EXPECT_FALSE(KeyIsFree(VK_F1, probe));

    // "F10" from the file registers F10, although the hotkey window does not offer it; F1 is
    // given back to the other programs.
    StoreSetting("F10");
    RegisterConfiguredHotkey();
    EXPECT_EQ(registeredHotkeyId, 33002);
    EXPECT_FALSE(KeyIsFree(VK_F10, probe));
    EXPECT_TRUE(KeyIsFree(VK_F1, probe));

    // Settings that name no key register nothing and use up no identifier.
    // The profile functions trim blanks around a value unless it is quoted.
    for (const char* value : {"f1", " F1", "F1 ", "", "F13"}) {
        std::string quoted = "\"";
        quoted.append(value).append("\"");
        StoreSetting(quoted);
        RegisterConfiguredHotkey();
        EXPECT_EQ(registeredHotkeyId, 33002) << value;
        EXPECT_EQ(lastHotkeyId, 33002u) << value;
        EXPECT_EQ(hotkeySetting, value);
    }
    EXPECT_FALSE(KeyIsFree(VK_F10, probe));

    // Confirming the current key again works, under the next identifier.
    StoreSetting("F10");
    RegisterConfiguredHotkey();
    EXPECT_EQ(registeredHotkeyId, 33003);
    EXPECT_FALSE(KeyIsFree(VK_F10, probe));

    // A key that another program holds: the attempt fails and uses up its identifier.
    {
        OtherProgramHoldingKey other(VK_F1);
        ASSERT_TRUE(other.Holding());
        StoreSetting("F1");
        RegisterConfiguredHotkey();
        EXPECT_EQ(registeredHotkeyId, 0);
        EXPECT_EQ(lastHotkeyId, 33004u);
    }
    StoreSetting("F3");
    RegisterConfiguredHotkey();
    EXPECT_EQ(registeredHotkeyId, 33005);
    EXPECT_FALSE(KeyIsFree(VK_F3, probe));
}

TEST_F(HotkeyRegistrationTest, OnlyIdentifiersOfThisRunReachTheLabel) {
    ASSERT_NE(lastHotkeyId, 0u);
    ASSERT_EQ(registeredHotkeyId, static_cast<std::int32_t>(lastHotkeyId));
    PutUnicodeText(Widen("https://" + std::string(SHARE_HOST) + "/s/forwarded 提取码 abcd"));
    LinkLog log;
    size_t seen = log.Lines().size();
    presses.clear();
    for (WPARAM outside : {WPARAM{33000}, WPARAM{lastHotkeyId + 1}, WPARAM{1}, WPARAM{0}}) {
        DispatchHotkey(outside);
    }
    EXPECT_TRUE(presses.empty());
    DispatchHotkey(33001);
    DispatchHotkey(lastHotkeyId);
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].id, 33001);
    EXPECT_EQ(presses[1].id, static_cast<std::int32_t>(lastHotkeyId));
    EXPECT_EQ(presses[1].second, 0);
    // Only the press of the current registration opened a link.
    ASSERT_TRUE(log.WaitForLines(seen + 1));
    Sleep(500);
    auto lines = log.Lines();
    EXPECT_EQ(lines.size(), seen + 1);
    EXPECT_EQ(lines.back(), std::string(RESOLVER_LINK_PREFIX) + "forwarded&pwd=abcd");
}

TEST_F(HotkeyRegistrationTest, ARealKeyPressOpensTheLink) {
    StoreSetting("F1");
    RegisterConfiguredHotkey();
    ASSERT_NE(registeredHotkeyId, 0);
    PutUnicodeText(Widen("https://" + std::string(SHARE_HOST) + "/s/realPress 提取码 abcd"));
    LinkLog log;
    size_t seen = log.Lines().size();
    presses.clear();

    ASSERT_EQ(PressKeysInWindow(FOCUS_TITLE, "F1"), 0);
    DWORD started = GetTickCount();
    while (presses.empty() && GetTickCount() - started < 10000) {
        PumpMessages(20);
    }
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].id, registeredHotkeyId);
    EXPECT_EQ(presses[0].second, 0);
    ASSERT_TRUE(log.WaitForLines(seen + 1));
    EXPECT_EQ(log.Lines().back(), std::string(RESOLVER_LINK_PREFIX) + "realPress&pwd=abcd");
}

} // namespace
