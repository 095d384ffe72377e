// Small things every Windows test program needs.
#pragma once

#include <windows.h>

#include "share/share_link.h"

#include <string>

// The folder of the running test program, with its final backslash; the programs it starts
// (harnlo.exe, hotkey_holder.exe) are built next to it.
inline std::string TestProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.rfind('\\') + 1);
    return folder;
}

// The Windows path of a Unix path: Wine's drive Z: is the Unix root.
inline std::string WinePathOf(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

// A test text with "{host}" standing for the share host of this build.
inline std::string WithHost(std::string text) {
    for (size_t at; (at = text.find("{host}")) != std::string::npos;) {
        text.replace(at, 6, SHARE_HOST);
    }
    return text;
}

// The resolver link for an identifier and a code, both as they appear in the link.
inline std::string Link(const std::string& identifier, const std::string& code) {
    return std::string(RESOLVER_LINK_PREFIX) + identifier + "&pwd=" + code;
}

// Waits until the condition holds, letting the thread's own windows run meanwhile; looks
// again every pollMs. False after timeoutMs.
template <typename Condition>
bool WaitUntil(Condition condition, unsigned timeoutMs = 10000, DWORD pollMs = 20) {
    DWORD started = GetTickCount();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount() - started > timeoutMs) {
            return false;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        Sleep(pollMs);
    }
}
