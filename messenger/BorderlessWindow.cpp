#include "BorderlessWindow.h"

namespace messenger {

void BorderlessWindow::AddDragSurfaces(std::initializer_list<gui::TControl*> surfaces) {
    for (gui::TControl* surface : surfaces) {
        surface->OnMouseDown = [this](gui::TObject*, gui::TMouseButton button, gui::TShiftState,
                                      int x, int y) { Press(button, x, y); };
        surface->OnMouseMove = [this](gui::TObject*, gui::TShiftState, int x, int y) {
            Move(x, y);
        };
        surface->OnMouseUp = [this](gui::TObject*, gui::TMouseButton, gui::TShiftState, int, int) {
            Release();
        };
    }
}

void BorderlessWindow::SetHoverPair(gui::TControl& normal, gui::TControl& hover) {
    hover_ = &hover;
    normal.OnMouseMove = [&hover](gui::TObject*, gui::TShiftState, int, int) { hover.Show(); };
}

void BorderlessWindow::SetHotZone(gui::TControl& picture, HotZone zone) {
    hotPicture_ = &picture;
    zone_ = zone;
}

void BorderlessWindow::Press(gui::TMouseButton button, int x, int y) {
    if (button != gui::mbLeft) return;
    x0_ = x;
    y0_ = y;
}

void BorderlessWindow::Move(int x, int y) {
    if (hotPicture_ && hotPicture_->Visible()) hotPicture_->Hide();
    // The surface moves with the window, so the pressed point stays under the pointer.
    if (x0_ > 0 && y0_ > 0)
        form_.SetBounds(form_.Left() + x - x0_, form_.Top() + y - y0_, form_.Width(),
                        form_.Height());
    if (hover_) hover_->Hide();
    if (hotPicture_ && zone_.left < x && x < zone_.right && y < zone_.bottom) hotPicture_->Show();
}

void BorderlessWindow::Release() {
    x0_ = 0;
    y0_ = 0;
}

}  // namespace messenger
