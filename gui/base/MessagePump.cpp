#include <windows.h>

#include "MessagePump.h"

#include "Control.h"

namespace gui {

namespace {
bool quitRequested = false;
int quitExitCode = 0;
MessageFilter messageFilter = nullptr;
}  // namespace

void ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitRequested = true;
            quitExitCode = static_cast<int>(msg.wParam);
            return;
        }
        HandleMessage(&msg);
    }
}

void HandleMessage(void* message) {
    MSG* msg = static_cast<MSG*>(message);
    if (messageFilter && messageFilter(msg)) return;
    TranslateMessage(msg);
    DispatchMessageA(msg);
    FreeDeviceContexts();
}

bool QuitRequested() {
    return quitRequested;
}
int QuitExitCode() {
    return quitExitCode;
}
void ClearQuitRequest() {
    quitRequested = false;
    quitExitCode = 0;
}
void SetMessageFilter(MessageFilter filter) {
    messageFilter = filter;
}

}  // namespace gui
