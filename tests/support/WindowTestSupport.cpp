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

std::string SmallBmp(int width, int height, const std::vector<uint32_t>& rgb) {
    std::string bmp(54, '\0');
    auto put32 = [&bmp](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<uint32_t>(54 + rgb.size() * 4));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(-height));  // negative: top row first
    bmp[26] = 1;
    bmp[28] = 32;
    for (uint32_t pixel : rgb)
        for (int i = 0; i < 4; ++i) bmp += static_cast<char>(i < 3 ? pixel >> (8 * i) : 0xFF);
    return bmp;
}

HWND OwnMenuWindow() {
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, "#32768", nullptr)) != nullptr)
        if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId())
            return w;
    return nullptr;
}

}  // namespace testing_support
