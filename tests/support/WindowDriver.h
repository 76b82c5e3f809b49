// Drives real windows the way a user does, by the messages the system sends for mouse and
// keyboard input, and finds a form's controls by name. Every window test of both programs uses
// these instead of calling handlers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Component.h"
#include "Control.h"

namespace gui {
class TListView;
}

namespace testing_support {

// The window that receives the mouse for a control, and the control's point (x, y) in that
// window: graphic controls get their input through the windowed control they sit on.
struct MouseTarget {
    HWND window;
    POINT point;
};
MouseTarget TargetOf(gui::TControl& control, int x, int y);

// Left button down and up at the control's point (x, y), or its centre; `keys` adds MK_SHIFT or
// MK_CONTROL. Sent, so the handlers have run when these return.
void Click(gui::TControl& control, int x, int y, WPARAM keys = 0);
void Click(gui::TControl& control);
void DoubleClick(gui::TControl& control);
// One button event at the control's point; for drags and right-button presses.
void MouseDown(gui::TControl& control, int x, int y, gui::TMouseButton button = gui::mbLeft);
void MouseMove(gui::TControl& control, int x, int y, WPARAM keys = 0);
void MouseUp(gui::TControl& control, int x, int y, gui::TMouseButton button = gui::mbLeft);
// The same click, posted: for handlers that wait in a message loop of their own, so that the
// click arrives while that loop runs.
void PostClick(gui::TControl& control);

// Characters as the keyboard produces them (WM_CHAR; "\r" is Enter, "\b" Backspace).
void Type(gui::TWinControl& control, const std::string& text);
// A key pressed and released (WM_KEYDOWN, then WM_KEYUP) with no character.
void PressKey(gui::TWinControl& control, WORD key);
void KeyDown(gui::TWinControl& control, WORD key);
void KeyUp(gui::TWinControl& control, WORD key);

// The component of that name on the root, as a T; fails the test (throws) when there is none or
// it is another class.
template <class T>
T& Find(gui::TComponent& root, const std::string& name) {
    auto* component = dynamic_cast<T*>(root.FindComponent(name));
    if (!component) throw gui::Exception("no " + name + " of the expected class on " + root.Name());
    return *component;
}

// Captions of the selected items, in index order.
std::vector<std::string> SelectedCaptions(gui::TListView& view);

}  // namespace testing_support
