// Putting exact contents on the real clipboard, and holding it open from another thread.
#pragma once

#include <windows.h>

#include <string>

std::wstring Widen(const std::string& utf8);
// The UTF-8 text in code page 936 bytes.
std::string ToCodePage936(const std::string& utf8);

void PutUnicodeText(const std::wstring& text);
void PutAnsiText(const std::string& bytes);
void PutRawData(UINT format, const void* data, size_t size);
void EmptyTheClipboard();

// Holds the clipboard open with a window of its own thread for as long as it lives, or for
// holdMs when that comes first.
class ClipboardHolder {
public:
    explicit ClipboardHolder(DWORD holdMs = INFINITE);
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    bool Holding() const { return holding_; }

private:
    static DWORD WINAPI Run(void* self);
    HANDLE thread_ = nullptr;
    HANDLE opened_ = nullptr;
    HANDLE release_ = nullptr;
    DWORD holdMs_;
    bool holding_ = false;
};
