#include "share/text_routines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// "\xB0\x61" is one two-byte character whose second byte is 'a'.
constexpr const char* LEAD_A_B = "\xB0"
                                 "ab";

struct TakeCase {
    const char* text;
    std::int64_t n;
    const char* left;
    const char* right;
};

TEST(TextRoutines, TakeLeftAndTakeRight) {
    const TakeCase cases[] = {
        {"abc", 2, "ab", "bc"},
        {"abc", 3, "abc", "abc"},
        {"abc", 9, "abc", "abc"},
        {"abc", 0, "", ""},
        {"abc", -1, "", ""},
        {"", 2, "", ""},
        // Cuts by count split characters: the lead byte stays alone at the end.
        {"ab\xB0\x61x", 3, "ab\xB0", "\xB0\x61x"},
        {"\xB0\x61x", 2, "\xB0\x61", "\x61x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text=" << c.text << " n=" << c.n);
        EXPECT_EQ(TakeLeft(c.text, c.n), c.left);
        EXPECT_EQ(TakeRight(c.text, c.n), c.right);
    }
}

struct FindCase {
    const char* text;
    const char* sub;
    std::int64_t start;
    bool ignoreCase;
    std::int64_t expected;
};

TEST(TextRoutines, FindForward) {
    const FindCase cases[] = {
        {"abcabc", "bc", 1, false, 2},
        {"abcabc", "bc", 3, false, 5},
        {"abcabc", "bc", 0, false, 2},
        {"abcabc", "bc", -7, false, 2},
        {"abcabc", "BC", 1, false, -1},
        {"abcabc", "BC", 1, true, 2},
        {"abc", "abcd", 1, false, -1},
        {"abc", "c", 4, false, -1},
        // An empty sub-text: 1 for any non-empty region, also when the start is above 1.
        {"abc", "", 1, false, 1},
        {"abc", "", 3, false, 1},
        {"abc", "", 4, false, -1},
        {"", "", 1, false, -1},
        {"", "a", 1, false, -1},
        // From a character start the scan never looks inside a two-byte character ...
        {LEAD_A_B, "ab", 1, false, -1},
        {LEAD_A_B, "b", 1, false, 3},
        // ... but a scan that starts on a second byte begins there.
        {LEAD_A_B, "ab", 2, false, 2},
        // A lead byte before the end is compared before the scan ends.
        {"a\xB0", "\xB0", 1, false, 2},
        {"\xB0x", "x", 1, false, -1},
        // Case folding touches ASCII letters only.
        {"\xC4\xE3", "\xE4\xE3", 1, true, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text=" << c.text << " sub=" << c.sub
                                        << " start=" << c.start << " ic=" << c.ignoreCase);
        EXPECT_EQ(FindForward(c.text, c.sub, c.start, c.ignoreCase), c.expected);
    }
}

TEST(TextRoutines, FindBackward) {
    const FindCase cases[] = {
        {"abcabc", "bc", 7, false, 5},
        {"abcabc", "bc", 100, false, 5},
        // With the start equal to the length, a match ending on the last byte is not seen.
        {"abcabc", "bc", 6, false, 2},
        {"abcabc", "BC", 7, true, 5},
        {"abcabc", "BC", 7, false, -1},
        {"abc", "b", 1, false, -1},
        {"abc", "b", 0, false, -1},
        {"abc", "", 2, false, 1},
        {"abc", "", 1, false, -1},
        {"", "", 5, false, -1},
        {"\xB0\x61\x61", "a", 9, false, 3},
        {LEAD_A_B, "ab", 9, false, -1},
        {"ab\xB0", "\xB0", 9, false, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text=" << c.text << " sub=" << c.sub
                                        << " start=" << c.start << " ic=" << c.ignoreCase);
        EXPECT_EQ(FindBackward(c.text, c.sub, c.start, c.ignoreCase), c.expected);
    }
}

struct ReplaceCase {
    const char* text;
    const char* find;
    const char* replacement;
    std::int64_t start;
    std::optional<std::int64_t> count;
    bool caseSensitive;
    const char* expected;
};

TEST(TextRoutines, ReplaceSubtext) {
    const ReplaceCase cases[] = {
        {"a:b:c", ":", "", 1, std::nullopt, true, "abc"},
        {"a:b:c", ":", "<>", 1, std::nullopt, true, "a<>b<>c"},
        {"a:b:c", ":", "", 3, std::nullopt, true, "a:bc"},
        {"a:b:c", ":", "", -3, std::nullopt, true, "abc"},
        {"a:b:c", ":", "-", 1, 1, true, "a-b:c"},
        {"a:b:c", ":", "-", 1, -1, true, "a-b-c"},
        {"a:b:c", ":", "-", 1, 0, true, "a:b:c"},
        {"aXbx", "x", "", 1, std::nullopt, false, "ab"},
        {"aXbx", "x", "", 1, std::nullopt, true, "aXb"},
        {"abc", "", "z", 1, std::nullopt, true, "abc"},
        {"abc", "b", "z", 4, std::nullopt, true, "abc"},
        {"", "a", "z", 1, std::nullopt, true, ""},
        {"aaa", "aa", "b", 1, std::nullopt, true, "ba"},
        // A one-byte find text drops a lead byte that ends the text, unless it matches it.
        {"ab\xB0", "x", "", 1, std::nullopt, true, "ab"},
        {"ab\xB0", "\xB0", "!", 1, std::nullopt, true, "ab!"},
        {"ab\xB0", "xy", "", 1, std::nullopt, true, "ab\xB0"},
        // No match inside a two-byte character.
        {LEAD_A_B, "ab", "", 1, std::nullopt, true, LEAD_A_B},
        {"\xB0:x:", ":", "", 1, std::nullopt, true, "\xB0:x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "text=" << c.text << " find=" << c.find << " start=" << c.start);
        EXPECT_EQ(ReplaceSubtext(c.text, c.find, c.replacement, c.start, c.count, c.caseSensitive),
                  c.expected);
    }
}

TEST(TextRoutines, ReplaceManyRunsThePassesInOrder) {
    // The cleaning of a share message: CR, ASCII colon, full-width colon.
    EXPECT_EQ(ReplaceMany("a\r\nb:c\xA3\xBA"
                          "d",
                          std::nullopt, 0, false, "\r", "", ":", "", "\xA3\xBA", ""),
              "a\nbcd");
    // Each pass works on the result of the one before.
    EXPECT_EQ(ReplaceMany("abc", std::nullopt, 0, false, "a", "b", "bb", "X"), "Xc");
    // Only the first pair given: that pair alone, without regard to case by default.
    EXPECT_EQ(ReplaceMany("aXa", std::nullopt, 0, false, "x", "y"), "aya");
    EXPECT_EQ(ReplaceMany("aXa", std::nullopt, 0, true, "x", "y"), "aXa");
    // The count and the start apply to every pass separately.
    EXPECT_EQ(ReplaceMany("a:b:c:d;e;f;g", 2, 0, true, ":", "", ";", ""), "abc:def;g");
    EXPECT_EQ(ReplaceMany("::;;", std::nullopt, 2, true, ":", "", ";", ""), ":");
    EXPECT_EQ(ReplaceMany("", std::nullopt, 0, false, "a", "b"), "");
}

TEST(TextRoutines, FindTextPosition) {
    const FindCase cases[] = {
        {"", "a", 0, false, -1},
        {"a", "", 0, false, -1},
        {"ab", "abc", 0, false, -1},
        {"xxabc", "abc", 0, false, 3},
        {"abcabc", "abc", 2, false, 4},
        {"abcabc", "abc", 4, false, 4},
        {"abc", "c", 4, false, -1},
        {"abc", "c", 9, false, -1},
        {"ABC", "abc", 0, false, -1},
        {"ABC", "abc", 0, true, 1},
        {"abc", "ABC", 0, true, 1},
        // Every byte offset is tried, also inside a two-byte character.
        {LEAD_A_B, "ab", 0, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text=" << c.text << " sub=" << c.sub
                                        << " start=" << c.start << " ic=" << c.ignoreCase);
        EXPECT_EQ(FindTextPosition(c.text, c.sub, c.start, c.ignoreCase), c.expected);
    }
}

struct MarkerCase {
    const char* text;
    const char* marker;
    std::int64_t position;
    bool ignoreCase;
    const char* expected;
};

TEST(TextRoutines, TextAfter) {
    const MarkerCase cases[] = {
        {"a=b=c", "=", 0, false, "c"},
        // The last occurrence has nothing after it: the earlier one is taken.
        {"a=b=", "=", 0, false, "b="},
        {"ab=", "=", 0, false, ""},
        {"=", "=", 0, false, ""},
        {"", "=", 0, false, ""},
        {"abc", "=", 0, false, ""},
        {"a=b=c", "=", -1, false, "b=c"},
        {"a=b=c", "=", -3, false, "c"},
        {"a=b=c", "=", -5, false, ""},
        {"a=b=c", "=", 1, false, "b=c"},
        {"aXbxc", "x", 0, true, "c"},
        {"aXbxc", "X", 0, false, "bxc"},
        {"a==b", "==", 0, false, "b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text=" << c.text << " k=" << c.position);
        EXPECT_EQ(TextAfter(c.text, c.marker, c.position, c.ignoreCase), c.expected);
    }
}

TEST(TextRoutines, TextBefore) {
    const MarkerCase cases[] = {
        {"a=b=c", "=", 0, false, "a"},        {"=abc", "=", 0, false, ""},
        {"abc", "=", 0, false, ""},           {"", "=", 0, false, ""},
        {"a=b=c", "=", -1, false, "a=b"},     {"a=b=", "=", -1, false, "a"},
        {"a=b=c", "=", -2, false, "a"},       {"a=b=c", "=", 3, false, "a=b"},
        {"aXbxc", "x", 0, true, "a"},         {"aXbxc", "x", 0, false, "aXb"},
        {"\xB0=a=", "=", 0, false, "\xB0=a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text=" << c.text << " k=" << c.position);
        EXPECT_EQ(TextBefore(c.text, c.marker, c.position, c.ignoreCase), c.expected);
    }
}

TEST(TextRoutines, ExtremeOptionsDoNotOverflow) {
    constexpr auto MIN = INT64_MIN;
    constexpr auto MAX = INT64_MAX;
    EXPECT_EQ(TextAfter("a=b", "=", MIN), "");
    EXPECT_EQ(TextAfter("a=b", "=", MAX), "");
    EXPECT_EQ(TextBefore("a=b", "=", MIN), "");
    EXPECT_EQ(TextBefore("a=b", "=", MAX), "");
    EXPECT_EQ(FindForward("abc", "b", MIN, false), 2);
    EXPECT_EQ(FindBackward("abc", "b", MAX, false), 2);
    EXPECT_EQ(FindTextPosition("abc", "b", MAX), -1);
    EXPECT_EQ(FindTextPosition("abc", "b", MIN), -1);
    EXPECT_EQ(ReplaceSubtext("a:b", ":", "", MIN, MIN, true), "ab");
    EXPECT_EQ(TakeLeft("abc", MAX), "abc");
    EXPECT_EQ(TakeRight("abc", MIN), "");
}

} // namespace
