// The baseline for Harnlo's costs: a Win32 program that only adds a notification-area icon
// and waits until its window is closed.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

namespace {

LRESULT CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MinimalProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "MinimalTray";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "MinimalTray", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr);
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    std::strcpy(icon.szTip, "Minimal");
    Shell_NotifyIconA(NIM_ADD, &icon);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    Shell_NotifyIconA(NIM_DELETE, &icon);
    return 0;
}
