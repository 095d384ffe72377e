#include <windows.h>
#include <shlobj.h>

#include "hotkey/settings_file.h"

#include "hotkey/profile_edit.h"
#include "hotkey/settings_path.h"

#include <optional>
#include <vector>

namespace {

// A value longer than this is cut, as GetPrivateProfileStringA does.
constexpr DWORD READ_BUFFER_SIZE = 10240;

// The key name that Harnlo uses while no file can hold it: the default when the file cannot
// be made (a directory of its name, a folder that may not be written), or the user's choice
// when it cannot be stored (a read-only file). The key then works for this run all the same.
std::optional<std::string> unstoredName;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// The file's bytes; empty when it does not exist. False when it exists but cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    char chunk[4096];
    for (;;) {
        DWORD read = 0;
        // A read that breaks off must not pass for the whole file: it would be written back
        // without its end.
        if (!ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        bytes.append(chunk, read);
    }
}

bool IsUnicodeFile(const std::string& bytes) {
    return bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') ||
                                 (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
}

// Sets the entry and leaves every other byte of the file as it was; the profile functions
// would write the whole file anew. The file keeps its attributes. False when it cannot be
// written.
bool StoreHotkeyName(const std::string& path, std::string_view name) {
    // A read-only file is the user's word that it stays as it is. Windows refuses to write it;
    // Wine, run by root, would not.
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return false;
    }
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        return false;
    }
    if (IsUnicodeFile(bytes)) {
        // Saved as Unicode by hand: leave that form to the system's own functions.
        std::string value(name);
        return WritePrivateProfileStringA(SETTINGS_SECTION, SETTINGS_KEY, value.c_str(),
                                          path.c_str()) != FALSE;
    }
    std::string edited = SetProfileValue(bytes, SETTINGS_SECTION, SETTINGS_KEY, name);
    bool written = false;
    {
        // OPEN_ALWAYS rather than CREATE_ALWAYS: a hidden system file may be written, not replaced.
        FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD done = 0;
        written = file.Valid() &&
                  WriteFile(file.Get(), edited.data(), static_cast<DWORD>(edited.size()), &done,
                            nullptr) &&
                  done == edited.size() && SetEndOfFile(file.Get());
    }
    // The profile functions keep files in a cache: let the next read see the new bytes.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    return written;
}

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
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            unstoredName = DEFAULT_HOTKEY_NAME;
        }
        return;
    }
    if (!StoreHotkeyName(SettingsFilePath(), DEFAULT_HOTKEY_NAME)) {
        unstoredName = DEFAULT_HOTKEY_NAME;
        return;
    }
    SetFileAttributesA(SettingsFilePath().c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

std::string ReadHotkeySetting() {
    if (unstoredName) {
        return *unstoredName;
    }
    std::vector<char> buffer(READ_BUFFER_SIZE, '\0');
    GetPrivateProfileStringA(SETTINGS_SECTION, SETTINGS_KEY, nullptr, buffer.data(),
                             READ_BUFFER_SIZE, SettingsFilePath().c_str());
    buffer.back() = '\0';
    return std::string(buffer.data());
}

void WriteHotkeySetting(std::string_view name) {
    if (StoreHotkeyName(SettingsFilePath(), name)) {
        unstoredName.reset();
    } else {
        unstoredName = std::string(name);
    }
}
