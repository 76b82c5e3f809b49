#include "MessengerDriver.h"

#include "RxTrayIcon.h"

namespace e2e {

namespace {

void PostKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

}  // namespace

HWND MessengerProcess::TrayWindow() const {
    return FindTopLevel("ZemblyTrayIconWindow", "");
}

bool MessengerProcess::TrayEvent(UINT mouseMessage) const {
    HWND tray = TrayWindow();
    return tray && PostMessageA(tray, gui::TRxTrayIcon::kCallbackMessage, 0, mouseMessage);
}

bool MessengerProcess::ChooseTrayItemFromEnd(int fromEnd) const {
    if (!TrayEvent(WM_RBUTTONUP)) return false;
    HWND menu = nullptr;
    const bool open = WaitUntil(
        [&] {
            menu = FindTopLevel("#32768", "");
            return menu && IsWindowVisible(menu);
        },
        10000);
    if (!open) return false;
    // Up from no selection reaches the last item first.
    for (int i = 0; i <= fromEnd; ++i) PostKey(menu, VK_UP);
    PostKey(menu, VK_RETURN);
    return true;
}

}  // namespace e2e
