// The links that reached Wine's browser: the prefix's recorder appends each to
// C:\harnlo-links.log, one per line, whichever process handed it to the browser.
#pragma once

#include <string>
#include <vector>

class LinkLog {
public:
    // Every line of the log.
    std::vector<std::string> Lines() const;
    // How many lines the log holds; reads only what was added since the last call.
    size_t LineCount();
    // Waits until the log holds at least count lines; false after timeoutMs.
    bool WaitForLines(size_t count, unsigned timeoutMs = 15000);

private:
    unsigned long long readUpTo_ = 0;
    size_t lineCount_ = 0;
};
