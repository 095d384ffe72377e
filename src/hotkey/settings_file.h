// The settings file: harnlo.ini in the user's roaming application-data folder, section "x",
// key "xx", the hotkey's name as its value.
#pragma once

#include <string>
#include <string_view>

inline constexpr const char* SETTINGS_SECTION = "x";
inline constexpr const char* SETTINGS_KEY = "xx";
inline constexpr const char* DEFAULT_HOTKEY_NAME = "F1";

// The file's path, determined anew at every call.
std::string SettingsFilePath();
// Creates the file with "F1", hidden and system, when nothing of its name exists. When no
// file can be made there, "F1" serves for this run.
void EnsureSettingsFile();
// The stored key name; the empty text when the file, the section or the key is missing or
// the value is empty. A name that could not be stored comes first.
std::string ReadHotkeySetting();
// Stores the key name (the empty text writes an empty value; the entry stays), changing no
// other byte of the file. When it cannot be stored, the name still serves for this run.
void WriteHotkeySetting(std::string_view name);
