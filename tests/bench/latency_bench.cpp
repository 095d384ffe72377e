// Inside the process: from the key press to the call of ShellExecute, with Harnlo's own main
// window, registration and conversion, timed at each step of a press.
#include <windows.h>
#include <ole2.h>

#include "clipboard_fixture.h"
#include "harnlo_driver.h"
#include "result_file.h"

#include "hotkey/hotkey_registration.h"
#include "platform/clipboard.h"
#include "platform/shell_open.h"
#include "share/share_link.h"
#include "ui/window_builder.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int PRESSES = 200;

LARGE_INTEGER pressed, entered, clipboardRead, callingShell, shellReturned;
bool handled = false;

// The steps of the key-press handler, each timed.
void TimedConversion(std::int32_t hotkeyId, std::int32_t) {
    QueryPerformanceCounter(&entered);
    std::string text = ReadClipboardText();
    QueryPerformanceCounter(&clipboardRead);
    std::string link = BuildResolverLink(ExtractShareParts(text));
    QueryPerformanceCounter(&callingShell);
    if (hotkeyId == registeredHotkeyId) {
        OpenLink(link);
    }
    QueryPerformanceCounter(&shellReturned);
    handled = true;
}

const ControlEvents EVENTS[] = {{LABEL_NAME, TimedConversion, nullptr}};
const WindowDefinition BENCH_MAIN_WINDOW = {&MAIN_WINDOW_LAYOUT, nullptr, nullptr, EVENTS};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

struct Summary {
    double median, p90, worst;
};

Summary Summarise(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values[values.size() * 9 / 10], values.back()};
}

} // namespace

int main() {
    OleInitialize(nullptr);
    WriteSettingsBytes("[x]\r\nxx=F1\r\n");
    BuildWindow(BENCH_MAIN_WINDOW, nullptr);
    RegisterConfiguredHotkey();

    std::vector<double> toHandler, toShellCall, inShell;
    for (int i = 0; i < PRESSES; ++i) {
        PutUnicodeText(Widen("链接: https://" + std::string(SHARE_HOST) + "/s/latency" +
                             std::to_string(i) + " 提取码: abcd"));
        handled = false;
        WaitForQuietInput();
        QueryPerformanceCounter(&pressed);
        SendKeyPress(VK_F1);
        if (!WaitUntil([] { return handled; }, 10000)) {
            continue;
        }
        toHandler.push_back(Milliseconds(pressed, entered));
        toShellCall.push_back(Milliseconds(pressed, callingShell));
        inShell.push_back(Milliseconds(callingShell, shellReturned));
    }
    std::printf("\n%-40s %9s %9s %9s   (%zu of %d presses)\n", "inside the process", "median",
                "p90", "worst", toHandler.size(), PRESSES);
    const std::pair<const char*, Summary> rows[] = {
        {"key press to the handler", Summarise(toHandler)},
        {"key press to the ShellExecute call", Summarise(toShellCall)},
        {"handing the link to the shell", Summarise(inShell)},
    };
    for (const auto& [name, s] : rows) {
        std::printf("%-40s %6.2f ms %6.2f ms %6.2f ms\n", name, s.median, s.p90, s.worst);
    }
    OleUninitialize();
    LeaveResultForDesktopRun(0);
    return 0;
}
