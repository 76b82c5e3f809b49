#include "GuiTestSupport.h"

#include "StandardClasses.h"

namespace testing_support {

bool IsAbove(HWND a, HWND b) {
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == b) return true;
    return false;
}

bool Swatch::SetProperty(const std::string& name, const gui::PropertyValue& value) {
    if (name == "Fill") {
        fill = gui::ColorFromValue(value);
        return true;
    }
    return TGraphicControl::SetProperty(name, value);
}

void Swatch::Paint() {
    ++paints;
    if (throwInPaint) throw gui::Exception("Canvas does not allow drawing");
    Canvas().Brush().SetColor(fill);
    Canvas().FillRect(RECT{-500, -500, 2000, 2000});
}

void TestEdit::CreateParams(gui::TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = "EDIT";
    params.style |= ES_AUTOHSCROLL;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

bool TestEdit::ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        ++changes;
        return true;
    }
    return TWinControl::ParentNotification(msg, wParam, lParam, result);
}

void RegisterTestClasses() {
    gui::RegisterStandardClasses();
    gui::ClassRegistry::Register("TSwatch",
                                 [](gui::TComponent* owner) { return new Swatch(owner); });
    gui::ClassRegistry::Register("TTestEdit",
                                 [](gui::TComponent* owner) { return new TestEdit(owner); });
}

gui::DialogRecorder& Boxes() {
    static gui::DialogRecorder recorder(gui::mrOk);
    return recorder;
}

namespace {
// No test may ever wait on a real box: the recorder answers from before the first test.
struct InstallRecorder {
    InstallRecorder() { Boxes(); }
} installRecorder;
}  // namespace

}  // namespace testing_support
