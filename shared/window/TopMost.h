// TTopMost: a non-visual component that keeps the form it is placed on in the system's topmost
// band, above every window that is not topmost. It puts each window the form makes into the band
// (a hidden form makes its window only when shown or really needed, before it appears); the flag
// can be changed later to leave or re-enter the band.
#pragma once

#include <windows.h>

#include <string>

#include "Component.h"
#include "Form.h"

class TTopMost : public gui::TComponent, public gui::TFormWindowUser {
public:
    // The owner must be a form: anything else (or none) raises gui::EInvalidCast before the
    // component exists, so the owner never lists it. A form that has its window already gets
    // it made topmost at once.
    explicit TTopMost(gui::TComponent* owner);

    bool TopMost() const { return topMost_; }
    // Changing the flag moves the window, if the form has one, into or out of the topmost band;
    // the same value again does nothing.
    void SetTopMost(bool on);

    // "TopMost"; the rest goes to the base.
    bool SetProperty(const std::string& name, const gui::PropertyValue& value) override;

    // The call that moves the window between the bands, replaceable so that tests can count
    // and inspect the calls; nullptr restores SetWindowPos.
    using WindowPosSetter = BOOL(WINAPI*)(HWND window, HWND insertAfter, int x, int y, int cx,
                                          int cy, UINT flags);
    static void SetWindowPosSetter(WindowPosSetter setter);

    void FormWindowMade(HWND window) override;

private:
    static gui::TComponent* RequireForm(gui::TComponent* owner);
    gui::TForm& Form() const;
    void ApplyTopMost();

    bool topMost_ = true;
};
