// Driving the real harnlo.exe from outside, as a person would: X mouse and key presses,
// the X clipboard, the notification area of Wine's virtual desktop, screenshots.
#pragma once

#include <windows.h>

#include "test_support.h"

#include <string>
#include <vector>

// A running harnlo.exe started by the test.
class HarnloProcess {
public:
    // Starts harnlo.exe (next to the test program) and waits until its icon is in the tray.
    HarnloProcess();
    ~HarnloProcess();
    HarnloProcess(const HarnloProcess&) = delete;
    HarnloProcess& operator=(const HarnloProcess&) = delete;

    DWORD Id() const { return process_.dwProcessId; }
    HANDLE Handle() const { return process_.hProcess; }
    // The hidden main window, found by its class among the process's windows.
    HWND MainWindow() const;
    // The hotkey window while it is open, else nullptr.
    HWND HotkeyWindow() const;
    bool Running() const;
    // The exit code once the process has ended; STILL_ACTIVE when it does not end in time.
    DWORD WaitForExit(unsigned timeoutMs = 10000) const;

private:
    PROCESS_INFORMATION process_ = {};
};

// How many of Harnlo's icons the notification area of the virtual desktop's taskbar shows.
size_t TrayIconCount();
// Waits until the taskbar shows this many icons.
bool WaitForTrayIconCount(size_t count, unsigned timeoutMs = 10000);
// The middle of an icon, by its place from the right (0: the first one added).
POINT TrayIconCentre(size_t place = 0);
// The process's visible top-level windows.
std::vector<HWND> VisibleWindowsOf(DWORD processId);
// The process's top-level windows of a class.
std::vector<HWND> WindowsOf(DWORD processId, const char* className);
// The open popup menu, or nullptr.
HWND OpenMenu();
HWND WaitForOpenMenu(unsigned timeoutMs = 5000);

POINT Centre(HWND window);
RECT RectOf(HWND window);

// Real X input, through xdotool.
void MoveMouse(POINT at);
void Click(POINT at, int button = 1);
void DoubleClick(POINT at);
void Drag(POINT from, POINT to);
// Gives a window of the test the focus and presses the keys (xdotool names, e.g. "F1").
void PressKeys(const std::string& keys);
// Presses the keys into whatever window of the desktop has the focus now.
void PressKeysWhereFocused(const std::string& keys);
// Wine drops input that arrives while one of its processes starts or ends: every press
// waits until the browser that Wine starts for each link has come and gone, so that a press
// that goes missing is Harnlo's.
void WaitForQuietInput();
// Puts UTF-8 text on the X clipboard, as another X program would.
void PutOnXClipboard(const std::string& utf8);

// Presses and releases a key through SendInput, as it stands.
void InjectKeyPress(WORD virtualKey);
// Presses a key through SendInput, with a window of the test focused first when none of the
// desktop's windows has the focus. How often the focus had to be given back so far.
int SendKeyPress(WORD virtualKey);

// What a process holds: its kernel handles (from the system's handle list), its GDI objects
// (0 where the system does not count them, as under Wine), its private bytes.
size_t HandleCountOf(DWORD processId);
DWORD GdiObjectsOf(HANDLE process);
size_t PrivateBytesOf(HANDLE process);

// Text of another process's window, through WM_GETTEXT.
std::string TextOf(HWND window);

// The settings file of the prefix's user, read and written byte for byte.
std::string SettingsPath();
std::string ReadSettingsBytes();
void WriteSettingsBytes(const std::string& bytes);
void RemoveSettingsFile();
