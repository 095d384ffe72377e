#include <windows.h>

#include "link_log.h"

#include <cstdlib>
#include <fstream>

LinkLog::LinkLog() {
    const char* unixPath = std::getenv("HARNLO_LINK_LOG");
    if (unixPath == nullptr || unixPath[0] != '/') {
        return;
    }
    // Wine's drive Z: is the Unix root.
    path_ = std::string("Z:") + unixPath;
    for (char& c : path_) {
        if (c == '/') {
            c = '\\';
        }
    }
}

std::vector<std::string> LinkLog::Lines() const {
    std::vector<std::string> lines;
    std::ifstream in(path_, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

bool LinkLog::WaitForLines(size_t count, unsigned timeoutMs) const {
    DWORD started = GetTickCount();
    while (Lines().size() < count) {
        if (GetTickCount() - started > timeoutMs) {
            return false;
        }
        Sleep(20);
    }
    return true;
}
