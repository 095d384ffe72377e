#include <windows.h>
#include <shlobj.h>

#include "hotkey/settings_file.h"

#include "hotkey/settings_path.h"

#include <vector>

namespace {

// A value longer than this is cut, as GetPrivateProfileStringA does.
constexpr DWORD READ_BUFFER_SIZE = 10240;

} // namespace

std::string SettingsFilePath() {
    char folder[MAX_PATH] = {};
    // FALSE: a missing folder is not created.
    if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, FALSE)) {
        folder[0] = '\0';
    }
    return JoinSettingsPath(folder);
}

void EnsureSettingsFile() {
    WIN32_FIND_DATAA found;
    // Hidden and system files are found like any other; a directory of that name counts too.
    HANDLE search = FindFirstFileA(SettingsFilePath().c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        return;
    }
    WritePrivateProfileStringA(SETTINGS_SECTION, SETTINGS_KEY, DEFAULT_HOTKEY_NAME,
                               SettingsFilePath().c_str());
    SetFileAttributesA(SettingsFilePath().c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

std::string ReadHotkeySetting() {
    std::vector<char> buffer(READ_BUFFER_SIZE, '\0');
    GetPrivateProfileStringA(SETTINGS_SECTION, SETTINGS_KEY, nullptr, buffer.data(),
                             READ_BUFFER_SIZE, SettingsFilePath().c_str());
    buffer.back() = '\0';
    return std::string(buffer.data());
}

void WriteHotkeySetting(std::string_view name) {
    std::string value(name);
    WritePrivateProfileStringA(SETTINGS_SECTION, SETTINGS_KEY, value.c_str(),
                               SettingsFilePath().c_str());
}
