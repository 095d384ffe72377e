#include <windows.h>

#include "platform/clipboard.h"

#include <climits>
#include <cwchar>
#include <cstring>

namespace {

constexpr UINT SHARE_TEXT_CODE_PAGE = 936;
// About half a second in all: a press is not worth a wrong link for want of waiting.
constexpr int OPEN_ATTEMPTS = 26;
constexpr DWORD OPEN_RETRY_DELAY_MS = 20;

// Clipboard managers often hold the clipboard for a moment right after a copy, longer on a
// busy machine.
bool OpenClipboardPatiently() {
    for (int attempt = 1; attempt <= OPEN_ATTEMPTS; ++attempt) {
        if (OpenClipboard(nullptr)) {
            return true;
        }
        if (attempt < OPEN_ATTEMPTS) {
            Sleep(OPEN_RETRY_DELAY_MS);
        }
    }
    return false;
}

class ClipboardOpen {
public:
    ClipboardOpen() : open_(OpenClipboardPatiently()) {}
    ~ClipboardOpen() {
        if (open_) {
            CloseClipboard();
        }
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HANDLE handle) : handle_(handle), data_(GlobalLock(handle)) {}
    ~GlobalLockGuard() {
        if (data_ != nullptr) {
            GlobalUnlock(handle_);
        }
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    const void* Data() const { return data_; }
    // The block may be larger than its text, and a careless program may leave the text
    // without its terminating NUL: never read past the block.
    SIZE_T Size() const { return GlobalSize(handle_); }

private:
    HANDLE handle_;
    void* data_;
};

// The Unicode text converted to code page 936, whatever the system's ANSI code page is.
bool ReadUnicodeText(std::string& text) {
    HANDLE handle = GetClipboardData(CF_UNICODETEXT);
    if (handle == nullptr) {
        return false;
    }
    GlobalLockGuard lock(handle);
    if (lock.Data() == nullptr) {
        return false;
    }
    auto wide = static_cast<const wchar_t*>(lock.Data());
    size_t length = wcsnlen(wide, lock.Size() / sizeof(wchar_t));
    if (length == 0) {
        text.clear();
        return true;
    }
    if (length > static_cast<size_t>(INT_MAX / 2)) {
        return false;
    }
    int wideLength = static_cast<int>(length);
    int needed = WideCharToMultiByte(SHARE_TEXT_CODE_PAGE, 0, wide, wideLength, nullptr, 0, nullptr,
                                     nullptr);
    if (needed <= 0) {
        return false;
    }
    text.resize(static_cast<size_t>(needed));
    int written = WideCharToMultiByte(SHARE_TEXT_CODE_PAGE, 0, wide, wideLength, text.data(),
                                      needed, nullptr, nullptr);
    if (written <= 0) {
        text.clear();
        return false;
    }
    text.resize(static_cast<size_t>(written));
    // A text ends at its first NUL.
    text.resize(std::strlen(text.c_str()));
    return true;
}

void ReadAnsiText(std::string& text) {
    text.clear();
    HANDLE handle = GetClipboardData(CF_TEXT);
    if (handle == nullptr) {
        return;
    }
    GlobalLockGuard lock(handle);
    if (lock.Data() == nullptr) {
        return;
    }
    auto bytes = static_cast<const char*>(lock.Data());
    text.assign(bytes, strnlen(bytes, lock.Size()));
}

} // namespace

std::string ReadClipboardText() {
    std::string text;
    ClipboardOpen clipboard;
    if (!clipboard.IsOpen()) {
        return text;
    }
    if (!ReadUnicodeText(text)) {
        ReadAnsiText(text);
    }
    return text;
}
