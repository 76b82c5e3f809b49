// Helpers of the layer's own window tests: window order, small controls to put on test forms,
// and the recorder that answers message boxes.
#pragma once

#include <windows.h>

#include <string>

#include "Control.h"
#include "Dialogs.h"
#include "WindowTestSupport.h"

namespace testing_support {

// True when window a lies above window b among the top-level windows.
bool IsAbove(HWND a, HWND b);

// A graphic control that fills far more than its bounds with its colour, so that the clipping
// of its parent's painting shows.
class Swatch : public gui::TGraphicControl {
public:
    explicit Swatch(gui::TComponent* owner) : TGraphicControl(owner) { SetClassName("TSwatch"); }
    bool SetProperty(const std::string& name, const gui::PropertyValue& value) override;
    gui::TColor fill = gui::clLime;
    int paints = 0;
    bool throwInPaint = false;

protected:
    void Paint() override;
};

// A single-line EDIT control wrapped on the layer's subclassing, as the standard controls are.
class TestEdit : public gui::TWinControl {
public:
    explicit TestEdit(gui::TComponent* owner) : TWinControl(owner) {
        SetClassName("TTestEdit");
        SetTabStop(true);
    }
    bool ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    int changes = 0;

protected:
    void CreateParams(gui::TCreateParams& params) override;
};

// Registers TSwatch and TTestEdit and the layer's own classes.
void RegisterTestClasses();

// Answers every message box with OK and keeps them, for the whole test program.
gui::DialogRecorder& Boxes();

}  // namespace testing_support
