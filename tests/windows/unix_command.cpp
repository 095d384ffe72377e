#include <windows.h>

#include "unix_command.h"

#include "test_support.h"

#include <fstream>

int RunUnixCommand(const std::string& command, unsigned timeoutMs) {
    static unsigned serial = 0;
    // Wine gives no usable handle for a Unix process: its end shows as a status file.
    std::string marker = "/tmp/harnlo-command-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(++serial) + ".status";
    std::string markerDos = WinePathOf(marker);
    DeleteFileA(markerDos.c_str());
    std::string line = "Z:\\bin\\sh -c \"" + command + "; echo $? > " + marker + ".tmp; mv " +
                       marker + ".tmp " + marker + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DWORD started = GetTickCount();
    while (GetFileAttributesA(markerDos.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - started > timeoutMs) {
            return -1;
        }
        Sleep(10);
    }
    int status = -1;
    std::ifstream(markerDos) >> status;
    DeleteFileA(markerDos.c_str());
    return status;
}

int PressKeysInWindow(const std::string& windowTitle, const std::string& keys) {
    return RunUnixCommand("xdotool search --sync --onlyvisible --name '^" + windowTitle +
                          "$' windowfocus --sync key --delay 50 " + keys);
}
