// Forms: top-level windows whose controls and event bindings come from a form description.
//
// A form class binds its control fields and handler methods in its constructor, then reads its
// description; the application object (CreateForm) runs OnCreate afterwards (gui/README.md shows
// a whole form unit):
//
//   TForm12::TForm12(TComponent* owner) : TForm(owner, "TForm12") {
//       GUI_CONTROLS(Edit1, Label4);
//       GUI_HANDLERS(FormCreate, Button1Click);
//       LoadFromResource("TFORM12");
//   }
#pragma once

#include <functional>
#include <string>

#include "Control.h"

namespace gui {

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// A component that acts on its form's window. A form makes its window only when it is shown or
// the window is really needed, so a component that asked for it at once would make every hidden
// form's window at start-up; instead the form tells the components it owns each time it has made
// a window, and a component made later looks at HandleAllocated itself.
class TFormWindowUser {
public:
    virtual void FormWindowMade(HWND window) { (void)window; }
    // The form's window is being shown or hidden (WM_SHOWWINDOW), has stopped moving or sizing
    // (WM_EXITSIZEMOVE) or is going (WM_DESTROY); heard before the form handles it.
    virtual void FormWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        (void)msg, (void)wParam, (void)lParam;
    }

protected:
    ~TFormWindowUser() = default;
};

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner, const std::string& className = "TForm");
    ~TForm() override;
    // Frees the form as the class library does: its window goes first, so OnDestroy runs from
    // WM_DESTROY while the whole form and its controls still exist, then the object. A form
    // deleted directly gets no OnDestroy.
    void Free();

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);

    // The size of the client area; the outer size follows from the border style.
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    void SetClientSize(int width, int height);
    RECT ClientRect() const override;

    // Showing a hidden form shows, activates and raises it (centred the first time with
    // poScreenCenter); showing one that is visible already changes nothing, neither its place
    // nor its stacking. Hiding works alike.
    void Show() override;
    void Hide() override;
    void SetVisible(bool visible) override;
    bool Showing() const override;

    // A close request: OnCloseQuery may refuse it, OnClose chooses the action (caHide by
    // default). Closing the main form ends the application.
    void Close();
    // Whether the form is the active window.
    bool Active() const;
    // The control of this form that last had the focus.
    TWinControl* ActiveControl() const;

    // Reads the description (text, or an RCDATA resource of that name) into this form.
    void LoadFromDescription(const std::string& text);
    void LoadFromResource(const std::string& resourceName);

    // Runs OnCreate once and shows a form described as visible. Application::CreateForm calls
    // it; code that makes a form with new calls it too.
    void AfterConstruction();

    // BorderStyle, BorderIcons, Position, FormStyle, WindowState, ClientWidth, ClientHeight,
    // the events below; PixelsPerInch, TextHeight, OldCreateOrder and Scaled are
    // accepted and have no effect.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void Loaded() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnPaint;
    TNotifyEvent OnResize;

    // Valid during OnPaint.
    TCanvas& Canvas() { return canvas_; }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void PaintWindow(HDC dc, const RECT& area) override;

private:
    void Styles(DWORD& style, DWORD& exStyle) const;
    void TellWindowUsers(UINT msg, WPARAM wParam, LPARAM lParam);
    void ApplyStyles();
    void PlaceOnScreen();
    SIZE FrameSize() const;

    TBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    TFormStyle formStyle_ = fsNormal;
    TWindowState windowState_ = wsNormal;
    int pendingClientWidth_ = -1;
    int pendingClientHeight_ = -1;
    void FireDestroy();

    bool placed_ = false;
    bool destroyFired_ = false;
    bool created_ = false;
    TCanvas canvas_;
};

}  // namespace gui
