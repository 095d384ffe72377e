// Reading back what the X server shows, through the screen's device context.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels; // row by row from the top

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

Capture CaptureScreen(const RECT& area);
// Saves the capture as a 24-bit BMP file.
bool SaveBitmap(const Capture& capture, const std::string& path);
// Lets pending painting happen.
void PumpMessages(unsigned forMs);
