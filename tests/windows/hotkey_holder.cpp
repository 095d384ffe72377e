// Another program that holds a function key as its hotkey, for the registration tests:
//   hotkey_holder <virtual key> <held event name> <release event name>
// Registers the key, signals the held event (only when the registration succeeded) and
// keeps the key until the release event is signalled.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    UINT virtualKey = static_cast<UINT>(std::atoi(argv[1]));
    HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
    if (held == nullptr || release == nullptr || !RegisterHotKey(nullptr, 1, 0, virtualKey)) {
        return 1;
    }
    SetEvent(held);
    WaitForSingleObject(release, 60000);
    UnregisterHotKey(nullptr, 1);
    return 0;
}
