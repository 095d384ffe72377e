// _strlwr and strstr taken from the system library by name at first use, and kept for the
// life of the process.
#include <windows.h>

#include "share/c_library.h"

#include <cstring>

namespace {

using StrlwrFunction = char*(__cdecl*)(char*);
using StrstrFunction = char*(__cdecl*)(const char*, const char*);

struct NtdllStringFunctions {
    StrlwrFunction strlwr = nullptr;
    StrstrFunction strstr = nullptr;
};

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
    // Through the generic function pointer type, which is what GetProcAddress really hands out.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

const NtdllStringFunctions& BoundFunctions() {
    static const NtdllStringFunctions functions = [] {
        NtdllStringFunctions bound;
        if (HMODULE ntdll = LoadLibraryA("ntdll.dll")) {
            bound.strlwr = Lookup<StrlwrFunction>(ntdll, "_strlwr");
            bound.strstr = Lookup<StrstrFunction>(ntdll, "strstr");
        }
        return bound;
    }();
    return functions;
}

} // namespace

char* CallStrlwr(char* text) {
    if (StrlwrFunction strlwr = BoundFunctions().strlwr) {
        return strlwr(text);
    }
    return LowerAsciiLetters(text);
}

const char* CallStrstr(const char* text, const char* sub) {
    if (StrstrFunction strstr = BoundFunctions().strstr) {
        return strstr(text, sub);
    }
    return std::strstr(text, sub);
}
