// The mouse rules every frameless messenger window shares in place of a caption bar and a system
// close button: pressing the left button on a drag surface and moving drags the window, and the
// close picture either swaps to its hover twin or appears only inside a hot zone. A window binds
// its surfaces and pictures once after reading its description; its own closing stays with it.
#pragma once

#include <initializer_list>

#include "Control.h"
#include "Form.h"

namespace messenger {

class BorderlessWindow {
public:
    explicit BorderlessWindow(gui::TForm& form) : form_(form) {}
    BorderlessWindow(const BorderlessWindow&) = delete;
    BorderlessWindow& operator=(const BorderlessWindow&) = delete;

    // Takes the surfaces' press, move and release events.
    void AddDragSurfaces(std::initializer_list<gui::TControl*> surfaces);

    // `hover` lies over `normal`: a move over `normal` shows it, and every move over a drag
    // surface hides it again, so it shows only while the pointer is on the picture.
    void SetHoverPair(gui::TControl& normal, gui::TControl& hover);

    // `picture` shows while the pointer moves inside the zone of a drag surface, in that
    // surface's own coordinates (left < x < right, y < bottom), and hides on every other move
    // over a surface.
    struct HotZone {
        int left, right, bottom;
    };
    void SetHotZone(gui::TControl& picture, HotZone zone);

private:
    void Press(gui::TMouseButton button, int x, int y);
    void Move(int x, int y);
    void Release();

    gui::TForm& form_;
    // The pointer at the press, in the pressed surface's coordinates. Both must be above 0 for
    // moves to drag, so a press on a surface's first row or column drags nothing.
    int x0_ = 0, y0_ = 0;
    gui::TControl* hover_ = nullptr;
    gui::TControl* hotPicture_ = nullptr;
    HotZone zone_{};
};

}  // namespace messenger
