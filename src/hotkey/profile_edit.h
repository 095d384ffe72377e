// Setting one entry of an INI file's bytes, the way the Windows profile functions read them
// (section and key names compared without regard to case, blanks around them ignored),
// while every other byte of the file stays as it was: other sections, comments, blank lines,
// spacing, line ends.
#pragma once

#include <string>
#include <string_view>

// The file with key=value in the section: the value of the section's first such entry
// replaced; else the entry added at the end of the section's first occurrence; else the
// section added at the end of the file. New lines end with CR LF. A value is cut at its first
// line break, so that it cannot add lines of its own.
std::string SetProfileValue(std::string_view file, std::string_view section, std::string_view key,
                            std::string_view value);
