#include "Control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace gui {

LRESULT CALLBACK OwnWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SubclassWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {
const char kWindowClass[] = "ZemblyWindow";

// The window classes that user32 itself provides; any other standard class is a common control.
bool User32Class(const std::string& name) {
    for (const char* own : {"BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX", "SCROLLBAR"})
        if (SameText(name, own)) return true;
    return false;
}

// Every window of a control, found without asking the system: window properties and the common
// controls' subclass chain both cost a round trip to the window server on some platforms, once
// per message, which made filling a list of thousands take seconds.
struct ControlWindow {
    TWinControl* control = nullptr;
    // A standard control's own window procedure, which ours passes messages on to, in the
    // character set the window had when ours replaced it.
    WNDPROC standardProc = nullptr;
    bool unicode = false;
};
std::unordered_map<HWND, ControlWindow>& ControlWindows() {
    static std::unordered_map<HWND, ControlWindow> windows;
    return windows;
}

LRESULT CallStandardProc(const ControlWindow& window, HWND hwnd, UINT msg, WPARAM wParam,
                         LPARAM lParam) {
    return window.unicode ? CallWindowProcW(window.standardProc, hwnd, msg, wParam, lParam)
                          : CallWindowProcA(window.standardProc, hwnd, msg, wParam, lParam);
}

PopupMenuHandler& PopupHandler() {
    static PopupMenuHandler handler;
    return handler;
}

// Windowed controls that are alive; the focus bookkeeping checks a remembered control here
// before it touches it.
std::unordered_set<TWinControl*>& LiveControls() {
    static std::unordered_set<TWinControl*> live;
    return live;
}

// Per top-level control, the child that last had the focus, so that OnExit/OnEnter fire when
// the focus moves between controls of one window and not when the user switches windows.
std::unordered_map<TWinControl*, TWinControl*>& FocusedChildren() {
    static std::unordered_map<TWinControl*, TWinControl*> focused;
    return focused;
}

int NextControlId() {
    static int id = 100;
    if (++id > 0x7FFF) id = 101;
    return id;
}

void RegisterWindowClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = OwnWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
    wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512) /* IDI_APPLICATION */);
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Exception("Cannot register the window class");
    registered = true;
}

void InvalidateArea(TWinControl* parent, const RECT& area) {
    if (parent && parent->HandleAllocated()) InvalidateRect(parent->Handle(), &area, FALSE);
}

LPCSTR CursorResource(TCursor cursor) {
    switch (cursor) {
        case crArrow:
            return MAKEINTRESOURCEA(32512);
        case crIBeam:
            return MAKEINTRESOURCEA(32513);
        case crHourGlass:
            return MAKEINTRESOURCEA(32514);
        case crCross:
            return MAKEINTRESOURCEA(32515);
        case crSizeNWSE:
            return MAKEINTRESOURCEA(32642);
        case crSizeNESW:
            return MAKEINTRESOURCEA(32643);
        case crSizeWE:
            return MAKEINTRESOURCEA(32644);
        case crSizeNS:
            return MAKEINTRESOURCEA(32645);
        case crNo:
            return MAKEINTRESOURCEA(32648);
        case crHandPoint:
            return MAKEINTRESOURCEA(32649);
        default:
            return nullptr;
    }
}

TCursor CursorFromValue(const PropertyValue& value) {
    if (value.kind == PropertyValue::Kind::Integer) return value.AsInt();
    static const struct {
        const char* name;
        TCursor cursor;
    } kCursors[] = {{"crDefault", crDefault}, {"crNone", crNone},
                    {"crArrow", crArrow},     {"crCross", crCross},
                    {"crIBeam", crIBeam},     {"crSizeNESW", crSizeNESW},
                    {"crSizeNS", crSizeNS},   {"crSizeNWSE", crSizeNWSE},
                    {"crSizeWE", crSizeWE},   {"crHourGlass", crHourGlass},
                    {"crNo", crNo},           {"crHandPoint", crHandPoint}};
    for (const auto& c : kCursors)
        if (SameText(value.AsIdent(), c.name)) return c.cursor;
    throw Exception("Invalid cursor '" + value.text + "'");
}

bool IsGraphic(const TControl* control) {
    return dynamic_cast<const TWinControl*>(control) == nullptr;
}

// A failure inside a window procedure must not unwind through the system's frames.
LRESULT SafeWndProc(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return control->WndProc(msg, wParam, lParam);
    } catch (const std::exception& error) {
        ReportException(error);
    } catch (...) {
        ReportException(Exception("Unknown exception"));
    }
    return 0;
}
}  // namespace

void SetPopupMenuHandler(PopupMenuHandler handler) {
    PopupHandler() = std::move(handler);
}

TShiftState KeyboardShiftState() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    if (GetKeyState(VK_LBUTTON) < 0) shift |= ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) shift |= ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) shift |= ssMiddle;
    return shift;
}

TShiftState MouseShiftState(WPARAM wParam) {
    TShiftState shift = 0;
    if (wParam & MK_SHIFT) shift |= ssShift;
    if (wParam & MK_CONTROL) shift |= ssCtrl;
    if (wParam & MK_LBUTTON) shift |= ssLeft;
    if (wParam & MK_RBUTTON) shift |= ssRight;
    if (wParam & MK_MBUTTON) shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

// =============================================================================================
// TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
    SetClassName("TControl");
    font_.OnChange = [this] { FontAttributeChanged(); };
}

TControl::~TControl() {
    SetDestroying();
    font_.OnChange = nullptr;
    if (parent_) parent_->RemoveControl(this);
    parent_ = nullptr;
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    for (TWinControl* p = parent; p; p = p->Parent())
        if (p == this) throw Exception("A control cannot be its own parent");
    if (parent_) parent_->RemoveControl(this);
    parent_ = parent;
    if (parent_) parent_->InsertControl(this);
    ParentFontChanged();
    ParentChanged();
    if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TControl::ParentChanged() {
    if (visible_) InvalidateArea(parent_, BoundsRect());
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    RECT old = BoundsRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (visible_) {
        InvalidateArea(parent_, old);
        InvalidateArea(parent_, BoundsRect());
    }
    BoundsChanged();
    if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TControl::UpdateBoundsFromWindow(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TControl::BoundsChanged() {}

int TControl::ClientWidth() const {
    RECT r = ClientRect();
    return r.right - r.left;
}

int TControl::ClientHeight() const {
    RECT r = ClientRect();
    return r.bottom - r.top;
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    VisibleChanged();
    if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TControl::VisibleChanged() {
    InvalidateArea(parent_, BoundsRect());
}

bool TControl::Showing() const {
    return visible_ && parent_ && parent_->Showing();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::EnabledChanged() {
    Invalidate();
}

void TControl::SetParentFont(bool on) {
    parentFont_ = on;
    if (on) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || !parent_) return;
    syncingFont_ = true;
    font_.Assign(parent_->font_);
    syncingFont_ = false;
}

void TControl::FontAttributeChanged() {
    if (!syncingFont_) parentFont_ = false;
    FontChanged();
}

void TControl::FontChanged() {
    Invalidate();
}

TColor TControl::Color() const {
    if (parentColor_ && parent_) return parent_->Color();
    return color_;
}

void TControl::SetColor(TColor color) {
    bool changed = color != Color();
    color_ = color;
    parentColor_ = false;
    if (changed) ColorChanged();
}

void TControl::SetParentColor(bool on) {
    if (on == parentColor_) return;
    TColor before = Color();
    parentColor_ = on;
    if (Color() != before) ColorChanged();
}

void TControl::ColorChanged() {
    Invalidate();
}

bool TControl::ShowHint() const {
    if (parentShowHint_ && parent_) return parent_->ShowHint();
    return showHint_;
}

void TControl::SetShowHint(bool on) {
    showHint_ = on;
    parentShowHint_ = false;
}

void TControl::SetText(const std::string& text) {
    if (text == Text()) return;
    text_ = text;
    TextChanged();
}

void TControl::TextChanged() {
    Invalidate();
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->AlignControls();
}

TComponent* TControl::PopupMenu() {
    if (popupMenuName_.empty()) return nullptr;
    return Root()->FindComponent(popupMenuName_);
}

void TControl::Invalidate() {
    if (visible_) InvalidateArea(parent_, BoundsRect());
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (parent_) parent_->MoveControl(this, true);
}

void TControl::SendToBack() {
    if (parent_) parent_->MoveControl(this, false);
}

POINT TControl::OriginInWindow() const {
    if (!IsGraphic(this)) return POINT{0, 0};
    return POINT{left_, top_};
}

POINT TControl::ClientToScreen(POINT point) const {
    const TWinControl* window = IsGraphic(this) ? parent_ : static_cast<const TWinControl*>(this);
    POINT origin = OriginInWindow();
    point.x += origin.x;
    point.y += origin.y;
    if (window && window->HandleAllocated())
        ::ClientToScreen(const_cast<TWinControl*>(window)->Handle(), &point);
    return point;
}

POINT TControl::ScreenToClient(POINT point) const {
    const TWinControl* window = IsGraphic(this) ? parent_ : static_cast<const TWinControl*>(this);
    if (window && window->HandleAllocated())
        ::ScreenToClient(const_cast<TWinControl*>(window)->Handle(), &point);
    POINT origin = OriginInWindow();
    point.x -= origin.x;
    point.y -= origin.y;
    return point;
}

TWinControl* TControl::TopLevelControl() {
    TControl* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<TWinControl*>(c);
}

void TControl::Click() {
    Fire(OnClick, this);
}
void TControl::DblClick() {
    Fire(OnDblClick, this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    Fire(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    Fire(OnMouseMove, this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    Fire(OnMouseUp, this, button, shift, x, y);
}

void TControl::SetMouseCapture(bool capture) {
    if (!parent_) return;
    if (capture)
        parent_->SetCaptureControl(this);
    else if (parent_->CaptureControl() == this)
        parent_->SetCaptureControl(nullptr);
}

void TControl::MouseMessage(UINT msg, WPARAM wParam, int x, int y) {
    if (Destroying()) return;
    TShiftState shift = MouseShiftState(wParam);
    TMouseButton button = mbLeft;
    switch (msg) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            button = mbRight;
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            button = mbMiddle;
            break;
        default:
            break;
    }
    switch (msg) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            if (controlStyle_ & csDoubleClicks) {
                if (controlStyle_ & csCaptureMouse) SetMouseCapture(true);
                if (button == mbLeft) DblClick();
                MouseDown(button, shift | ssDouble, x, y);
                break;
            }
            [[fallthrough]];
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (controlStyle_ & csCaptureMouse) SetMouseCapture(true);
            if (button == mbLeft && (controlStyle_ & csClickEvents)) clicked_ = true;
            MouseDown(button, shift, x, y);
            break;
        case WM_MOUSEMOVE:
            MouseMove(shift, x, y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            if ((controlStyle_ & csCaptureMouse) && !(shift & (ssLeft | ssRight | ssMiddle)))
                SetMouseCapture(false);
            if (button == mbLeft && clicked_) {
                clicked_ = false;
                if (x >= 0 && y >= 0 && x < width_ && y < height_) Click();
            }
            if (Destroying()) return;
            MouseUp(button, shift, x, y);
            if (button == mbRight && IsGraphic(this)) {
                TComponent* menu = PopupMenu();
                if (menu && PopupHandler()) {
                    POINT p = ClientToScreen(POINT{x, y});
                    PopupHandler()(menu, p.x, p.y);
                }
            }
            break;
        }
        default:
            break;
    }
}

bool TControl::SetProperty(const std::string& name, const PropertyValue& value) {
    if (name.size() > 5 && SameText(name.substr(0, 5), "Font.")) {
        bool known = font_.SetProperty(name.substr(5), value);
        if (known) SetParentFont(false);
        return known;
    }
    if (SameText(name, "Left")) {
        SetLeft(value.AsInt());
    } else if (SameText(name, "Top")) {
        SetTop(value.AsInt());
    } else if (SameText(name, "Width")) {
        SetWidth(value.AsInt());
    } else if (SameText(name, "Height")) {
        SetHeight(value.AsInt());
    } else if (SameText(name, "Visible")) {
        SetVisible(value.AsBool());
    } else if (SameText(name, "Enabled")) {
        SetEnabled(value.AsBool());
    } else if (SameText(name, "ParentFont")) {
        SetParentFont(value.AsBool());
    } else if (SameText(name, "Color")) {
        SetColor(ColorFromValue(value));
    } else if (SameText(name, "ParentColor")) {
        SetParentColor(value.AsBool());
    } else if (SameText(name, "Hint")) {
        SetHint(value.AsString());
    } else if (SameText(name, "ShowHint")) {
        SetShowHint(value.AsBool());
    } else if (SameText(name, "ParentShowHint")) {
        SetParentShowHint(value.AsBool());
    } else if (SameText(name, "Caption") || SameText(name, "Text")) {
        SetText(value.AsString());
    } else if (SameText(name, "Tag")) {
        SetTag(value.AsInt());
    } else if (SameText(name, "Cursor")) {
        SetCursor(CursorFromValue(value));
    } else if (SameText(name, "Align")) {
        SetAlign(static_cast<TAlign>(
            value.AsEnum({"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"})));
    } else if (SameText(name, "PopupMenu")) {
        SetPopupMenuName(value.AsIdent());
    } else if (SameText(name, "OnClick")) {
        BindEvent(OnClick, value);
    } else if (SameText(name, "OnDblClick")) {
        BindEvent(OnDblClick, value);
    } else if (SameText(name, "OnMouseDown")) {
        BindEvent(OnMouseDown, value);
    } else if (SameText(name, "OnMouseMove")) {
        BindEvent(OnMouseMove, value);
    } else if (SameText(name, "OnMouseUp")) {
        BindEvent(OnMouseUp, value);
    } else {
        return TComponent::SetProperty(name, value);
    }
    return true;
}

void TControl::Loaded() {
    TComponent::Loaded();
    ParentFontChanged();
}

// =============================================================================================
// Window procedures

LRESULT CALLBACK OwnWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* control = static_cast<TWinControl*>(create->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
        if (control) {
            control->hwnd_ = hwnd;
            ControlWindows()[hwnd].control = control;
        }
    }
    auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!control) return DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = SafeWndProc(control, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        ControlWindows().erase(hwnd);
        if (control->hwnd_ == hwnd) control->hwnd_ = nullptr;
    }
    return result;
}

LRESULT CALLBACK SubclassWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto found = ControlWindows().find(hwnd);
    if (found == ControlWindows().end()) return DefWindowProcW(hwnd, msg, wParam, lParam);
    // A copy: windows made while the message is handled may move the map's entries.
    const ControlWindow window = found->second;
    TWinControl* control = window.control;
    LRESULT result = control && control->hwnd_ == hwnd
                         ? SafeWndProc(control, msg, wParam, lParam)
                         : CallStandardProc(window, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        ControlWindows().erase(hwnd);
        if (control && control->hwnd_ == hwnd) control->hwnd_ = nullptr;
    }
    return result;
}

void UseCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX),
                                 ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
}

// =============================================================================================
// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    SetClassName("TWinControl");
    LiveControls().insert(this);
}

TWinControl::~TWinControl() {
    SetDestroying();
    if (parent_) {
        parent_->RemoveControl(this);
        parent_ = nullptr;
    }
    LiveControls().erase(this);
    auto& focused = FocusedChildren();
    focused.erase(this);
    for (auto& entry : focused)
        if (entry.second == this) entry.second = nullptr;
    for (TControl* child : controls_) child->parent_ = nullptr;
    controls_.clear();
    captureControl_ = mouseControl_ = nullptr;
    if (hwnd_) {
        HWND hwnd = hwnd_;
        // The parts of this object that derived classes added are gone: no message may reach
        // them while the window goes.
        if (ownClass_) {
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            ControlWindows().erase(hwnd);
        } else {
            // The standard control's own procedure goes on receiving them until the end.
            ControlWindows()[hwnd].control = nullptr;
        }
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
    if (background_) DeleteObject(background_);
}

TWinControl* TWinControl::FromHandle(HWND window) {
    if (!window) return nullptr;
    auto found = ControlWindows().find(window);
    return found == ControlWindows().end() ? nullptr : found->second.control;
}

HWND TWinControl::Handle() {
    if (!hwnd_ && !Destroying()) {
        if (parent_) parent_->Handle();  // makes this window too, with the parent's children
        if (!hwnd_) CreateWnd();
    }
    return hwnd_;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.windowClass.clear();
    params.caption = text_;
    params.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (visible_) params.style |= WS_VISIBLE;
    if (!Enabled()) params.style |= WS_DISABLED;
    if (tabStop_) params.style |= WS_TABSTOP;
    params.exStyle = 0;
    params.x = Left();
    params.y = Top();
    params.width = Width();
    params.height = Height();
    if (parent_) {
        params.style |= WS_CHILD;
        params.parent = parent_->Handle();
    } else {
        params.style |= WS_POPUP;
        params.parent = nullptr;
    }
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if (hwnd_) return;  // CreateParams made the parent, and the parent made this window
    ownClass_ = params.windowClass.empty();
    HMENU id = (params.style & WS_CHILD)
                   ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId()))
                   : nullptr;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND hwnd;
    if (ownClass_) {
        RegisterWindowClass();
        hwnd = CreateWindowExA(params.exStyle, kWindowClass, params.caption.c_str(), params.style,
                               params.x, params.y, params.width, params.height, params.parent, id,
                               instance, this);
    } else {
        if (!User32Class(params.windowClass)) UseCommonControls();
        hwnd = CreateWindowExA(params.exStyle, params.windowClass.c_str(), params.caption.c_str(),
                               params.style, params.x, params.y, params.width, params.height,
                               params.parent, id, instance, nullptr);
        if (hwnd) {
            hwnd_ = hwnd;
            ControlWindow& window = ControlWindows()[hwnd];
            window.control = this;
            window.unicode = IsWindowUnicode(hwnd) != FALSE;
            const auto ours = reinterpret_cast<LONG_PTR>(&SubclassWindowProc);
            window.standardProc = reinterpret_cast<WNDPROC>(
                window.unicode ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, ours)
                               : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, ours));
            // A standard control clicks on its own (BN_CLICKED and the like).
            SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents));
        }
    }
    if (!hwnd)
        throw Exception("Error creating window " + Name() + " (system error " +
                        std::to_string(GetLastError()) + ")");
    hwnd_ = hwnd;
    ApplyFont();
    CreateChildWindows();
}

void TWinControl::CreateChildWindows() {
    for (TControl* child : std::vector<TControl*>(controls_))
        if (auto* win = dynamic_cast<TWinControl*>(child))
            if (!win->hwnd_ && win->parent_ == this) win->CreateWnd();
    AlignControls();
}

void TWinControl::DestroyWnd() {
    if (!hwnd_) return;
    text_ = Text();
    DestroyWindow(hwnd_);  // WM_NCDESTROY clears this handle and those of the children
    hwnd_ = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!hwnd_) return;
    DestroyWnd();
    CreateWnd();
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!hwnd_) return 0;
    if (ownClass_) return DefWindowProcA(hwnd_, msg, wParam, lParam);
    auto found = ControlWindows().find(hwnd_);
    if (found == ControlWindows().end()) return 0;
    return CallStandardProc(found->second, hwnd_, msg, wParam, lParam);
}

void TWinControl::ApplyFont() {
    if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
}

std::string TWinControl::Text() const {
    if (!hwnd_) return text_;
    int length = GetWindowTextLengthA(hwnd_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(hwnd_, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void TWinControl::TextChanged() {
    if (hwnd_)
        SetWindowTextA(hwnd_, text_.c_str());
    else
        Invalidate();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    UpdateBoundsFromWindow(left, top, width, height);
    if (hwnd_)
        SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    BoundsChanged();
    AlignControls();
    if (Parent() && Align() != alNone) Parent()->AlignControls();
}

RECT TWinControl::ClientRect() const {
    RECT r{0, 0, Width(), Height()};
    if (hwnd_) GetClientRect(hwnd_, &r);
    return r;
}

bool TWinControl::Showing() const {
    if (hwnd_) return IsWindowVisible(hwnd_) != FALSE;
    return false;
}

void TWinControl::VisibleChanged() {
    if (hwnd_) ShowWindow(hwnd_, visible_ ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
    if (hwnd_) EnableWindow(hwnd_, Enabled());
}

void TWinControl::ParentChanged() {
    if (!hwnd_) {
        if (Parent() && Parent()->HandleAllocated()) CreateWnd();
        return;
    }
    if (Parent())
        ::SetParent(hwnd_, Parent()->Handle());
    else if (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_CHILD)
        DestroyWnd();
}

void TWinControl::Invalidate() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TWinControl::Update() {
    if (hwnd_) UpdateWindow(hwnd_);
}

void TWinControl::BringToFront() {
    TControl::BringToFront();
    if (hwnd_) SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SendToBack() {
    TControl::SendToBack();
    if (hwnd_)
        SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::FontChanged() {
    ApplyFont();
    Invalidate();
    for (TControl* child : controls_) child->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    Invalidate();
    for (TControl* child : controls_)
        if (child->ParentColor()) child->ColorChanged();
}

HBRUSH TWinControl::BackgroundBrush() {
    COLORREF rgb = ColorToColorRef(Color());
    if (background_ && rgb != backgroundRgb_) {
        DeleteObject(background_);
        background_ = nullptr;
    }
    if (!background_) {
        background_ = CreateSolidBrush(rgb);
        backgroundRgb_ = rgb;
    }
    return background_;
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        if (win->tabOrder_ < 0) {
            int order = 0;
            for (TControl* c : controls_)
                if (c != control && dynamic_cast<TWinControl*>(c)) ++order;
            win->tabOrder_ = order;
        }
    }
}

void TWinControl::RemoveControl(TControl* control) {
    if (captureControl_ == control) SetCaptureControl(nullptr);
    if (mouseControl_ == control) mouseControl_ = nullptr;
    if (control->Visible() && IsGraphic(control)) InvalidateArea(this, control->BoundsRect());
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void TWinControl::MoveControl(TControl* control, bool toFront) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    if (toFront)
        controls_.push_back(control);
    else
        controls_.insert(controls_.begin(), control);
    if (IsGraphic(control)) control->Invalidate();
}

TControl* TWinControl::ControlAtPos(POINT point, bool allowDisabled) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!IsGraphic(c) || !c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
        RECT r = c->BoundsRect();
        if (PtInRect(&r, point)) return c;
    }
    return nullptr;
}

void TWinControl::SetCaptureControl(TControl* control) {
    captureControl_ = control;
    if (!hwnd_) return;
    if (control)
        SetCapture(hwnd_);
    else if (GetCapture() == hwnd_)
        ReleaseCapture();
}

void TWinControl::SetMouseCapture(bool capture) {
    if (!hwnd_) return;
    if (capture)
        SetCapture(hwnd_);
    else if (GetCapture() == hwnd_)
        ReleaseCapture();
}

bool TWinControl::Focused() const {
    return hwnd_ && GetFocus() == hwnd_;
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    // The class library refuses to focus a hidden or disabled control with an error box; a
    // quiet refusal serves the programs better.
    if (!CanFocus()) return;
    ::SetFocus(Handle());
}

TWinControl* TWinControl::FocusedChild() const {
    auto it = FocusedChildren().find(const_cast<TWinControl*>(this));
    if (it == FocusedChildren().end() || !it->second || !LiveControls().count(it->second))
        return nullptr;
    return it->second;
}

void TWinControl::SetTabStop(bool on) {
    tabStop_ = on;
    if (!hwnd_) return;
    LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    style = on ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrA(hwnd_, GWL_STYLE, style);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    std::vector<TWinControl*> children;
    for (TControl* c : controls_)
        if (auto* win = dynamic_cast<TWinControl*>(c)) children.push_back(win);
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
    for (TWinControl* child : children) {
        if (!child->Visible() || !child->Enabled()) continue;
        if (child->tabStop_) list.push_back(child);
        child->GetTabOrderList(list);
    }
}

void TWinControl::AddDescribedChild(TComponent* child) {
    if (auto* control = dynamic_cast<TControl*>(child)) control->SetParent(this);
}

bool TWinControl::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "TabStop")) {
        SetTabStop(value.AsBool());
    } else if (SameText(name, "TabOrder")) {
        SetTabOrder(value.AsInt());
    } else if (SameText(name, "OnKeyPress")) {
        BindEvent(OnKeyPress, value);
    } else if (SameText(name, "OnKeyDown")) {
        BindEvent(OnKeyDown, value);
    } else if (SameText(name, "OnKeyUp")) {
        BindEvent(OnKeyUp, value);
    } else if (SameText(name, "OnEnter")) {
        BindEvent(OnEnter, value);
    } else if (SameText(name, "OnExit")) {
        BindEvent(OnExit, value);
    } else {
        return TControl::SetProperty(name, value);
    }
    return true;
}

void TWinControl::Loaded() {
    TControl::Loaded();
    AlignControls();
}

void TWinControl::AlignControls() {
    if (aligning_) return;
    bool any = false;
    for (TControl* c : controls_)
        if (c->Align() != alNone && c->Visible()) any = true;
    if (!any) return;
    aligning_ = true;
    RECT r = ClientRect();
    auto place = [&](TAlign which) {
        for (TControl* c : controls_) {
            if (c->Align() != which || !c->Visible()) continue;
            int w = c->Width(), h = c->Height();
            switch (which) {
                case alTop:
                    c->SetBounds(r.left, r.top, r.right - r.left, h);
                    r.top += h;
                    break;
                case alBottom:
                    c->SetBounds(r.left, r.bottom - h, r.right - r.left, h);
                    r.bottom -= h;
                    break;
                case alLeft:
                    c->SetBounds(r.left, r.top, w, r.bottom - r.top);
                    r.left += w;
                    break;
                case alRight:
                    c->SetBounds(r.right - w, r.top, w, r.bottom - r.top);
                    r.right -= w;
                    break;
                case alClient:
                    c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
                    break;
                default:
                    break;
            }
        }
    };
    place(alTop);
    place(alBottom);
    place(alLeft);
    place(alRight);
    place(alClient);
    aligning_ = false;
}

void TWinControl::KeyPress(char& key) {
    Fire(OnKeyPress, this, key);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    Fire(OnKeyDown, this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    Fire(OnKeyUp, this, key, shift);
}

void TWinControl::DoEnter() {
    Fire(OnEnter, this);
}

void TWinControl::DoExit() {
    Fire(OnExit, this);
}

bool TWinControl::ParentNotification(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (msg) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, ColorToColorRef(Font().Color()));
            SetBkColor(dc, ColorToColorRef(Color()));
            result = reinterpret_cast<LRESULT>(BackgroundBrush());
            return true;
        }
        default:
            return false;
    }
}

bool TWinControl::ForwardToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND from = nullptr;
    switch (msg) {
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
            from = reinterpret_cast<HWND>(lParam);
            break;
        case WM_NOTIFY:
            from = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
            break;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType != ODT_MENU) from = item->hwndItem;
            break;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item->CtlType != ODT_MENU) from = GetDlgItem(hwnd_, static_cast<int>(wParam));
            break;
        }
        default:
            return false;
    }
    if (!from || from == hwnd_) return false;
    TWinControl* child = FromHandle(from);
    if (!child || child->Destroying()) return false;
    return child->ParentNotification(msg, wParam, lParam, result);
}

bool TWinControl::RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    TControl* target = captureControl_ ? captureControl_ : ControlAtPos(p);
    if (target) {
        target->MouseMessage(msg, wParam, p.x - target->Left(), p.y - target->Top());
        return true;
    }
    MouseMessage(msg, wParam, p.x, p.y);
    return false;
}

void TWinControl::PaintControls(HDC dc, const RECT& area) {
    for (TControl* c : std::vector<TControl*>(controls_)) {
        auto* graphic = dynamic_cast<TGraphicControl*>(c);
        if (!graphic || !graphic->Visible()) continue;
        RECT bounds = graphic->BoundsRect(), common;
        if (!IntersectRect(&common, &bounds, &area)) continue;
        int saved = SaveDC(dc);
        IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        POINT origin;
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, &origin);
        graphic->PaintTo(dc);
        RestoreDC(dc, saved);
    }
}

void TWinControl::PaintWindow(HDC dc, const RECT& area) {
    if (!(ControlStyle() & csOpaque)) ::FillRect(dc, &area, BackgroundBrush());
    PaintControls(dc, area);
}

void TWinControl::PaintMessage() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT area = ps.rcPaint;
    int w = area.right - area.left, h = area.bottom - area.top;
    if (dc && w > 0 && h > 0) {
        // Painted off screen and copied in one go, so that nothing flickers.
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
        if (memory && bitmap) {
            HGDIOBJ old = SelectObject(memory, bitmap);
            SetViewportOrgEx(memory, -area.left, -area.top, nullptr);
            PaintWindow(memory, area);
            SetViewportOrgEx(memory, 0, 0, nullptr);
            BitBlt(dc, area.left, area.top, w, h, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
        } else {
            PaintWindow(dc, area);
        }
        if (bitmap) DeleteObject(bitmap);
        if (memory) DeleteDC(memory);
    }
    EndPaint(hwnd_, &ps);
}

// ---------------------------------------------------------------------------------------------
// The one place where Windows messages become the class library's events.
//
//   WM_LBUTTONDOWN/UP/DBLCLK, WM_RBUTTON*, WM_MBUTTON*, WM_MOUSEMOVE
//       -> the topmost graphic child under the pointer (or the one holding the mouse), with
//          coordinates relative to it; otherwise this control: OnMouseDown/Move/Up, and for
//          controls of our own window class OnClick (press and release inside) and OnDblClick
//   WM_CHAR                 -> OnKeyPress before the control sees the key (0 discards it)
//   WM_KEYDOWN/WM_SYSKEYDOWN -> OnKeyDown before the default handling (0 discards it)
//   WM_KEYUP/WM_SYSKEYUP    -> OnKeyUp after the default handling
//   WM_SETFOCUS             -> OnExit of the control that had the focus in this window, then
//                              OnEnter of this one
//   WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM, WM_H/VSCROLL
//                           -> ParentNotification of the child control that sent them
//   WM_PAINT, WM_PRINTCLIENT -> background, PaintWindow, graphic children (own class); after the
//                              standard control's own painting for subclassed ones
//   WM_WINDOWPOSCHANGED     -> Left/Top/Width/Height follow moves made by Windows or the user
//   WM_CONTEXTMENU, WM_SETCURSOR -> the PopupMenu and Cursor properties
// ---------------------------------------------------------------------------------------------
LRESULT TWinControl::MapMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            if (RouteMouse(msg, wParam, lParam)) return 0;
            if (!hwnd_) return 0;
            break;
        case WM_CAPTURECHANGED:
            captureControl_ = nullptr;
            break;
        case WM_CHAR: {
            char key = static_cast<char>(wParam);
            KeyPress(key);
            if (key == 0 || !hwnd_) return 0;
            wParam = static_cast<unsigned char>(key);
            break;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            WORD key = static_cast<WORD>(wParam);
            KeyDown(key, KeyboardShiftState());
            if (key == 0 || !hwnd_) return 0;
            wParam = key;
            break;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            result = DefaultHandler(msg, wParam, lParam);
            WORD key = static_cast<WORD>(wParam);
            KeyUp(key, KeyboardShiftState());
            return result;
        }
        case WM_SETFOCUS: {
            result = DefaultHandler(msg, wParam, lParam);
            TWinControl* top = TopLevelControl();
            if (top && top != this && !top->Destroying()) {
                TWinControl*& last = FocusedChildren()[top];
                TWinControl* previous = last;
                if (previous != this) {
                    last = this;
                    if (previous && LiveControls().count(previous) && !previous->Destroying())
                        previous->DoExit();
                    if (!Destroying()) DoEnter();
                }
            }
            return result;
        }
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (ForwardToChild(msg, wParam, lParam, result)) return result;
            break;
        case WM_ERASEBKGND:
            if (ownClass_) return 1;  // WM_PAINT fills the background off screen
            break;
        case WM_PAINT:
            if (ownClass_) {
                PaintMessage();
                return 0;
            }
            result = DefaultHandler(msg, wParam, lParam);
            if (hwnd_ && std::any_of(controls_.begin(), controls_.end(),
                                     [](TControl* c) { return IsGraphic(c) && c->Visible(); })) {
                HDC dc = GetDC(hwnd_);
                RECT client;
                GetClientRect(hwnd_, &client);
                PaintControls(dc, client);
                ReleaseDC(hwnd_, dc);
            }
            return result;
        case WM_PRINTCLIENT:
            if (ownClass_) {
                RECT client;
                GetClientRect(hwnd_, &client);
                PaintWindow(reinterpret_cast<HDC>(wParam), client);
                return 0;
            }
            break;
        case WM_WINDOWPOSCHANGED: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
                RECT r;
                GetWindowRect(hwnd_, &r);
                HWND parentWindow =
                    (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd_) : nullptr;
                if (parentWindow)
                    MapWindowPoints(nullptr, parentWindow, reinterpret_cast<POINT*>(&r), 2);
                bool resized = r.right - r.left != Width() || r.bottom - r.top != Height();
                UpdateBoundsFromWindow(r.left, r.top, r.right - r.left, r.bottom - r.top);
                if (resized) AlignControls();
            }
            break;
        }
        case WM_CONTEXTMENU: {
            TComponent* menu = PopupMenu();
            if (menu && PopupHandler()) {
                POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (p.x == -1 && p.y == -1) p = ClientToScreen(POINT{0, 0});
                PopupHandler()(menu, p.x, p.y);
                return 0;
            }
            break;
        }
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
                POINT p;
                GetCursorPos(&p);
                ::ScreenToClient(hwnd_, &p);
                TControl* under = captureControl_ ? captureControl_ : ControlAtPos(p);
                TCursor cursor = under ? under->Cursor() : Cursor();
                if (cursor == crDefault && under) cursor = Cursor();
                if (LPCSTR id = CursorResource(cursor)) {
                    ::SetCursor(LoadCursorA(nullptr, id));
                    return TRUE;
                }
                if (cursor == crNone) {
                    ::SetCursor(nullptr);
                    return TRUE;
                }
            }
            break;
        default:
            break;
    }
    return DefaultHandler(msg, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return MapMessage(msg, wParam, lParam);
}

// =============================================================================================
// TGraphicControl

namespace {
std::unordered_set<TGraphicControl::ControlCanvas*>& CanvasesHoldingDC();
}

class TGraphicControl::ControlCanvas : public TCanvas {
public:
    explicit ControlCanvas(TGraphicControl* control) : control_(control) {}
    ~ControlCanvas() override { FreeHandle(); }

    void FreeHandle() {
        if (!own_) return;
        SetHandle(nullptr);
        if (window_)
            ReleaseDC(window_, own_);
        else
            DeleteDC(own_);
        own_ = nullptr;
        window_ = nullptr;
        CanvasesHoldingDC().erase(this);
    }

    void BeginPaint(HDC dc) {
        FreeHandle();
        SetHandle(dc);
    }
    void EndPaint() { SetHandle(nullptr); }

protected:
    void CreateHandle() override {
        TWinControl* parent = control_->Parent();
        HDC dc = nullptr;
        if (parent && parent->HandleAllocated()) {
            window_ = parent->Handle();
            dc = GetDC(window_);
            if (dc) {
                SetViewportOrgEx(dc, control_->Left(), control_->Top(), nullptr);
                IntersectClipRect(dc, 0, 0, control_->Width(), control_->Height());
            } else {
                window_ = nullptr;
            }
        }
        if (!dc) {
            // Nowhere to paint yet: draw into nothing, but measuring text still works.
            dc = CreateCompatibleDC(nullptr);
            if (!dc) return;
            IntersectClipRect(dc, 0, 0, 0, 0);
        }
        own_ = dc;
        SetHandle(dc);
        CanvasesHoldingDC().insert(this);
    }

private:
    TGraphicControl* control_;
    HWND window_ = nullptr;
    HDC own_ = nullptr;  // a context this canvas got itself and gives back
};

namespace {
std::unordered_set<TGraphicControl::ControlCanvas*>& CanvasesHoldingDC() {
    static std::unordered_set<TGraphicControl::ControlCanvas*> canvases;
    return canvases;
}
}  // namespace

void FreeDeviceContexts() {
    std::vector<TGraphicControl::ControlCanvas*> holding(CanvasesHoldingDC().begin(),
                                                         CanvasesHoldingDC().end());
    for (auto* canvas : holding) canvas->FreeHandle();
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<ControlCanvas>(this)) {
    SetClassName("TGraphicControl");
}

TGraphicControl::~TGraphicControl() {
    canvas_.reset();
}

TCanvas& TGraphicControl::Canvas() {
    return *canvas_;
}

void TGraphicControl::PaintTo(HDC dc) {
    canvas_->BeginPaint(dc);
    canvas_->Font().Assign(Font());
    try {
        Paint();
    } catch (const std::exception& error) {
        canvas_->EndPaint();
        ReportException(error);
        return;
    } catch (...) {
        canvas_->EndPaint();
        ReportException(Exception("Unknown exception"));
        return;
    }
    canvas_->EndPaint();
}

// =============================================================================================
// TCustomControl

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {
    SetClassName("TCustomControl");
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc, const RECT& area) {
    if (!(ControlStyle() & csOpaque)) ::FillRect(dc, &area, BackgroundBrush());
    canvas_.SetHandle(dc);
    canvas_.Font().Assign(Font());
    canvas_.Brush().SetColor(Color());
    try {
        Paint();
    } catch (...) {
        canvas_.SetHandle(nullptr);
        throw;
    }
    canvas_.SetHandle(nullptr);
    PaintControls(dc, area);
}

}  // namespace gui
