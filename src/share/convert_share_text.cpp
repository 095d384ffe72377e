#include "share/convert_share_text.h"

#include "hotkey/hotkey_registration.h"
#include "platform/clipboard.h"
#include "platform/shell_open.h"
#include "share/share_link.h"

void ConvertShareText(std::int32_t hotkeyId, std::int32_t /*unused*/) {
    ShareParts parts = ExtractShareParts(ReadClipboardText());
    // Presses of keys given up earlier still arrive; only the current one opens a link.
    if (hotkeyId == registeredHotkeyId) {
        OpenLink(BuildResolverLink(parts));
    }
}
