#pragma once

#include <cstdint>

// Handler of the main window label's feedback event: reads the clipboard text, takes out the
// share identifier and the extraction code and, when the press belongs to the key that is
// registered now, opens the resolver link.
void ConvertShareText(std::int32_t hotkeyId, std::int32_t unused);
