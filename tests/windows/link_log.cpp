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

size_t LinkLog::LineCount() {
    std::ifstream in(LINK_LOG_PATH, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(readUpTo_));
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); ++i) {
            lineCount_ += chunk[i] == '\n' ? 1 : 0;
        }
        readUpTo_ += static_cast<unsigned long long>(in.gcount());
    }
    return lineCount_;
}

bool LinkLog::WaitForLines(size_t count, unsigned timeoutMs) {
    DWORD started = GetTickCount();
    while (LineCount() < count) {
        if (GetTickCount() - started > timeoutMs) {
            return false;
        }
        Sleep(5);
    }
    return true;
}
