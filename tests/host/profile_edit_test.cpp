#include "hotkey/profile_edit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ProfileEdit, SetsOneValueAndKeepsEveryOtherByte) {
    struct Case {
        const char* name;
        std::string before;
        const char* value;
        std::string after;
    };
    const Case cases[] = {
        {"new file", "", "F1", "[x]\r\nxx=F1\r\n"},
        {"the file as first made", "[x]\r\nxx=F1\r\n", "F8", "[x]\r\nxx=F8\r\n"},
        {"comments, blank lines, spacing and other sections",
         "; mine\r\n\r\n[other]\r\nkey = spaced value \r\n# note\r\n\r\n[x]\r\nxx=F1\r\nyy=keep\r\n\r\n[tail]\r\nz=1",
         "F2",
         "; mine\r\n\r\n[other]\r\nkey = spaced value \r\n# note\r\n\r\n[x]\r\nxx=F2\r\nyy=keep\r\n\r\n[tail]\r\nz=1"},
        {"names without regard to case, blanks around them", "[ X ]\n  XX = F1  \n", "F3",
         "[ X ]\n  XX =F3\n"},
        {"LF line ends stay LF", "[x]\nxx=F1\n", "F4", "[x]\nxx=F4\n"},
        {"the same key in another section is not it", "[y]\r\nxx=F1\r\n", "F5",
         "[y]\r\nxx=F1\r\n[x]\r\nxx=F5\r\n"},
        {"a commented-out entry is not it", "[x]\r\n;xx=F1\r\n", "F6",
         "[x]\r\n;xx=F1\r\nxx=F6\r\n"},
        {"the entry is added at the end of its section, before blank lines",
         "[x]\r\nyy=1\r\n\r\n[z]\r\nk=v\r\n", "F7", "[x]\r\nyy=1\r\nxx=F7\r\n\r\n[z]\r\nk=v\r\n"},
        {"a last line without its line end", "[x]\r\nyy=1", "F9", "[x]\r\nyy=1\r\nxx=F9\r\n"},
        {"a section added after a file without a final line end", "[y]\r\nk=v", "F11",
         "[y]\r\nk=v\r\n[x]\r\nxx=F11\r\n"},
        {"the first of two entries", "[x]\r\nxx=F1\r\nxx=F2\r\n", "F12",
         "[x]\r\nxx=F12\r\nxx=F2\r\n"},
        {"an empty value", "[x]\r\nxx=F1\r\n", "", "[x]\r\nxx=\r\n"},
        {"a value cut at its line break", "[x]\r\nxx=F1\r\n", "F2\r\n[evil]\r\n",
         "[x]\r\nxx=F2\r\n"},
        {"Chinese bytes elsewhere stay", "[\xD6\xD0]\r\n\xCE\xC4=\xB1\xEA\r\n[x]\r\nxx=F1\r\n",
         "F3", "[\xD6\xD0]\r\n\xCE\xC4=\xB1\xEA\r\n[x]\r\nxx=F3\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SetProfileValue(c.before, "x", "xx", c.value), c.after) << c.name;
    }
}

TEST(ProfileEdit, LongValuesAreWrittenWhole) {
    std::string big(100 * 1024, 'A');
    std::string file = "[a]\r\nk=" + big + "\r\n[x]\r\nxx=F1\r\n";
    EXPECT_EQ(SetProfileValue(file, "x", "xx", "F2"), "[a]\r\nk=" + big + "\r\n[x]\r\nxx=F2\r\n");
    EXPECT_EQ(SetProfileValue("[x]\r\nxx=" + big + "\r\n", "x", "xx", "F2"), "[x]\r\nxx=F2\r\n");
}

} // namespace
