#pragma once

#include <windows.h>

// Takes the thread's next message (any window) and dispatches it, after the check that lets
// a window be dragged by its body. False when WM_QUIT arrived (its exit code in quitCode) or
// the message queue failed.
bool DispatchNextMessage(WPARAM& quitCode);
