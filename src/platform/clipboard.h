#pragma once

#include <string>

// The clipboard's text in code page 936, or the empty text when the clipboard cannot be
// opened or holds no text.
std::string ReadClipboardText();
