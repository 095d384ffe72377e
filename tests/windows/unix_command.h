// Running a Unix command (xdotool, for real key presses) from a Windows test under Wine.
#pragma once

#include <string>

// Runs the command with /bin/sh and waits for it; its exit status, or -1 after the timeout.
// The command must not contain double quotes.
int RunUnixCommand(const std::string& command, unsigned timeoutMs = 20000);

// Gives the X keyboard focus to the visible Wine window with this title and presses the keys
// (xdotool key names, such as "F1"). Wine's hotkeys fire only while a Wine window has focus.
int PressKeysInWindow(const std::string& windowTitle, const std::string& keys);
