// The key-press handler end to end on the real clipboard: the link that reaches the browser.
#include "clipboard_fixture.h"
#include "link_log.h"
#include "test_support.h"

#include "hotkey/hotkey_registration.h"
#include "share/convert_share_text.h"
#include "share/share_link.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr std::int32_t CURRENT_ID = 33002;

class ConvertShareTextTest : public testing::Test {
protected:
    void SetUp() override {
        if (const char* expected = std::getenv("HARNLO_EXPECT_ACP")) {
            ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
        }
        registeredHotkeyId = CURRENT_ID;
        seen_ = log_.Lines().size();
    }

    // Runs the handler for a press of the current key and returns the link that it opened.
    std::string PressAndCapture() {
        ConvertShareText(CURRENT_ID, 0);
        EXPECT_TRUE(log_.WaitForLines(seen_ + 1)) << "no link reached the browser";
        auto lines = log_.Lines();
        if (lines.size() <= seen_) {
            return "<none>";
        }
        seen_ = lines.size();
        return lines.back();
    }

    LinkLog log_;
    size_t seen_ = 0;
};

TEST_F(ConvertShareTextTest, UnicodeChineseShareMessage) {
    PutUnicodeText(
        Widen(WithHost("链接: https://{host}/s/1AbC-dE_f 提取码: wxyz 复制这段内容后打开App")));
    EXPECT_EQ(PressAndCapture(), Link("1AbC-dE_f", "wxyz"));

    PutUnicodeText(Widen(WithHost("链接：https://{host}/s/1abcDEF\r\n提取码：中文")));
    EXPECT_EQ(PressAndCapture(), Link("1abcDEF", "%D6%D0%CE%C4"));
}

TEST_F(ConvertShareTextTest, AnsiOnlyChineseShareMessage) {
    PutAnsiText(ToCodePage936(WithHost("链接：https://{host}/s/1abcDEF\r\n提取码：wxyz")));
    EXPECT_EQ(PressAndCapture(), Link("1abcDEF", "wxyz"));
}

TEST_F(ConvertShareTextTest, AsciiLinkCarryingItsCode) {
    PutAnsiText(WithHost("https://{host}/s/1abcDEF?pwd=wx&y"));
    EXPECT_EQ(PressAndCapture(), Link("1abcDEF", "wx%26y"));
}

TEST_F(ConvertShareTextTest, EmptyClipboardOpensTheLinkWithBothValuesEmpty) {
    EmptyTheClipboard();
    EXPECT_EQ(PressAndCapture(), Link("", ""));
}

TEST_F(ConvertShareTextTest, ClipboardWithoutTextOpensTheLinkWithBothValuesEmpty) {
    UINT format = RegisterClipboardFormatA("Harnlo test private data");
    const char data[] = "https://pan/s/notext";
    PutRawData(format, data, sizeof data);
    EXPECT_EQ(PressAndCapture(), Link("", ""));
}

TEST_F(ConvertShareTextTest, ClipboardHeldOpenByAnotherWindow) {
    PutUnicodeText(Widen(WithHost("https://{host}/s/held 提取码 abcd")));
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Holding());
        EXPECT_EQ(PressAndCapture(), Link("", ""));
    }
    // Once it is free again the same text converts.
    EXPECT_EQ(PressAndCapture(), Link("held", "abcd"));
}

TEST_F(ConvertShareTextTest, ClipboardHeldForAMomentStillGivesItsText) {
    PutUnicodeText(Widen(WithHost("https://{host}/s/moment 提取码 abcd")));
    // A clipboard manager on a busy machine, right after the copy.
    ClipboardHolder holder(250);
    ASSERT_TRUE(holder.Holding());
    EXPECT_EQ(PressAndCapture(), Link("moment", "abcd"));
}

TEST_F(ConvertShareTextTest, PressOfAnEarlierKeyOpensNothing) {
    PutUnicodeText(Widen(WithHost("https://{host}/s/earlier 提取码 abcd")));
    ConvertShareText(CURRENT_ID - 1, 0);
    registeredHotkeyId = 0;
    ConvertShareText(CURRENT_ID, 0);
    registeredHotkeyId = CURRENT_ID;

    PutUnicodeText(Widen(WithHost("https://{host}/s/current 提取码 efgh")));
    EXPECT_EQ(PressAndCapture(), Link("current", "efgh"));
    // Only the current key's link arrived: the log grew by exactly one line.
    Sleep(500);
    EXPECT_EQ(log_.Lines().size(), seen_);
}

} // namespace
