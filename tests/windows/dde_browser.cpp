#include <windows.h>
#include <ddeml.h>

#include "dde_browser.h"
#include "test_support.h"

#include <cstring>
#include <stdexcept>

namespace {

constexpr const char* DDEEXEC_KEY = "http\\shell\\open\\ddeexec";
constexpr const wchar_t* SERVICE_NAME = L"HarnloTestBrowser";
constexpr const char* SERVICE_NAME_ANSI = "HarnloTestBrowser";
constexpr const char* TOPIC_NAME = "OpenLink";

// DDEML calls back without a context: there is one browser at a time.
DdeBrowser* current = nullptr;

bool SetVolatileValue(HKEY parent, const char* subkey, const char* value, HKEY* created) {
    // Volatile: should the test die before it cleans up, the entry goes with the Wine session.
    if (RegCreateKeyExA(parent, subkey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        created, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExA(*created, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          static_cast<DWORD>(strlen(value) + 1)) == ERROR_SUCCESS;
}

bool PointTheVerbAtUs() {
    HKEY ddeexec = nullptr;
    HKEY application = nullptr;
    HKEY topic = nullptr;
    // The shell puts the link in place of %1 and sends the result as the DDE command.
    bool done = SetVolatileValue(HKEY_CLASSES_ROOT, DDEEXEC_KEY, "%1", &ddeexec) &&
                SetVolatileValue(ddeexec, "application", SERVICE_NAME_ANSI, &application) &&
                SetVolatileValue(ddeexec, "topic", TOPIC_NAME, &topic);
    for (HKEY key : {topic, application, ddeexec}) {
        if (key != nullptr) {
            RegCloseKey(key);
        }
    }
    return done;
}

void GiveTheVerbBack() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, DDEEXEC_KEY);
}

BOOL CALLBACK AddDesktop(LPSTR name, LPARAM desktops) {
    reinterpret_cast<std::vector<std::string>*>(desktops)->push_back(name);
    return TRUE;
}

} // namespace

DdeBrowser::DdeBrowser() {
    if (current != nullptr) {
        throw std::logic_error("one DdeBrowser at a time");
    }
    InitializeCriticalSection(&lock_);
    current = this;
    GiveTheVerbBack(); // a leftover of an earlier run
    std::vector<std::string> desktops;
    EnumDesktopsA(GetProcessWindowStation(), AddDesktop, reinterpret_cast<LPARAM>(&desktops));
    bool serving = false;
    for (const std::string& desktop : desktops) {
        auto* server = new Server{desktop, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
        server->thread = CreateThread(nullptr, 0, Serve, server, 0, &server->threadId);
        WaitForSingleObject(server->ready, 10000);
        serving = serving || server->serving;
        servers_.push_back(server);
    }
    if (!serving || !PointTheVerbAtUs()) {
        Stop();
        throw std::runtime_error("the DDE browser could not be set up");
    }
}

DdeBrowser::~DdeBrowser() {
    Stop();
}

void DdeBrowser::Stop() {
    GiveTheVerbBack();
    for (Server* server : servers_) {
        if (server->thread != nullptr) {
            PostThreadMessageA(server->threadId, WM_QUIT, 0, 0);
            WaitForSingleObject(server->thread, 10000);
            CloseHandle(server->thread);
        }
        CloseHandle(server->ready);
        delete server;
    }
    servers_.clear();
    if (current == this) {
        current = nullptr;
        DeleteCriticalSection(&lock_);
    }
}

std::vector<std::string> DdeBrowser::Links() const {
    EnterCriticalSection(&lock_);
    std::vector<std::string> links = links_;
    LeaveCriticalSection(&lock_);
    return links;
}

bool DdeBrowser::WaitForLinks(size_t count, unsigned timeoutMs) const {
    // The shell finds its DDE partner by asking every top-level window, ours too: they keep
    // answering while this waits.
    return WaitUntil(
        [&] {
            EnterCriticalSection(&lock_);
            bool arrived = links_.size() >= count;
            LeaveCriticalSection(&lock_);
            return arrived;
        },
        timeoutMs, 1);
}

DWORD WINAPI DdeBrowser::Serve(void* param) {
    auto* server = static_cast<Server*>(param);
    DWORD instance = 0;
    HSZ service = nullptr;
    // The thread has no window yet, so it may still move to the server's desktop.
    HDESK desktop = OpenDesktopA(server->desktop.c_str(), 0, FALSE, GENERIC_ALL);
    if (desktop != nullptr && SetThreadDesktop(desktop) &&
        DdeInitializeW(&instance, Callback,
                       APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_REQUESTS | CBF_FAIL_POKES |
                           CBF_SKIP_ALLNOTIFICATIONS,
                       0) == DMLERR_NO_ERROR) {
        service = DdeCreateStringHandleW(instance, SERVICE_NAME, CP_WINUNICODE);
        server->serving =
            service != nullptr && DdeNameService(instance, service, nullptr, DNS_REGISTER);
    }
    SetEvent(server->ready);
    MSG message;
    while (server->serving && GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    if (service != nullptr) {
        DdeNameService(instance, service, nullptr, DNS_UNREGISTER);
        DdeFreeStringHandle(instance, service);
    }
    if (instance != 0) {
        DdeUninitialize(instance);
    }
    if (desktop != nullptr) {
        CloseDesktop(desktop);
    }
    return 0;
}

HDDEDATA CALLBACK DdeBrowser::Callback(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA data, ULONG_PTR,
                                       ULONG_PTR) {
    switch (type) {
    case XTYP_CONNECT: return reinterpret_cast<HDDEDATA>(TRUE);
    case XTYP_EXECUTE: {
        // The shell speaks Unicode to a Unicode server: the command is the link in UTF-16.
        DWORD size = DdeGetData(data, nullptr, 0, 0);
        std::wstring command(size / sizeof(wchar_t), L'\0');
        DdeGetData(data, reinterpret_cast<BYTE*>(command.data()), size, 0);
        command.resize(wcsnlen(command.c_str(), command.size()));
        int length =
            WideCharToMultiByte(CP_ACP, 0, command.c_str(), static_cast<int>(command.size()),
                                nullptr, 0, nullptr, nullptr);
        std::string link(static_cast<size_t>(length), '\0');
        WideCharToMultiByte(CP_ACP, 0, command.c_str(), static_cast<int>(command.size()),
                            link.data(), length, nullptr, nullptr);
        if (current != nullptr) {
            EnterCriticalSection(&current->lock_);
            current->links_.push_back(link);
            LeaveCriticalSection(&current->lock_);
        }
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    default: return nullptr;
    }
}
