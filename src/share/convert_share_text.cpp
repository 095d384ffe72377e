#include "share/convert_share_text.h"

#include "hotkey/hotkey_registration.h"
#include "platform/clipboard.h"
#include "platform/shell_open.h"
#include "share/share_link.h"

#include <deque>

namespace {

void ConvertOnePress(std::int32_t hotkeyId) {
    ShareParts parts = ExtractShareParts(ReadClipboardText());
    // Presses of keys given up earlier still arrive; only the current one opens a link.
    if (hotkeyId == registeredHotkeyId) {
        OpenLink(BuildResolverLink(parts));
    }
}

} // namespace

void ConvertShareText(std::int32_t hotkeyId, std::int32_t /*unused*/) {
    // Opening a link through the desktop's shell is a COM call to another process, and the
    // thread goes on dispatching messages while it waits, so a second press can arrive in the
    // middle of the first. It waits its turn: links open in the order of the presses.
    static std::deque<std::int32_t> presses;
    static bool converting = false;
    presses.push_back(hotkeyId);
    if (converting) {
        return;
    }
    converting = true;
    while (!presses.empty()) {
        std::int32_t next = presses.front();
        presses.pop_front();
        ConvertOnePress(next);
    }
    converting = false;
}
