#include "Form.h"

#include <algorithm>

#include "Application.h"
#include "FormLoader.h"
#include "Resources.h"

namespace gui {

TForm::TForm(TComponent* owner, const std::string& className) : TWinControl(owner) {
    SetClassName(className);
    visible_ = false;
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
    // Too late for OnDestroy here: the class that bound it is gone already (see Free).
    SetDestroying();
    Application.RemoveForm(this);
}

void TForm::Free() {
    if (HandleAllocated())
        DestroyWnd();  // WM_DESTROY runs OnDestroy
    else
        FireDestroy();
    delete this;
}

void TForm::FireDestroy() {
    if (destroyFired_ || Destroying()) return;
    destroyFired_ = true;
    Fire(OnDestroy, this);
}

void TForm::Styles(DWORD& style, DWORD& exStyle) const {
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    exStyle = 0;
    switch (borderStyle_) {
        case bsNone:
            style |= WS_POPUP;
            break;
        case bsSingle:
            style |= WS_CAPTION;
            break;
        case bsSizeable:
            style |= WS_CAPTION | WS_THICKFRAME;
            break;
        case bsDialog:
            style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
            exStyle |= WS_EX_DLGMODALFRAME;
            break;
        case bsToolWindow:
            style |= WS_CAPTION;
            exStyle |= WS_EX_TOOLWINDOW;
            break;
        case bsSizeToolWin:
            style |= WS_CAPTION | WS_THICKFRAME;
            exStyle |= WS_EX_TOOLWINDOW;
            break;
    }
    if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
        style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_ & biMinimize) style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize) style |= WS_MAXIMIZEBOX;
        }
        if ((borderIcons_ & biHelp) && !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
            exStyle |= WS_EX_CONTEXTHELP;
    }
    if (formStyle_ == fsStayOnTop) exStyle |= WS_EX_TOPMOST;
}

void TForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    DWORD style, exStyle;
    Styles(style, exStyle);
    params.style = style | (Enabled() ? 0 : WS_DISABLED);
    params.exStyle = exStyle;
    params.parent = nullptr;  // a form is always a top-level window
}

void TForm::CreateWnd() {
    TWinControl::CreateWnd();
    HWND window = Handle();
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* user = dynamic_cast<TFormWindowUser*>(Component(i))) user->FormWindowMade(window);
    if (windowState_ != wsNormal && visible_) SetWindowState(windowState_);
}

void TForm::ApplyStyles() {
    HWND hwnd = HandleAllocated() ? Handle() : nullptr;
    if (!hwnd) return;
    DWORD style, exStyle;
    Styles(style, exStyle);
    const DWORD keep = WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE;
    LONG_PTR oldStyle = GetWindowLongPtrA(hwnd, GWL_STYLE);
    SetWindowLongPtrA(hwnd, GWL_STYLE,
                      static_cast<LONG_PTR>(style) | (oldStyle & static_cast<LONG_PTR>(keep)));
    SetWindowLongPtrA(hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle & ~WS_EX_TOPMOST));
    SetWindowPos(hwnd, formStyle_ == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    ApplyStyles();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == borderIcons_) return;
    borderIcons_ = icons;
    ApplyStyles();
}

void TForm::SetFormStyle(TFormStyle style) {
    if (style == formStyle_) return;
    formStyle_ = style;
    ApplyStyles();
}

void TForm::SetPosition(TPosition position) {
    position_ = position;
    placed_ = false;
}

TWindowState TForm::WindowState() const {
    if (HandleAllocated()) {
        HWND hwnd = const_cast<TForm*>(this)->Handle();
        if (IsIconic(hwnd)) return wsMinimized;
        if (IsZoomed(hwnd)) return wsMaximized;
        return wsNormal;
    }
    return windowState_;
}

void TForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (!Showing()) return;
    static const int kCommands[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(Handle(), kCommands[state]);
}

SIZE TForm::FrameSize() const {
    if (HandleAllocated()) {
        HWND hwnd = const_cast<TForm*>(this)->Handle();
        RECT window, client;
        GetWindowRect(hwnd, &window);
        GetClientRect(hwnd, &client);
        return SIZE{(window.right - window.left) - client.right,
                    (window.bottom - window.top) - client.bottom};
    }
    DWORD style, exStyle;
    Styles(style, exStyle);
    RECT r{0, 0, 100, 100};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return SIZE{r.right - r.left - 100, r.bottom - r.top - 100};
}

RECT TForm::ClientRect() const {
    if (HandleAllocated()) return TWinControl::ClientRect();
    SIZE frame = FrameSize();
    return RECT{0, 0, std::max(0, Width() - static_cast<int>(frame.cx)),
                std::max(0, Height() - static_cast<int>(frame.cy))};
}

void TForm::SetClientWidth(int width) {
    // While the description is read the border may still change; Loaded sets it again.
    if (Loading()) pendingClientWidth_ = width;
    SetBounds(Left(), Top(), width + FrameSize().cx, Height());
}

void TForm::SetClientHeight(int height) {
    if (Loading()) pendingClientHeight_ = height;
    SetBounds(Left(), Top(), Width(), height + FrameSize().cy);
}

void TForm::SetClientSize(int width, int height) {
    SetClientWidth(width);
    SetClientHeight(height);
}

void TForm::PlaceOnScreen() {
    int x = Left(), y = Top();
    TForm* main = Application.MainForm();
    switch (position_) {
        case poMainFormCenter:
        case poOwnerFormCenter:
            if (main && main != this && main->Showing()) {
                x = main->Left() + (main->Width() - Width()) / 2;
                y = main->Top() + (main->Height() - Height()) / 2;
                break;
            }
            [[fallthrough]];
        case poScreenCenter:
        case poDesktopCenter:
            x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
            y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
            break;
        default:
            return;
    }
    SetBounds(x, y, Width(), Height());
}

bool TForm::Showing() const {
    return HandleAllocated() && IsWindowVisible(const_cast<TForm*>(this)->Handle());
}

void TForm::Show() {
    if (Showing()) {
        // Already on screen: neither moved nor raised nor activated.
        visible_ = true;
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return;
    }
    visible_ = true;
    if (Loading()) return;  // shown once made (AfterConstruction)
    HWND hwnd = Handle();
    if (!placed_) {
        PlaceOnScreen();
        placed_ = true;
    }
    static const int kCommands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(hwnd, kCommands[windowState_]);
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Fire(OnShow, this);
}

void TForm::Hide() {
    bool wasShowing = Showing();
    visible_ = false;
    if (!wasShowing) return;
    ShowWindow(Handle(), SW_HIDE);
    Fire(OnHide, this);
}

void TForm::SetVisible(bool visible) {
    if (visible)
        Show();
    else
        Hide();
}

void TForm::Close() {
    bool canClose = true;
    Fire(OnCloseQuery, this, canClose);
    if (!canClose) return;
    TCloseAction action = caHide;
    Fire(OnClose, this, action);
    switch (action) {
        case caNone:
            return;
        case caMinimize:
            SetWindowState(wsMinimized);
            return;
        case caHide:
        case caFree:
            // The application keeps its forms as long as it runs, so a form asked to free
            // itself is hidden.
            if (Application.MainForm() == this)
                Application.Terminate();
            else
                Hide();
            return;
    }
}

bool TForm::Active() const {
    return HandleAllocated() && GetActiveWindow() == const_cast<TForm*>(this)->Handle();
}

TWinControl* TForm::ActiveControl() const {
    TWinControl* focused = TWinControl::FromHandle(GetFocus());
    if (focused && focused->TopLevelControl() == this) return focused;
    return FocusedChild();
}

void TForm::LoadFromDescription(const std::string& text) {
    LoadDescription(*this, text);
}

void TForm::LoadFromResource(const std::string& resourceName) {
    LoadDescription(*this, ResourceData(resourceName));
}

void TForm::AfterConstruction() {
    if (created_) return;
    created_ = true;
    Fire(OnCreate, this);
    if (visible_ && !Showing()) Show();
}

bool TForm::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "BorderStyle")) {
        SetBorderStyle(static_cast<TBorderStyle>(value.AsEnum(
            {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"})));
    } else if (SameText(name, "BorderIcons")) {
        SetBorderIcons(value.AsSet({"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}));
    } else if (SameText(name, "Position")) {
        SetPosition(static_cast<TPosition>(value.AsEnum(
            {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
             "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"})));
    } else if (SameText(name, "FormStyle")) {
        SetFormStyle(static_cast<TFormStyle>(
            value.AsEnum({"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"})));
    } else if (SameText(name, "WindowState")) {
        SetWindowState(
            static_cast<TWindowState>(value.AsEnum({"wsNormal", "wsMinimized", "wsMaximized"})));
    } else if (SameText(name, "ClientWidth")) {
        SetClientWidth(value.AsInt());
    } else if (SameText(name, "ClientHeight")) {
        SetClientHeight(value.AsInt());
    } else if (SameText(name, "OnCreate")) {
        BindEvent(OnCreate, value);
    } else if (SameText(name, "OnShow")) {
        BindEvent(OnShow, value);
    } else if (SameText(name, "OnHide")) {
        BindEvent(OnHide, value);
    } else if (SameText(name, "OnActivate")) {
        BindEvent(OnActivate, value);
    } else if (SameText(name, "OnDeactivate")) {
        BindEvent(OnDeactivate, value);
    } else if (SameText(name, "OnClose")) {
        BindEvent(OnClose, value);
    } else if (SameText(name, "OnCloseQuery")) {
        BindEvent(OnCloseQuery, value);
    } else if (SameText(name, "OnDestroy")) {
        BindEvent(OnDestroy, value);
    } else if (SameText(name, "OnPaint")) {
        BindEvent(OnPaint, value);
    } else if (SameText(name, "OnResize")) {
        BindEvent(OnResize, value);
    } else if (SameText(name, "PixelsPerInch") || SameText(name, "TextHeight") ||
               SameText(name, "OldCreateOrder") || SameText(name, "Scaled")) {
        // Design-time values of the form designer; nothing at run time depends on them.
    } else {
        return TWinControl::SetProperty(name, value);
    }
    return true;
}

void TForm::Loaded() {
    TWinControl::Loaded();
    if (pendingClientWidth_ >= 0) SetClientWidth(pendingClientWidth_);
    if (pendingClientHeight_ >= 0) SetClientHeight(pendingClientHeight_);
    pendingClientWidth_ = pendingClientHeight_ = -1;
}

void TForm::PaintWindow(HDC dc, const RECT& area) {
    if (!(ControlStyle() & csOpaque)) ::FillRect(dc, &area, BackgroundBrush());
    if (OnPaint) {
        canvas_.SetHandle(dc);
        canvas_.Font().Assign(Font());
        canvas_.Brush().SetColor(Color());
        Fire(OnPaint, this);
        canvas_.SetHandle(nullptr);
    }
    PaintControls(dc, area);
}

void TForm::TellWindowUsers(UINT msg, WPARAM wParam, LPARAM lParam) {
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* user = dynamic_cast<TFormWindowUser*>(Component(i)))
            user->FormWindowMessage(msg, wParam, lParam);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SHOWWINDOW || msg == WM_EXITSIZEMOVE || msg == WM_DESTROY)
        TellWindowUsers(msg, wParam, lParam);
    switch (msg) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_DESTROY:
            FireDestroy();
            return TWinControl::WndProc(msg, wParam, lParam);
        case WM_ACTIVATE: {
            bool active = LOWORD(wParam) != WA_INACTIVE;
            if (active && !HIWORD(wParam)) {
                // Give the focus back to the control that had it, or the first in tab order.
                TWinControl* target = FocusedChild();
                if (!target || !target->CanFocus()) {
                    std::vector<TWinControl*> order;
                    GetTabOrderList(order);
                    target = order.empty() ? nullptr : order.front();
                }
                if (target)
                    target->SetFocus();
                else
                    TWinControl::WndProc(msg, wParam, lParam);
            } else {
                TWinControl::WndProc(msg, wParam, lParam);
            }
            Fire(active ? OnActivate : OnDeactivate, this);
            return 0;
        }
        case WM_SIZE: {
            LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
            Fire(OnResize, this);
            return result;
        }
        default:
            return TWinControl::WndProc(msg, wParam, lParam);
    }
}

}  // namespace gui
