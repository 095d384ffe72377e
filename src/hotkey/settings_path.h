#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view SETTINGS_FILE_NAME = "harnlo.ini";

// The folder, one backslash and the file name; a backslash that already ends the folder
// serves as that one. An empty folder gives "\harnlo.ini".
std::string JoinSettingsPath(std::string_view folder);
