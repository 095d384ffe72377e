#include "hotkey/hotkey_registration.h"

std::int32_t registeredHotkeyId = 0;
