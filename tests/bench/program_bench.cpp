// Harnlo against a minimal program that only adds a notification-area icon, measured side by
// side in one run inside Wine's virtual desktop: start to icon added, memory after the start
// and after 1,000 key presses, and the size of the program file.
#include <windows.h>
#include <ole2.h>
#include <psapi.h>

#include "harnlo_driver.h"
#include "clipboard_fixture.h"
#include "link_log.h"
#include "result_file.h"
#include "test_support.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int STARTS = 5;
constexpr int PRESSES = 1000;

// Wine 8 gives every icon added to the taskbar a tooltip window of its own.
size_t TrayTooltips() {
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    size_t count = 0;
    for (HWND window = FindWindowExA(nullptr, nullptr, "tooltips_class32", nullptr); window;
         window = FindWindowExA(nullptr, window, "tooltips_class32", nullptr)) {
        count += GetWindow(window, GW_OWNER) == tray ? 1 : 0;
    }
    return count;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

HWND TopWindowOf(DWORD processId, const char* className) {
    for (HWND window = FindWindowExA(nullptr, nullptr, className, nullptr); window;
         window = FindWindowExA(nullptr, window, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && GetWindow(window, GW_OWNER) == nullptr) {
            return window;
        }
    }
    return nullptr;
}

struct Figures {
    double startToIconMs = 0;
    size_t workingSetStart = 0, privateStart = 0, workingSetFirst = 0, privateFirst = 0;
    size_t workingSetPresses = 0, privatePresses = 0;
    size_t exeBytes = 0;
    size_t linksOpened = 0;
};

struct Started {
    PROCESS_INFORMATION process = {};
    double startToIconMs = 0;
};

Started Start(const std::string& exe) {
    Started started;
    size_t before = TrayTooltips();
    std::string line = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                   &started.process);
    while (TrayTooltips() == before) {
        Sleep(1);
    }
    QueryPerformanceCounter(&t1);
    started.startToIconMs = Milliseconds(t0, t1);
    return started;
}

void Close(const Started& started, const char* windowClass) {
    PostMessageA(TopWindowOf(started.process.dwProcessId, windowClass), WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(started.process.hProcess, 1);
    }
    CloseHandle(started.process.hProcess);
    CloseHandle(started.process.hThread);
}

void Memory(HANDLE process, size_t& workingSet, size_t& privateBytes) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, &counters, sizeof counters);
    workingSet = counters.WorkingSetSize;
    privateBytes = counters.PagefileUsage;
}

Figures Measure(const std::string& exeName, const char* windowClass) {
    Figures figures;
    std::string exe = TestProgramFolder() + exeName;
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    GetFileAttributesExA(exe.c_str(), GetFileExInfoStandard, &file);
    figures.exeBytes = file.nFileSizeLow;

    std::vector<double> starts;
    for (int i = 0; i < STARTS; ++i) {
        Started started = Start(exe);
        starts.push_back(started.startToIconMs);
        Close(started, windowClass);
    }
    std::sort(starts.begin(), starts.end());
    figures.startToIconMs = starts[starts.size() / 2];

    LinkLog log;
    Started started = Start(exe);
    Sleep(1000);
    Memory(started.process.hProcess, figures.workingSetStart, figures.privateStart);
    PutUnicodeText(Widen("https://pan.example.com/s/bench 提取码 abcd"));
    size_t seen = log.LineCount();
    // The first press sets up what every later one uses (the shell's objects, the clipboard).
    SendKeyPress(VK_F1);
    log.WaitForLines(seen + 1, 5000);
    Sleep(1000);
    Memory(started.process.hProcess, figures.workingSetFirst, figures.privateFirst);
    seen = log.LineCount();
    // The presses go out one after the other without waiting, as a person hammering the key.
    for (int i = 0; i < PRESSES; ++i) {
        InjectKeyPress(VK_F1);
        Sleep(5);
    }
    // Let the links settle: the log stops growing.
    size_t last = 0;
    do {
        last = log.LineCount();
        Sleep(3000);
    } while (log.LineCount() != last);
    figures.linksOpened = log.LineCount() - seen;
    Memory(started.process.hProcess, figures.workingSetPresses, figures.privatePresses);
    Close(started, windowClass);
    return figures;
}

} // namespace

int main() {
    OleInitialize(nullptr);
    WriteSettingsBytes("[x]\r\nxx=F1\r\n");
    Figures harnlo = Measure("harnlo.exe", "HarnloWindow");
    Figures minimal = Measure("minimal_tray.exe", "MinimalTray");
    auto kib = [](size_t bytes) { return bytes / 1024; };
    std::printf("\n%-34s %12s %14s\n", "", "harnlo.exe", "minimal_tray");
    std::printf("%-34s %9.1f ms %11.1f ms\n", "start to icon added (median of 5)",
                harnlo.startToIconMs, minimal.startToIconMs);
    std::printf("%-34s %8zu KiB %10zu KiB\n", "working set after start",
                kib(harnlo.workingSetStart), kib(minimal.workingSetStart));
    std::printf("%-34s %8zu KiB %10zu KiB\n", "private bytes after start", kib(harnlo.privateStart),
                kib(minimal.privateStart));
    std::printf("%-34s %8zu KiB %10zu KiB\n", "working set after the first press",
                kib(harnlo.workingSetFirst), kib(minimal.workingSetFirst));
    std::printf("%-34s %8zu KiB %10zu KiB\n", "private bytes after the first press",
                kib(harnlo.privateFirst), kib(minimal.privateFirst));
    std::printf("%-34s %8zu KiB %10zu KiB\n", "working set after 1,000 more presses",
                kib(harnlo.workingSetPresses), kib(minimal.workingSetPresses));
    std::printf("%-34s %8zu KiB %10zu KiB\n", "private bytes after 1,000 more",
                kib(harnlo.privatePresses), kib(minimal.privatePresses));
    std::printf("%-34s %12zu %14zu\n", "links opened by the 1,000", harnlo.linksOpened,
                minimal.linksOpened);
    std::printf("%-34s %8zu KiB %10zu KiB\n", "program file", kib(harnlo.exeBytes),
                kib(minimal.exeBytes));
    OleUninitialize();
    LeaveResultForDesktopRun(0);
    return 0;
}
