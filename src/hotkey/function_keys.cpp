#include "hotkey/function_keys.h"

std::optional<std::uint32_t> FunctionKeyForName(std::string_view setting) {
    std::optional<std::uint32_t> found;
    // Every row is compared; the names differ, so at most one matches.
    for (const FunctionKey& key : FunctionKeyTable) {
        if (key.name == setting) {
            found = key.virtualKey;
        }
    }
    return found;
}
