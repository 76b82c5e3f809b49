#include <windows.h>

#include "WindowDriver.h"

#include "ListView.h"

namespace testing_support {

namespace {
constexpr LPARAM kKeyUpFlags = static_cast<LPARAM>(0xC0000001u);

LPARAM At(POINT p) {
    return MAKELPARAM(p.x, p.y);
}

struct ButtonMessages {
    UINT down, up;
    WPARAM held;
};

ButtonMessages MessagesOf(gui::TMouseButton button) {
    switch (button) {
        case gui::mbRight:
            return {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON};
        case gui::mbMiddle:
            return {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON};
        default:
            return {WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON};
    }
}
}  // namespace

MouseTarget TargetOf(gui::TControl& control, int x, int y) {
    if (auto* windowed = dynamic_cast<gui::TWinControl*>(&control))
        return {windowed->Handle(), {x, y}};
    POINT origin = control.OriginInWindow();
    gui::TWinControl* host = control.Parent();
    return {host ? host->Handle() : nullptr, {origin.x + x, origin.y + y}};
}

void Click(gui::TControl& control, int x, int y, WPARAM keys) {
    MouseTarget t = TargetOf(control, x, y);
    SendMessageA(t.window, WM_MOUSEMOVE, keys, At(t.point));
    SendMessageA(t.window, WM_LBUTTONDOWN, MK_LBUTTON | keys, At(t.point));
    SendMessageA(t.window, WM_LBUTTONUP, keys, At(t.point));
}

void Click(gui::TControl& control) {
    Click(control, control.Width() / 2, control.Height() / 2);
}

void DoubleClick(gui::TControl& control) {
    MouseTarget t = TargetOf(control, control.Width() / 2, control.Height() / 2);
    SendMessageA(t.window, WM_LBUTTONDOWN, MK_LBUTTON, At(t.point));
    SendMessageA(t.window, WM_LBUTTONUP, 0, At(t.point));
    SendMessageA(t.window, WM_LBUTTONDBLCLK, MK_LBUTTON, At(t.point));
    SendMessageA(t.window, WM_LBUTTONUP, 0, At(t.point));
}

void MouseDown(gui::TControl& control, int x, int y, gui::TMouseButton button) {
    MouseTarget t = TargetOf(control, x, y);
    SendMessageA(t.window, MessagesOf(button).down, MessagesOf(button).held, At(t.point));
}

void MouseMove(gui::TControl& control, int x, int y, WPARAM keys) {
    MouseTarget t = TargetOf(control, x, y);
    SendMessageA(t.window, WM_MOUSEMOVE, keys, At(t.point));
}

void MouseUp(gui::TControl& control, int x, int y, gui::TMouseButton button) {
    MouseTarget t = TargetOf(control, x, y);
    SendMessageA(t.window, MessagesOf(button).up, 0, At(t.point));
}

void PostClick(gui::TControl& control) {
    MouseTarget t = TargetOf(control, control.Width() / 2, control.Height() / 2);
    PostMessageA(t.window, WM_LBUTTONDOWN, MK_LBUTTON, At(t.point));
    PostMessageA(t.window, WM_LBUTTONUP, 0, At(t.point));
}

void Type(gui::TWinControl& control, const std::string& text) {
    for (char c : text) SendMessageA(control.Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
}

void PressKey(gui::TWinControl& control, WORD key) {
    KeyDown(control, key);
    KeyUp(control, key);
}

void KeyDown(gui::TWinControl& control, WORD key) {
    SendMessageA(control.Handle(), WM_KEYDOWN, key, 1);
}

void KeyUp(gui::TWinControl& control, WORD key) {
    SendMessageA(control.Handle(), WM_KEYUP, key, kKeyUpFlags);
}

std::vector<std::string> SelectedCaptions(gui::TListView& view) {
    std::vector<std::string> captions;
    for (int i = 0; i < view.Items().Count(); ++i)
        if (view.Items()[i]->Selected()) captions.push_back(view.Items()[i]->Caption());
    return captions;
}

}  // namespace testing_support
