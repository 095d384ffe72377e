// The links that reached Wine's browser: the prefix's recorder appends each to
// C:\harnlo-links.log, one per line, whichever process handed it to the browser.
#pragma once

#include <string>
#include <vector>

class LinkLog {
public:
    std::vector<std::string> Lines() const;
    // Waits until the log holds at least count lines; false after timeoutMs.
    bool WaitForLines(size_t count, unsigned timeoutMs = 15000) const;
};
