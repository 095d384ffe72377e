#include "harnlo_driver.h"

#include "screen_capture.h"
#include "test_support.h"
#include "unix_command.h"

#include <shellapi.h>
#include <shlobj.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

constexpr const char* HARNLO_WINDOW_CLASS = "HarnloWindow";
// The window that gets the keyboard focus before key presses.
constexpr const char* KEY_TARGET_TITLE = "Harnlo test key target";

void Xdotool(const std::string& arguments) {
    if (RunUnixCommand("xdotool " + arguments) != 0) {
        throw std::runtime_error("xdotool " + arguments + " failed");
    }
}

std::string Coordinates(POINT at) {
    return std::to_string(at.x) + " " + std::to_string(at.y);
}

HWND KeyTarget() {
    static HWND target = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", KEY_TARGET_TITLE,
                                         WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 60, 30, nullptr,
                                         nullptr, nullptr, nullptr);
    return target;
}

struct Search {
    DWORD processId;
    const char* className;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
    auto search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if ((search->processId == 0 || owner == search->processId) &&
        (search->className == nullptr || std::string(name) == search->className) &&
        (!search->visibleOnly || IsWindowVisible(window))) {
        search->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD processId, const char* className, bool visibleOnly) {
    Search search{processId, className, visibleOnly, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Whether some process of this name runs.
bool ProcessRuns(const char* exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry)) {
        found = _stricmp(entry.szExeFile, exeName) == 0;
    }
    CloseHandle(snapshot);
    return found;
}

// Wine's server closes a virtual desktop when, as a thread leaves it, the number of threads
// on it equals the thread count of the desktop's Explorer; Explorer grows threads serving
// Harnlo's calls to the desktop's shell, so that can happen while the test still runs.
// Idle threads of the test's own keep the count clear of it.
DWORD WINAPI HoldDesktop(void*) {
    HWND window =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    Sleep(INFINITE);
    DestroyWindow(window);
    return 0;
}

void KeepDesktopOpen() {
    constexpr int HOLDING_THREADS = 48;
    static bool held = [] {
        for (int i = 0; i < HOLDING_THREADS; ++i) {
            CloseHandle(CreateThread(nullptr, 64 * 1024, HoldDesktop, nullptr, 0, nullptr));
        }
        return true;
    }();
    (void)held;
}

} // namespace

HarnloProcess::HarnloProcess() {
    KeepDesktopOpen();
    size_t iconsBefore = TrayIconCount();
    std::string line = "\"" + TestProgramFolder() + "harnlo.exe\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        throw std::runtime_error("harnlo.exe could not be started");
    }
    WaitForInputIdle(process_.hProcess, 10000);
    WaitForTrayIconCount(iconsBefore + 1);
}

HarnloProcess::~HarnloProcess() {
    // End it the way that takes its icon along; force it only when that does not work.
    HWND main = MainWindow();
    if (HWND hotkeyWindow = HotkeyWindow()) {
        PostMessageA(hotkeyWindow, WM_CLOSE, 0, 0);
        WaitUntil([&] { return HotkeyWindow() == nullptr; }, 3000);
    }
    if (Running() && main != nullptr) {
        PostMessageA(main, WM_CLOSE, 0, 0);
        WaitForExit(5000);
    }
    if (Running()) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    if (main != nullptr) {
        NOTIFYICONDATAA record = {};
        record.cbSize = NOTIFYICONDATAA_V1_SIZE;
        record.hWnd = main;
        record.uID = 100;
        Shell_NotifyIconA(NIM_DELETE, &record);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

HWND HarnloProcess::MainWindow() const {
    for (HWND window : TopLevelWindows(Id(), HARNLO_WINDOW_CLASS, false)) {
        if (!IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr) {
            return window;
        }
    }
    return nullptr;
}

HWND HarnloProcess::HotkeyWindow() const {
    for (HWND window : TopLevelWindows(Id(), HARNLO_WINDOW_CLASS, true)) {
        return window;
    }
    return nullptr;
}

bool HarnloProcess::Running() const {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD HarnloProcess::WaitForExit(unsigned timeoutMs) const {
    WaitUntil([&] { return !Running(); }, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

size_t TrayIconCount() {
    // Wine 8 draws the icons inside the taskbar and keeps an icon's tooltip window after the
    // icon is gone, so the icons are counted by their looks: Harnlo's is mostly its blue.
    constexpr size_t MOST_SLOTS = 8;
    constexpr int BLUE_PIXELS_OF_AN_ICON = 40;
    int slot = GetSystemMetrics(SM_CXSMICON) + 4;
    size_t count = 0;
    for (size_t place = 0; place < MOST_SLOTS; ++place) {
        POINT centre = TrayIconCentre(place);
        RECT area = {centre.x - slot / 2, centre.y - slot / 2, centre.x + slot / 2,
                     centre.y + slot / 2};
        Capture shot = CaptureScreen(area);
        int blue = 0;
        for (COLORREF pixel : shot.pixels) {
            blue += pixel == RGB(0, 136, 255) ? 1 : 0;
        }
        if (blue >= BLUE_PIXELS_OF_AN_ICON) {
            ++count;
        }
    }
    return count;
}

POINT TrayIconCentre(size_t place) {
    // Icons sit from the right end of the taskbar leftwards, each a small icon with a border
    // of 2 pixels all round.
    RECT tray = RectOf(FindWindowA("Shell_TrayWnd", nullptr));
    int slot = GetSystemMetrics(SM_CXSMICON) + 4;
    return {tray.right - slot * static_cast<int>(place) - slot / 2, (tray.top + tray.bottom) / 2};
}

bool WaitForTrayIconCount(size_t count, unsigned timeoutMs) {
    return WaitUntil([&] { return TrayIconCount() == count; }, timeoutMs);
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    return TopLevelWindows(processId, nullptr, true);
}

std::vector<HWND> WindowsOf(DWORD processId, const char* className) {
    return TopLevelWindows(processId, className, false);
}

HWND OpenMenu() {
    for (HWND menu : TopLevelWindows(0, "#32768", true)) {
        return menu;
    }
    return nullptr;
}

HWND WaitForOpenMenu(unsigned timeoutMs) {
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = OpenMenu()) != nullptr; }, timeoutMs);
    return menu;
}

RECT RectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

POINT Centre(HWND window) {
    RECT rect = RectOf(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Not "mousemove --sync": it waits for a motion that never comes when the pointer is there
// already.
void MoveMouse(POINT at) {
    Xdotool("mousemove " + Coordinates(at) + " sleep 0.1");
}

void Click(POINT at, int button) {
    Xdotool("mousemove " + Coordinates(at) + " sleep 0.1 click " + std::to_string(button));
}

void DoubleClick(POINT at) {
    Xdotool("mousemove " + Coordinates(at) + " sleep 0.1 click --repeat 2 --delay 80 1");
}

void Drag(POINT from, POINT to) {
    POINT middle = {(from.x + to.x) / 2, (from.y + to.y) / 2};
    Xdotool("mousemove " + Coordinates(from) + " sleep 0.1 mousedown 1 sleep 0.2 mousemove " +
            Coordinates(middle) + " sleep 0.2 mousemove " + Coordinates(to) +
            " sleep 0.3 mouseup 1");
}

void PressKeys(const std::string& keys) {
    HWND target = KeyTarget();
    SetForegroundWindow(target);
    WaitUntil([&] { return GetForegroundWindow() == target; }, 2000);
    PressKeysWhereFocused(keys);
}

void WaitForQuietInput() {
    WaitUntil([] { return !ProcessRuns("winebrowser.exe"); }, 5000);
}

void PressKeysWhereFocused(const std::string& keys) {
    WaitForQuietInput();
    // Wine's virtual desktop is one X window: its keys go to Wine's focused window.
    Xdotool("search --sync --name 'Wine desktop' windowfocus --sync key --delay 60 " + keys);
}

void PutOnXClipboard(const std::string& utf8) {
    static unsigned serial = 0;
    std::string unixPath = "/tmp/harnlo-clipboard-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(++serial);
    std::string dosPath = WinePathOf(unixPath);
    std::ofstream(dosPath, std::ios::binary) << utf8;
    // xclip keeps serving the selection in the background until another program takes it.
    if (RunUnixCommand("xclip -selection clipboard -i " + unixPath + " >/dev/null 2>&1") != 0) {
        throw std::runtime_error("xclip failed");
    }
    DeleteFileA(dosPath.c_str());
}

void InjectKeyPress(WORD virtualKey) {
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = virtualKey;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

int SendKeyPress(WORD virtualKey) {
    WaitForQuietInput();
    // Wine fires a hotkey for injected keys only while some window of the desktop has the
    // focus; a browser started for an earlier link can take it away and end.
    static int refocused = 0;
    HWND target = KeyTarget();
    if (GetForegroundWindow() != target) {
        ++refocused;
        SetForegroundWindow(target);
        WaitUntil([&] { return GetForegroundWindow() == target; }, 2000);
    }
    InjectKeyPress(virtualKey);
    return refocused;
}

size_t HandleCountOf(DWORD processId) {
    struct HandleEntry {
        ULONG ownerProcessId;
        BYTE objectType;
        BYTE flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    struct HandleList {
        ULONG count;
        HandleEntry entries[1];
    };
    using QueryFunction = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    constexpr ULONG SYSTEM_HANDLE_INFORMATION = 16;
    auto query = reinterpret_cast<QueryFunction>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<char> buffer(1 << 20);
    for (;;) {
        ULONG needed = 0;
        LONG status = query(SYSTEM_HANDLE_INFORMATION, buffer.data(),
                            static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) {
            break;
        }
        if (buffer.size() > (64u << 20)) {
            return 0;
        }
        buffer.resize(buffer.size() * 2);
    }
    auto list = reinterpret_cast<const HandleList*>(buffer.data());
    size_t count = 0;
    for (ULONG i = 0; i < list->count; ++i) {
        count += list->entries[i].ownerProcessId == processId ? 1 : 0;
    }
    return count;
}

DWORD GdiObjectsOf(HANDLE process) {
    return GetGuiResources(process, GR_GDIOBJECTS);
}

size_t PrivateBytesOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, &counters, sizeof counters);
    return counters.PagefileUsage;
}

std::string TextOf(HWND window) {
    char text[512] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string SettingsPath() {
    char folder[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, FALSE);
    return std::string(folder) + "\\harnlo.ini";
}

std::string ReadSettingsBytes() {
    std::ifstream in(SettingsPath(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteSettingsBytes(const std::string& bytes) {
    RemoveSettingsFile();
    std::ofstream(SettingsPath(), std::ios::binary) << bytes;
}

void RemoveSettingsFile() {
    std::string path = SettingsPath();
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    RemoveDirectoryA(path.c_str());
}
