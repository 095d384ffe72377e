#include "app/icon_file.h"

namespace {

std::uint32_t Read16(std::span<const std::uint8_t> bytes, size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t Read32(std::span<const std::uint8_t> bytes, size_t at) {
    return Read16(bytes, at) | (Read16(bytes, at + 2) << 16);
}

constexpr size_t HEADER_SIZE = 6;
constexpr size_t ENTRY_SIZE = 16;

} // namespace

std::vector<IconEntry> ReadIconDirectory(std::span<const std::uint8_t> file) {
    std::vector<IconEntry> entries;
    if (file.size() < HEADER_SIZE || Read16(file, 0) != 0 || Read16(file, 2) != 1) {
        return entries;
    }
    size_t count = Read16(file, 4);
    if (file.size() < HEADER_SIZE + count * ENTRY_SIZE) {
        return entries;
    }
    for (size_t i = 0; i < count; ++i) {
        size_t at = HEADER_SIZE + i * ENTRY_SIZE;
        std::uint32_t size = Read32(file, at + 8);
        std::uint32_t offset = Read32(file, at + 12);
        if (offset > file.size() || size > file.size() - offset) {
            continue;
        }
        IconEntry entry;
        entry.width = file[at] == 0 ? 256 : file[at];
        entry.height = file[at + 1] == 0 ? 256 : file[at + 1];
        entry.colourCount = file[at + 2];
        entry.bitCount = static_cast<int>(Read16(file, at + 6));
        entry.image = file.subspan(offset, size);
        entries.push_back(entry);
    }
    return entries;
}

std::optional<size_t> ChooseTrayIconEntry(const std::vector<IconEntry>& entries, int width) {
    if (entries.empty()) {
        return std::nullopt;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].width == width && entries[i].colourCount >= 16) {
            return i;
        }
    }
    return entries.size() - 1;
}
