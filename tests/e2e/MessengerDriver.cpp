#include "MessengerDriver.h"

#include "RxTrayIcon.h"

namespace e2e {

namespace {

constexpr const char* kComposer = "zemblySMS v2.00";
constexpr int kWait = 30000;

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

HWND MessengerProcess::OpenComposer() const {
    if (!TrayEvent(WM_LBUTTONDBLCLK)) return nullptr;
    return WaitUntil([&] { return Visible(kComposer); }, kWait) ? Window(kComposer) : nullptr;
}

bool MessengerProcess::AddContact(HWND composer, const std::string& name,
                                  const std::string& number) const {
    if (!Press(composer, "Add") || !WaitUntil([&] { return Visible("Contacts"); }, kWait))
        return false;
    HWND dialog = Window("Contacts");
    // The name and number fields, by their places in the dialog.
    Type(dialog, 80, 44, name);
    Type(dialog, 80, 80, number);
    return Press(dialog, "OK") && WaitUntil([&] { return !Visible("Contacts"); }, kWait);
}

void MessengerProcess::ClickFirstContact(HWND composer) const {
    HWND list = FindWindowExA(composer, nullptr, "SysListView32", nullptr);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 12));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(20, 12));
}

}  // namespace e2e
