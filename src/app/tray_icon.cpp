#include <windows.h>
#include <shellapi.h>

#include "app/tray_icon.h"

#include "app/icon_file.h"
#include "res/resource_ids.h"
#include "ui/messages.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// The first, 88-byte form of the record, which every Windows version takes.
constexpr DWORD TRAY_RECORD_SIZE = NOTIFYICONDATAA_V1_SIZE;
constexpr size_t TIP_BYTES = 62;
constexpr int TRAY_ICON_SIZE = 16;
constexpr int FALLBACK_ICON_SIZE = 32;
constexpr DWORD ICON_FORMAT_VERSION = 0x30000;

HICON trayIcon = nullptr;
std::string trayTip;

HICON IconOfWidth(std::span<const std::uint8_t> iconBytes, int width) {
    std::vector<IconEntry> entries = ReadIconDirectory(iconBytes);
    std::optional<size_t> chosen = ChooseTrayIconEntry(entries, width);
    if (!chosen) {
        return nullptr;
    }
    std::span<const std::uint8_t> image = entries[*chosen].image;
    auto bits = const_cast<PBYTE>(image.data());
    auto size = static_cast<DWORD>(image.size());
    HICON icon = CreateIconFromResourceEx(bits, size, TRUE, ICON_FORMAT_VERSION, TRAY_ICON_SIZE,
                                          TRAY_ICON_SIZE, LR_DEFAULTCOLOR);
    if (icon == nullptr) {
        icon = CreateIconFromResource(bits, size, TRUE, ICON_FORMAT_VERSION);
    }
    return icon;
}

HICON IconFromBytes(std::span<const std::uint8_t> iconBytes) {
    if (iconBytes.empty()) {
        return nullptr;
    }
    HICON icon = IconOfWidth(iconBytes, TRAY_ICON_SIZE);
    return icon != nullptr ? icon : IconOfWidth(iconBytes, FALLBACK_ICON_SIZE);
}

NOTIFYICONDATAA TrayRecord(HWND window, HICON icon, const std::string& tip) {
    NOTIFYICONDATAA record = {};
    record.cbSize = TRAY_RECORD_SIZE;
    record.hWnd = window;
    record.uID = TRAY_ICON_ID;
    if (icon != nullptr) {
        record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        record.uCallbackMessage = TRAY_CALLBACK_MESSAGE;
        record.hIcon = icon;
    }
    // Bytes 62 and 63 of the field stay zero, so the tip is always terminated.
    std::memcpy(record.szTip, tip.data(), std::min(tip.size(), TIP_BYTES));
    return record;
}

} // namespace

std::span<const std::uint8_t> BuiltInIconBytes() {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(IDR_TRAY_ICON), MAKEINTRESOURCEA(10));
    if (resource == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(module, resource);
    auto bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
    return bytes == nullptr
               ? std::span<const std::uint8_t>()
               : std::span<const std::uint8_t>(bytes, SizeofResource(module, resource));
}

void SetTrayIcon(HWND window, std::span<const std::uint8_t> iconBytes, const char* tip) {
    HICON icon = IconFromBytes(iconBytes);
    trayTip = tip != nullptr ? tip : "";
    NOTIFYICONDATAA record = TrayRecord(window, icon, trayTip);
    if (trayIcon != nullptr) {
        Shell_NotifyIconA(icon != nullptr ? NIM_MODIFY : NIM_DELETE, &record);
        DestroyIcon(trayIcon);
    } else if (icon != nullptr) {
        Shell_NotifyIconA(NIM_ADD, &record);
    }
    trayIcon = icon;
}

void RestoreTrayIcon(HWND window) {
    if (trayIcon == nullptr) {
        return;
    }
    NOTIFYICONDATAA record = TrayRecord(window, trayIcon, trayTip);
    Shell_NotifyIconA(NIM_ADD, &record);
}
