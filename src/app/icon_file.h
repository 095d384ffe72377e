// Reading the directory of an icon file (ICO), and choosing the image for the notification
// area. Plain C++: the bytes come from the program's resources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct IconEntry {
    int width;  // 256 where the file's byte says 0
    int height; // 256 where the file's byte says 0
    int colourCount;
    int bitCount;
    std::span<const std::uint8_t> image; // the entry's image bytes, within the file
};

// The entries of an ICO file in their order; empty when the bytes are not one, and without
// the entries whose image would lie outside the bytes.
std::vector<IconEntry> ReadIconDirectory(std::span<const std::uint8_t> file);

// The first entry of this width whose colour count is 16 or more, else the last entry.
std::optional<size_t> ChooseTrayIconEntry(const std::vector<IconEntry>& entries, int width);
