#include "screen_capture.h"

#include <fstream>

Capture CaptureScreen(const RECT& area) {
    Capture capture;
    capture.width = area.right - area.left;
    capture.height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, capture.width, capture.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> bgra(static_cast<size_t>(capture.width * capture.height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(capture.height), bgra.data(), &info,
              DIB_RGB_COLORS);
    capture.pixels.reserve(bgra.size());
    for (DWORD pixel : bgra) {
        capture.pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return capture;
}

bool SaveBitmap(const Capture& capture, const std::string& path) {
    int rowSize = (capture.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = capture.width;
    header.biHeight = capture.height; // bottom-up
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowSize * capture.height);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    std::vector<unsigned char> row(static_cast<size_t>(rowSize), 0);
    for (int y = capture.height - 1; y >= 0; --y) {
        for (int x = 0; x < capture.width; ++x) {
            COLORREF c = capture.At(x, y);
            row[static_cast<size_t>(x * 3)] = GetBValue(c);
            row[static_cast<size_t>(x * 3 + 1)] = GetGValue(c);
            row[static_cast<size_t>(x * 3 + 2)] = GetRValue(c);
        }
        out.write(reinterpret_cast<const char*>(row.data()), rowSize);
    }
    return static_cast<bool>(out);
}

void PumpMessages(unsigned forMs) {
    DWORD started = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    } while (GetTickCount() - started < forMs);
}
