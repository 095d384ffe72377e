#include "share/c_library.h"

#include <cstring>

char* CallStrlwr(char* text) {
    return LowerAsciiLetters(text);
}

const char* CallStrstr(const char* text, const char* sub) {
    return std::strstr(text, sub);
}
