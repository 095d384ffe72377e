#pragma once

#include <string>

// Opens a link with the shell's "open" verb, in the user's default browser.
void OpenLink(const std::string& link);
