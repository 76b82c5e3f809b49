#include "TopMost.h"

#include "Form.h"

namespace {
TTopMost::WindowPosSetter windowPosSetter = nullptr;
}

gui::TComponent* TTopMost::RequireForm(gui::TComponent* owner) {
    // Checked before the base constructor runs, so a refused component never enters the
    // owner's list of components.
    if (!dynamic_cast<gui::TForm*>(owner)) throw gui::EInvalidCast();
    return owner;
}

TTopMost::TTopMost(gui::TComponent* owner) : gui::TComponent(RequireForm(owner)) {
    // A form without a window yet gets the band when it makes one (FormWindowMade).
    if (Form().HandleAllocated()) ApplyTopMost();
}

gui::TForm& TTopMost::Form() const {
    return *static_cast<gui::TForm*>(Owner());
}

void TTopMost::FormWindowMade(HWND) {
    ApplyTopMost();
}

void TTopMost::SetTopMost(bool on) {
    if (on == topMost_) return;
    topMost_ = on;
    if (Form().HandleAllocated()) ApplyTopMost();
}

void TTopMost::ApplyTopMost() {
    // A form open in the designer is never put above the designer's own windows. The component
    // is asked while it is being created, before it could inherit the owner's design state.
    bool designing = Designing() || (Owner() && Owner()->Designing());
    HWND insertAfter = topMost_ && !designing ? HWND_TOPMOST : HWND_NOTOPMOST;
    // Only "no move, no size": activation is left as the window manager decides. The result is
    // of no use here; a window that cannot be moved between bands simply stays where it is.
    WindowPosSetter setter = windowPosSetter ? windowPosSetter : &::SetWindowPos;
    setter(Form().Handle(), insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool TTopMost::SetProperty(const std::string& name, const gui::PropertyValue& value) {
    if (gui::SameText(name, "TopMost")) {
        SetTopMost(value.AsBool());
        return true;
    }
    return gui::TComponent::SetProperty(name, value);
}

void TTopMost::SetWindowPosSetter(WindowPosSetter setter) {
    windowPosSetter = setter;
}
