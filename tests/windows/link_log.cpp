#include <windows.h>

#include "link_log.h"

#include <fstream>

namespace {

constexpr const char* LINK_LOG_PATH = "C:\\harnlo-links.log";

} // namespace

std::vector<std::string> LinkLog::Lines() const {
    std::vector<std::string> lines;
    std::ifstream in(LINK_LOG_PATH, std::ios::binary);
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
