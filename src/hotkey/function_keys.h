// The keys that can serve as the hotkey, by the names the settings file stores.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

struct FunctionKey {
    std::string_view name;
    std::uint32_t virtualKey;
};

// Compared in this order; F10 is here although the hotkey window does not offer it.
inline constexpr FunctionKey FunctionKeyTable[] = {
    {"F1", 112}, {"F2", 113}, {"F3", 114}, {"F4", 115},  {"F5", 116},  {"F6", 117},
    {"F7", 118}, {"F8", 119}, {"F9", 120}, {"F10", 121}, {"F11", 122}, {"F12", 123},
};

// The virtual key of the row whose name equals the setting byte for byte (same length, same
// bytes, case distinct, nothing trimmed), or none.
std::optional<std::uint32_t> FunctionKeyForName(std::string_view setting);
