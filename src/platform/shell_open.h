#pragma once

#include <string>

// Opens a link with the shell's "open" verb, in the user's default browser: through the
// desktop's shell when the process is elevated, else (or when that fails) with ShellExecuteA.
void OpenLink(const std::string& link);

// Whether the process token is elevated.
bool ProcessIsElevated();

// Asks the desktop's shell (the shell view of the desktop window, through IShellWindows and
// IShellDispatch2::ShellExecute) to open the link; false when any step fails.
bool OpenThroughDesktopShell(const std::string& link);

// ShellExecuteA with the verb "open", owned by a window titled "Microsoft Internet Explorer"
// when there is one.
void OpenDirectly(const std::string& link);
