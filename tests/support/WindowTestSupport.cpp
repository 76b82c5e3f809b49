#include <windows.h>

#include "WindowTestSupport.h"

#include <cstdlib>

#include "MessagePump.h"

namespace testing_support {

bool PumpUntil(const std::function<bool()>& condition, int milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        gui::ProcessMessages();
        if (condition()) return true;
        if (static_cast<int>(GetTickCount() - start) >= milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void Pump(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

void PrintClient(gui::TWinControl& control, gui::TBitmap& into) {
    RECT client;
    GetClientRect(control.Handle(), &client);
    into.SetSize(client.right, client.bottom);
    SendMessageA(control.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(into.Canvas().Handle()),
                 PRF_CLIENT);
}

void SavePicture(const gui::TBitmap& bitmap, const std::string& name) {
    const char* folder = std::getenv("ZEMBLY_PICTURES");
    if (!folder || !*folder) return;
    std::string path = folder;
    // ctest hands over a path of the host; under wine the host's root is drive Z:.
    if (path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    bitmap.SaveToPng(path + "\\" + name + ".png");
}

}  // namespace testing_support
