// A browser that is already running, as the shell sees one: while it lives, the shell hands
// it each http link over DDE (the "open" verb's ddeexec entry) instead of starting Wine's
// browser program for every link. For runs of many links, where a process start per link
// would cost most of the time.
//
// The shell that opens Harnlo's links may be the Explorer of another desktop of the window
// station (the first Explorer that offered the desktop's shell), so the browser answers on
// every desktop.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class DdeBrowser {
public:
    // Serves the DDE conversation and points the http "open" verb at it; throws when either
    // cannot be done.
    DdeBrowser();
    // Gives the verb back to Wine's browser program.
    ~DdeBrowser();
    DdeBrowser(const DdeBrowser&) = delete;
    DdeBrowser& operator=(const DdeBrowser&) = delete;

    // The links received so far, in order.
    std::vector<std::string> Links() const;
    // Waits, handling this thread's messages, until count links have come; false after
    // timeoutMs.
    bool WaitForLinks(size_t count, unsigned timeoutMs = 15000) const;

private:
    void Stop();
    // One server per desktop: the shell that opens a link is found by a broadcast, which
    // reaches only the windows of its own desktop.
    struct Server {
        std::string desktop;
        HANDLE ready;
        bool serving = false;
        HANDLE thread = nullptr;
        DWORD threadId = 0;
    };
    static DWORD WINAPI Serve(void* server);
    static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ topic,
                                      HSZ service, HDDEDATA data, ULONG_PTR, ULONG_PTR);

    mutable CRITICAL_SECTION lock_;
    std::vector<std::string> links_;
    std::vector<Server*> servers_;
};
