// The links that reached Wine's browser: the recorder script appends each to the file named
// by HARNLO_LINK_LOG, one per line.
#pragma once

#include <string>
#include <vector>

class LinkLog {
public:
    LinkLog();
    std::vector<std::string> Lines() const;
    // Waits until the log holds at least count lines; false after timeoutMs.
    bool WaitForLines(size_t count, unsigned timeoutMs = 15000) const;
    bool Available() const { return !path_.empty(); }

private:
    std::string path_; // a Windows path to the log
};
