#include "ui/message_loop.h"

#include "ui/window_builder.h"

bool DispatchNextMessage(WPARAM& quitCode) {
    MSG message;
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
        quitCode = message.wParam;
        return false;
    }
    if (got == -1) {
        quitCode = 0;
        return false;
    }
    PrepareToDispatch(message);
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}
