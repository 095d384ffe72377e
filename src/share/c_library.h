// The two C-library string functions that FindTextPosition uses. On Windows they are taken
// from ntdll.dll by name at first use; elsewhere they are the C library's own.
#pragma once

#include "share/ascii.h"

char* CallStrlwr(char* text);
const char* CallStrstr(const char* text, const char* sub);

// Folds the ASCII letters only, byte by byte, as the system library's _strlwr does.
inline char* LowerAsciiLetters(char* text) {
    for (char* p = text; *p != '\0'; ++p) {
        *p = FoldAscii(*p);
    }
    return text;
}
