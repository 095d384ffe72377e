// The process from start to end: start-up, the message loop, the exit routines, the end.
#pragma once

#include <windows.h>

// Starts Harnlo and runs it until its message loop ends; the process exit code.
int RunProgram();

// Appends a routine to run once when the process ends (a routine already listed is not
// added again).
void AddExitRoutine(void (*routine)());
void RunExitRoutines();

// Runs the exit routines, destroys the hidden owner window (and the windows it owns), shuts
// COM down and ends the process.
[[noreturn]] void QuitProgram(int exitCode);

// The invisible window that owns the hotkey window, so that it gets no taskbar button.
HWND HiddenOwnerWindow();

// The exit routine: releases the key name last read.
void ReleaseHotkeySetting();
