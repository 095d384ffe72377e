#include "other_program.h"

#include "test_support.h"

#include <string>

OtherProgramHoldingKey::OtherProgramHoldingKey(UINT virtualKey) {
    static unsigned serial = 0;
    std::string suffix = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    std::string heldName = "HarnloTestKeyHeld-" + suffix;
    std::string releaseName = "HarnloTestKeyRelease-" + suffix;
    held_ = CreateEventA(nullptr, TRUE, FALSE, heldName.c_str());
    release_ = CreateEventA(nullptr, TRUE, FALSE, releaseName.c_str());

    std::string line = "\"" + TestProgramFolder() + "hotkey_holder.exe\" " +
                       std::to_string(virtualKey) + " " + heldName + " " + releaseName;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        return;
    }
    HANDLE waitFor[] = {held_, process_.hProcess};
    holding_ = WaitForMultipleObjects(2, waitFor, FALSE, 20000) == WAIT_OBJECT_0;
}

OtherProgramHoldingKey::~OtherProgramHoldingKey() {
    SetEvent(release_);
    if (process_.hProcess != nullptr) {
        WaitForSingleObject(process_.hProcess, 20000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    CloseHandle(held_);
    CloseHandle(release_);
}
