#include <windows.h>
#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>
#include <shlguid.h>

#include "platform/shell_open.h"

#include "platform/link_route.h"

#include <string>

namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    Interface* operator->() const { return pointer_; }
    Interface** Out() { return &pointer_; }
    Interface* Release() {
        Interface* kept = pointer_;
        pointer_ = nullptr;
        return kept;
    }
    void** OutVoid() { return reinterpret_cast<void**>(&pointer_); }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};

class Bstr {
public:
    explicit Bstr(const std::wstring& text) : value_(SysAllocString(text.c_str())) {}
    ~Bstr() { SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR Get() const { return value_; }

private:
    BSTR value_;
};

std::wstring Widen(const std::string& text) {
    int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// The shell of the desktop window, the one that the user's own Explorer runs.
bool DesktopShellDispatch(ComRef<IShellDispatch2>& shell) {
    ComRef<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.OutVoid()))) {
        return false;
    }
    VARIANT empty;
    VariantInit(&empty);
    long desktopWindow = 0;
    ComRef<IDispatch> desktop;
    if (windows->FindWindowSW(&empty, &empty, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH,
                              desktop.Out()) != S_OK ||
        !desktop) {
        return false;
    }
    ComRef<IServiceProvider> services;
    ComRef<IShellBrowser> browser;
    ComRef<IShellView> view;
    ComRef<IDispatch> background;
    ComRef<IShellFolderViewDual> folderView;
    ComRef<IDispatch> application;
    return SUCCEEDED(desktop->QueryInterface(IID_IServiceProvider, services.OutVoid())) &&
           SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                            browser.OutVoid())) &&
           SUCCEEDED(browser->QueryActiveShellView(view.Out())) &&
           SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.OutVoid())) &&
           SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual, folderView.OutVoid())) &&
           SUCCEEDED(folderView->get_Application(application.Out())) && application &&
           SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, shell.OutVoid()));
}

} // namespace

bool ProcessIsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return false;
    }
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    bool elevated =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
        elevation.TokenIsElevated != 0;
    CloseHandle(token);
    return elevated;
}

bool OpenThroughDesktopShell(const std::string& link) {
    // Finding the desktop's shell takes a dozen calls into another process: the shell found
    // is kept for the next links, by the thread (the apartment) that found it. Kept without a
    // destructor on purpose: COM is shut down before the process ends, and the reference must
    // not be released after that.
    thread_local IShellDispatch2* desktopShell = nullptr;
    Bstr file(Widen(link));
    Bstr verb(L"open");
    VARIANT arguments, folder, operation, show;
    VariantInit(&arguments);
    VariantInit(&folder);
    VariantInit(&operation);
    operation.vt = VT_BSTR;
    operation.bstrVal = verb.Get();
    VariantInit(&show);
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    // A kept shell can be gone (Explorer restarted): then the desktop's shell is found anew once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (desktopShell == nullptr) {
            ComRef<IShellDispatch2> found;
            if (!DesktopShellDispatch(found)) {
                return false;
            }
            desktopShell = found.Release();
        }
        if (SUCCEEDED(desktopShell->ShellExecute(file.Get(), arguments, folder, operation, show))) {
            return true;
        }
        desktopShell->Release();
        desktopShell = nullptr;
    }
    return false;
}

void OpenDirectly(const std::string& link) {
    HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    ShellExecuteA(owner, "open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenLink(const std::string& link) {
    // Elevation does not change while the process runs.
    static const bool elevated = ProcessIsElevated();
    OpenLinkByRoute(
        elevated, [&] { return OpenThroughDesktopShell(link); }, [&] { OpenDirectly(link); });
}
