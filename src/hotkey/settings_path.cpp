#include "hotkey/settings_path.h"

#include "share/ascii.h"

namespace {

// Whether the text's last character is a backslash. Walked by characters, since 0x5C can also
// be the second byte of a two-byte character in code page 936.
bool EndsWithBackslash(std::string_view text) {
    bool last = false;
    for (size_t at = 0; at < text.size();) {
        if (IsLeadByte(text[at]) && at + 1 < text.size()) {
            last = false;
            at += 2;
        } else {
            last = text[at] == '\\';
            at += 1;
        }
    }
    return last;
}

} // namespace

std::string JoinSettingsPath(std::string_view folder) {
    std::string path(folder);
    if (!EndsWithBackslash(path)) {
        path += '\\';
    }
    path += SETTINGS_FILE_NAME;
    return path;
}
