#include <windows.h>
#include <shellapi.h>

#include "platform/shell_open.h"

void OpenLink(const std::string& link) {
    HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    ShellExecuteA(owner, "open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
