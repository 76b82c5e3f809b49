// Controls: TControl (position, appearance, mouse events), TWinControl (a control with a window
// of its own, children and keyboard events), TGraphicControl (painted by its parent inside its
// bounds) and TCustomControl (a window of our own class with a canvas and Paint).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Graphics.h"

namespace gui {

class TWinControl;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                      ssDouble = 64;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Border styles of forms; controls with a border use bsNone and bsSingle.
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crHourGlass = -11,
                  crNo = -18, crHandPoint = -21;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;

// What a control class does with mouse input and children.
using TControlStyle = unsigned;
constexpr TControlStyle csAcceptsControls = 1,  // may hold child controls
    csCaptureMouse = 2,                         // keeps the mouse while a button is down
    csClickEvents = 4,                          // press and release inside make a click
    csDoubleClicks = 8,                         // double clicks reach OnDblClick
    csOpaque = 16;                              // paints its whole area (no background fill)

// The shift state of the keyboard and mouse buttons now, or as a mouse message's wParam tells.
TShiftState KeyboardShiftState();
TShiftState MouseShiftState(WPARAM wParam);

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    // Takes the control off its old parent and puts it last (topmost) on the new one.
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    // Position relative to the parent's client area (screen position for a form).
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    virtual RECT ClientRect() const { return Rect(0, 0, width_, height_); }
    int ClientWidth() const;
    int ClientHeight() const;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    virtual void Show() { SetVisible(true); }
    virtual void Hide() { SetVisible(false); }
    // Visible itself and on a parent chain that is shown.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    // The control's own font. With ParentFont (the default) it follows the parent's font until
    // one of its attributes is set.
    TFont& Font() { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool on);
    // With ParentColor the control takes its parent's colour until its own is set.
    TColor Color() const;
    virtual void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    // Whether the hint shows: the control's own ShowHint, or its parent's with ParentShowHint.
    bool ShowHint() const;
    void SetShowHint(bool on);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool on) { parentShowHint_ = on; }

    // Caption and Text are one value, as in the class library.
    virtual std::string Text() const { return text_; }
    virtual void SetText(const std::string& text);
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }

    intptr_t Tag() const { return tag_; }
    void SetTag(intptr_t tag) { tag_ = tag; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
    // The name of a popup menu component on the same root, resolved when it is needed.
    const std::string& PopupMenuName() const { return popupMenuName_; }
    void SetPopupMenuName(const std::string& name) { popupMenuName_ = name; }
    TComponent* PopupMenu();

    // Asks for a repaint of the control's area.
    virtual void Invalidate();
    // Paints what is invalid now, without waiting for the message loop.
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    // Moves the control to the top (or bottom) of its parent's stacking order.
    virtual void BringToFront();
    virtual void SendToBack();

    POINT ClientToScreen(POINT point) const;
    POINT ScreenToClient(POINT point) const;
    // Offset of this control's client origin in its nearest windowed ancestor (0, 0 for one
    // with a window of its own).
    POINT OriginInWindow() const;
    // The form or other top-level windowed control this control sits on.
    TWinControl* TopLevelControl();

    // Left, Top, Width, Height, Visible, Enabled, Font.* and ParentFont, Color and ParentColor,
    // Hint, ShowHint, ParentShowHint, Caption, Text, Tag, Cursor, Align, PopupMenu, and the
    // event bindings OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void Loaded() override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

    // Event dispatch: overrides may add to them, and call the base to fire the events.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

    // One mouse message (WM_MOUSEMOVE, WM_?BUTTONDOWN/UP/DBLCLK) with coordinates relative to
    // this control. Windows and the parent's routing of graphic children both end here.
    void MouseMessage(UINT msg, WPARAM wParam, int x, int y);

protected:
    // Called after the corresponding value changed, so subclasses can show it.
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void BoundsChanged();
    virtual void ParentChanged();

    // Takes or gives back the mouse while a button is down; graphic controls take it through
    // their parent's window.
    virtual void SetMouseCapture(bool capture);

    // Keeps the bound members in step without raising the change hooks (used when Windows
    // itself moved a window).
    void UpdateBoundsFromWindow(int left, int top, int width, int height);

    std::string text_;
    bool visible_ = true;

private:
    friend class TWinControl;
    void ParentFontChanged();
    void FontAttributeChanged();

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool enabled_ = true;
    TFont font_;
    bool parentFont_ = true;
    bool syncingFont_ = false;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    intptr_t tag_ = 0;
    TCursor cursor_ = crDefault;
    TAlign align_ = alNone;
    TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csDoubleClicks;
    std::string popupMenuName_;
    bool clicked_ = false;
};

// What CreateWnd passes to CreateWindowExA. CreateParams fills it; subclasses add to it.
struct TCreateParams {
    std::string windowClass;  // empty: our own window class; else a standard one ("EDIT")
    std::string caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window; made (with the parent's first) when asked for.
    HWND Handle();
    bool HandleAllocated() const { return hwnd_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // The control whose window this is, or nullptr.
    static TWinControl* FromHandle(HWND window);
    // Destroys the window and makes it again from the current properties (a style change that
    // needs a new window).
    void RecreateWnd();

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }
    // The topmost visible (and enabled, unless allowDisabled) child without a window of its own
    // at a point of the client area.
    TControl* ControlAtPos(POINT point, bool allowDisabled = false) const;

    bool Focused() const;
    bool CanFocus() const;
    virtual void SetFocus();
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool on);
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    // The control inside this (top-level) one that last had the focus, or nullptr.
    TWinControl* FocusedChild() const;
    // Windowed children that can take the focus, in tab order (depth first).
    void GetTabOrderList(std::vector<TWinControl*>& list);

    // Controls described inside this one become its children.
    void AddDescribedChild(TComponent* child) override;
    // The control's own properties plus TabStop, TabOrder and the bindings OnKeyPress,
    // OnKeyDown, OnKeyUp, OnEnter, OnExit.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void Loaded() override;

    std::string Text() const override;
    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    bool Showing() const override;
    void Invalidate() override;
    void Update() override;
    void BringToFront() override;
    void SendToBack() override;

    // Lays out the aligned children in the client area.
    virtual void AlignControls();

    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The window procedure of the control. Overrides handle what they need and pass the rest to
    // the base, which maps messages to events and then runs the default handling.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // A message that this control's parent received about it (WM_COMMAND, WM_NOTIFY,
    // WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM, WM_HSCROLL, WM_VSCROLL). Return true with the
    // result when handled; the default colours the control with its Color and font colour.
    virtual bool ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Key dispatch: KeyPress runs before the key reaches the window (a key set to 0 is
    // discarded), KeyDown before and KeyUp after the default handling.
    virtual void KeyPress(char& key);
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void DoEnter();
    virtual void DoExit();

    // The child control that holds the mouse while a button is down.
    TControl* CaptureControl() const { return captureControl_; }
    void SetCaptureControl(TControl* control);

    // Paints the graphic children that intersect the area onto a context whose origin is this
    // control's client origin.
    void PaintControls(HDC dc, const RECT& area);
    // A brush of the control's colour for WM_CTLCOLOR* answers and background fills.
    HBRUSH BackgroundBrush();

protected:
    virtual void CreateParams(TCreateParams& params);
    // Makes the window from CreateParams, then the children's windows. Overrides call the base
    // first and then set the new window up.
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // The handling a message gets when no override takes it: the standard control's own, or
    // DefWindowProc for our window class.
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
    // Our own window class: fills the background unless csOpaque, then calls PaintWindow, then
    // paints the graphic children. Double buffered.
    virtual void PaintWindow(HDC dc, const RECT& area);
    // True when the window is of our own class (not a subclassed standard control).
    bool OwnWindowClass() const { return ownClass_; }

    void FontChanged() override;
    void ColorChanged() override;
    void TextChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void ParentChanged() override;
    void SetMouseCapture(bool capture) override;

private:
    friend class TControl;
    friend LRESULT CALLBACK OwnWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK SubclassWindowProc(HWND, UINT, WPARAM, LPARAM);

    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void MoveControl(TControl* control, bool toFront);
    LRESULT MapMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void PaintMessage();
    bool RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    bool ForwardToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void ApplyFont();
    void CreateChildWindows();

    HWND hwnd_ = nullptr;
    bool ownClass_ = true;
    std::vector<TControl*> controls_;
    TControl* captureControl_ = nullptr;
    TControl* mouseControl_ = nullptr;
    bool tabStop_ = false;
    int tabOrder_ = -1;
    HBRUSH background_ = nullptr;
    COLORREF backgroundRgb_ = 0;
    bool aligning_ = false;
};

// A control without a window: its parent paints it inside its bounds through Paint on a
// canvas whose origin is the control's top-left corner and which clips to its bounds.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    // During Paint, the parent's paint context; at other times a context of the parent's window
    // (given back when the message loop next runs). Without a parent the canvas draws nowhere.
    TCanvas& Canvas();
    // Called by the parent's painting with the context set up for this control.
    void PaintTo(HDC dc);

protected:
    virtual void Paint() {}

public:
    class ControlCanvas;  // defined with the implementation

private:
    std::unique_ptr<ControlCanvas> canvas_;
};

// A window of our own class with a canvas and Paint, for controls that draw themselves.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    // Valid during Paint.
    TCanvas& Canvas() { return canvas_; }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc, const RECT& area) override;

private:
    TCanvas canvas_;
};

// Shows a popup menu component (bound through a control's PopupMenu) at a screen point. The
// menu unit installs it; without one, right clicks show nothing.
using PopupMenuHandler = std::function<void(TComponent* menu, int screenX, int screenY)>;
void SetPopupMenuHandler(PopupMenuHandler handler);

// Gives back the device contexts that graphic controls took outside painting. The message loop
// calls it after each message.
void FreeDeviceContexts();

// Makes the common controls' window classes (list view, tab control, progress bar, up-down,
// tooltips) known before the first of them is made. The common-control library loads then: a
// program whose first windows are all of user32's classes starts without it.
void UseCommonControls();

}  // namespace gui
