#include <windows.h>
#include <ole2.h>

#include "app/program.h"

#include "app/main_window.h"
#include "hotkey/hotkey_registration.h"
#include "ui/message_loop.h"
#include "ui/window_builder.h"

#include <algorithm>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr const char* PROGRAM_TITLE = "Harnlo";
constexpr const char* START_WINDOW_FAILED_TEXT =
    "\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xD4\xD8\xC8\xEB\xCA\xA7\xB0\xDC"; // 启动窗口载入失败
constexpr const char* OUT_OF_MEMORY_TEXT = "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3"; // 内存不足
constexpr const char* HIDDEN_OWNER_CLASS = "HarnloOwner";
constexpr int FAILURE_EXIT_CODE = -1;

std::vector<void (*)()> exitRoutines;
HWND hiddenOwnerWindow = nullptr;
bool loopStarted = false;

[[noreturn]] void EndProcess(int exitCode) {
    DestroyWindow(hiddenOwnerWindow);
    OleUninitialize();
    ExitProcess(static_cast<UINT>(exitCode));
}

// Running out of memory when a text is made is fatal.
void OnOutOfMemory() {
    MessageBoxA(nullptr, OUT_OF_MEMORY_TEXT, PROGRAM_TITLE, MB_ICONERROR);
    ExitProcess(static_cast<UINT>(FAILURE_EXIT_CODE));
}

void MakeProgramFolderCurrent() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    size_t lastBackslash = folder.rfind('\\');
    if (lastBackslash != std::string::npos) {
        folder.resize(lastBackslash);
    }
    SetCurrentDirectoryA(folder.c_str());
}

HWND CreateHiddenOwnerWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = HIDDEN_OWNER_CLASS;
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_TOOLWINDOW, HIDDEN_OWNER_CLASS, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Once the loop runs, the destruction of the last window of the program ends it.
void OnLastWindowGone() {
    if (loopStarted) {
        PostQuitMessage(0);
    }
}

} // namespace

void AddExitRoutine(void (*routine)()) {
    if (std::find(exitRoutines.begin(), exitRoutines.end(), routine) == exitRoutines.end()) {
        exitRoutines.push_back(routine);
    }
}

void RunExitRoutines() {
    std::vector<void (*)()> routines;
    routines.swap(exitRoutines);
    for (auto routine : routines) {
        routine();
    }
}

void QuitProgram(int exitCode) {
    RunExitRoutines();
    EndProcess(exitCode);
}

HWND HiddenOwnerWindow() {
    return hiddenOwnerWindow;
}

void ReleaseHotkeySetting() {
    std::string().swap(hotkeySetting);
}

int RunProgram() {
    std::set_new_handler(OnOutOfMemory);
    OleInitialize(nullptr);
    MakeProgramFolderCurrent();
    hiddenOwnerWindow = CreateHiddenOwnerWindow();
    AddExitRoutine(ReleaseHotkeySetting);
    SetLastWindowGoneHandler(OnLastWindowGone);

    if (BuildWindow(MAIN_WINDOW, nullptr) == nullptr) {
        MessageBoxA(nullptr, START_WINDOW_FAILED_TEXT, PROGRAM_TITLE, MB_ICONERROR);
        exitRoutines.clear();
        EndProcess(FAILURE_EXIT_CODE);
    }

    loopStarted = true;
    WPARAM exitCode = 0;
    if (AnyBuiltWindowExists()) {
        while (DispatchNextMessage(exitCode)) {
        }
    }
    RunExitRoutines();
    DestroyWindow(hiddenOwnerWindow);
    OleUninitialize();
    return static_cast<int>(exitCode);
}
