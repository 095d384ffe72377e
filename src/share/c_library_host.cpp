#include "share/c_library.h"

#include <cstring>

// Folds the ASCII letters only, byte by byte, as the system library's _strlwr does.
char* CallStrlwr(char* text) {
    for (char* p = text; *p != '\0'; ++p) {
        if (*p >= 'A' && *p <= 'Z') {
            *p = static_cast<char>(*p - 'A' + 'a');
        }
    }
    return text;
}

const char* CallStrstr(const char* text, const char* sub) { return std::strstr(text, sub); }
