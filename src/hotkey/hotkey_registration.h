#pragma once

#include <cstdint>
#include <string>

// The identifier that the latest registration of the configured key gave, 0 when it failed
// or none has been made.
extern std::int32_t registeredHotkeyId;
