#include "clipboard_fixture.h"

#include <cstring>
#include <stdexcept>

std::wstring Widen(const std::string& utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string ToCodePage936(const std::string& utf8) {
    std::wstring wide = Widen(utf8);
    int n = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n,
                        nullptr, nullptr);
    return bytes;
}

namespace {

void OpenOrThrow() {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (OpenClipboard(nullptr)) {
            return;
        }
        Sleep(10);
    }
    HWND holder = GetOpenClipboardWindow();
    DWORD process = 0;
    DWORD thread = holder != nullptr ? GetWindowThreadProcessId(holder, &process) : 0;
    char name[64] = {};
    if (holder != nullptr) {
        GetClassNameA(holder, name, sizeof name);
    }
    throw std::runtime_error("the test could not open the clipboard: it is held by window " +
                             std::string(name) + " of process " + std::to_string(process) +
                             ", thread " + std::to_string(thread) + " (this process is " +
                             std::to_string(GetCurrentProcessId()) + ")");
}

} // namespace

void PutRawData(UINT format, const void* data, size_t size) {
    OpenOrThrow();
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    SetClipboardData(format, block);
    CloseClipboard();
}

void PutUnicodeText(const std::wstring& text) {
    PutRawData(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

void PutAnsiText(const std::string& bytes) {
    PutRawData(CF_TEXT, bytes.c_str(), bytes.size() + 1);
}

void EmptyTheClipboard() {
    OpenOrThrow();
    EmptyClipboard();
    CloseClipboard();
}

ClipboardHolder::ClipboardHolder(DWORD holdMs) : holdMs_(holdMs) {
    opened_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &ClipboardHolder::Run, this, 0, nullptr);
    WaitForSingleObject(opened_, 5000);
}

ClipboardHolder::~ClipboardHolder() {
    SetEvent(release_);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(opened_);
    CloseHandle(release_);
}

DWORD WINAPI ClipboardHolder::Run(void* self) {
    auto holder = static_cast<ClipboardHolder*>(self);
    HWND window = CreateWindowExA(0, "STATIC", "clipboard holder", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, nullptr, nullptr);
    holder->holding_ = OpenClipboard(window) != FALSE;
    SetEvent(holder->opened_);
    WaitForSingleObject(holder->release_, holder->holdMs_);
    if (holder->holding_) {
        CloseClipboard();
    }
    DestroyWindow(window);
    return 0;
}
