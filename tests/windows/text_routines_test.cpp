// The byte-wise search with the system library's strstr and _strlwr, as the program uses it.
#include "share/text_routines.h"

#include <gtest/gtest.h>

namespace {

TEST(NtdllTextRoutines, FindTextPositionThroughTheSystemLibrary) {
    EXPECT_EQ(FindTextPosition("xxabc", "abc"), 3);
    EXPECT_EQ(FindTextPosition("xxABC", "abc"), -1);
    EXPECT_EQ(FindTextPosition("xxABC", "abc", 0, true), 3);
    EXPECT_EQ(FindTextPosition("abcabc", "abc", 2), 4);
    // Every byte offset, also inside a two-byte character.
    EXPECT_EQ(FindTextPosition("\xB0"
                               "ab",
                               "ab"),
              2);
    // Only ASCII letters are folded: 0xC4 and 0xE4 stay apart.
    EXPECT_EQ(FindTextPosition("\xC4\xE3", "\xE4\xE3", 0, true), -1);
}

} // namespace
