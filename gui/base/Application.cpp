#include "Application.h"

// clang-format off
#include <windows.h>  // before the headers that build on it
#include <commctrl.h>
#include <windowsx.h>
// clang-format on

#include <algorithm>
#include <cstdio>

#include "Control.h"
#include "Dialogs.h"
#include "Form.h"
#include "MessagePump.h"
#include "ProcessEnd.h"

namespace gui {

TApplication Application;

namespace {

// The control whose window (or a window inside it, like a combo box's edit) has the message.
TWinControl* ControlOf(HWND window) {
    for (HWND w = window; w; w = GetParent(w))
        if (TWinControl* control = TWinControl::FromHandle(w)) return control;
    return nullptr;
}

// Tab and Shift+Tab move the focus through the window's controls in tab order, as the class
// library does; controls that want the Tab key themselves keep it.
bool DialogKeys(void* message) {
    MSG* msg = static_cast<MSG*>(message);
    if (msg->message != WM_KEYDOWN || msg->wParam != VK_TAB) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    if (SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)) &
        DLGC_WANTTAB)
        return false;
    TWinControl* control = ControlOf(msg->hwnd);
    if (!control) return false;
    TWinControl* top = control->TopLevelControl();
    if (!top) return false;
    std::vector<TWinControl*> order;
    top->GetTabOrderList(order);
    if (order.empty()) return false;
    bool backwards = GetKeyState(VK_SHIFT) < 0;
    auto it = std::find(order.begin(), order.end(), control);
    size_t index;
    if (it == order.end())
        index = backwards ? order.size() - 1 : 0;
    else if (backwards)
        index = (static_cast<size_t>(it - order.begin()) + order.size() - 1) % order.size();
    else
        index = (static_cast<size_t>(it - order.begin()) + 1) % order.size();
    order[index]->SetFocus();
    return true;
}

// The control (windowed or graphic) under a point of a window's client area.
TControl* ControlUnder(HWND window, POINT client) {
    TWinControl* control = ControlOf(window);
    if (!control) return nullptr;
    if (control->Handle() != window) return control;
    if (TControl* graphic = control->ControlAtPos(client)) return graphic;
    return control;
}

// One tooltip window in tracking mode shows the hint of the control the mouse rests on.
class HintWindow {
public:
    void MouseMoved(HWND window, POINT client) {
        TControl* under = ControlUnder(window, client);
        if (!Wanted(under)) {
            Cancel();
            return;
        }
        window_ = window;
        point_ = client;
        if (under == pending_ || under == shown_) return;
        Cancel();
        pending_ = under;
        timer_ = SetTimer(nullptr, 0, TApplication::HintPause, &HintWindow::Tick);
    }

    void Cancel() {
        if (timer_) KillTimer(nullptr, timer_);
        timer_ = 0;
        pending_ = nullptr;
        if (shown_ && tip_) SendMessageA(tip_, TTM_TRACKACTIVATE, FALSE, Tool());
        shown_ = nullptr;
        text_.clear();
    }

    const std::string& Text() const { return text_; }

    static HintWindow& Instance() {
        static HintWindow hint;
        return hint;
    }

private:
    static bool Wanted(TControl* c) {
        return c && Application.ShowHint() && c->ShowHint() && !c->Hint().empty();
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { Instance().Elapsed(); }

    LPARAM Tool() { return reinterpret_cast<LPARAM>(&tool_); }

    void Elapsed() {
        KillTimer(nullptr, timer_);
        timer_ = 0;
        if (shown_) {  // shown long enough
            Cancel();
            return;
        }
        // The control is found again where the mouse last rested rather than trusted: it may
        // have gone in the meantime.
        TControl* under = IsWindow(window_) ? ControlUnder(window_, point_) : nullptr;
        TControl* expected = pending_;
        pending_ = nullptr;
        if (!under || under != expected || !Wanted(under)) return;
        POINT cursor = point_;
        ClientToScreen(window_, &cursor);
        std::string text = under->Hint();
        size_t bar = text.find('|');  // "short|long": the short part is the hint
        if (bar != std::string::npos) text.erase(bar);
        if (!Create()) return;
        text_ = text;
        tool_.lpszText = &text_[0];
        SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, Tool());
        SendMessageA(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(cursor.x, cursor.y + 20));
        SendMessageA(tip_, TTM_TRACKACTIVATE, TRUE, Tool());
        shown_ = under;
        timer_ = SetTimer(nullptr, 0, TApplication::HintHidePause, &HintWindow::Tick);
    }

    bool Create() {
        if (tip_) return true;
        UseCommonControls();
        tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        if (!tip_) return false;
        tool_ = TOOLINFOA{};
        tool_.cbSize = TTTOOLINFOA_V1_SIZE;
        tool_.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        tool_.hwnd = tip_;
        tool_.lpszText = const_cast<char*>("");
        SendMessageA(tip_, TTM_ADDTOOLA, 0, Tool());
        SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, 400);
        return true;
    }

    HWND tip_ = nullptr;
    TOOLINFOA tool_{};
    UINT_PTR timer_ = 0;
    TControl* pending_ = nullptr;  // compared, never followed: it may be gone
    TControl* shown_ = nullptr;
    HWND window_ = nullptr;  // where the mouse last moved, in that window's client coordinates
    POINT point_{0, 0};
    std::string text_;
};

// Every message the loops take passes here before it is dispatched.
bool FilterMessage(void* message) {
    MSG* msg = static_cast<MSG*>(message);
    switch (msg->message) {
        case WM_MOUSEMOVE:
            HintWindow::Instance().MouseMoved(
                msg->hwnd, POINT{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)});
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            HintWindow::Instance().Cancel();
            break;
        default:
            break;
    }
    return DialogKeys(message);
}

}  // namespace

TApplication::TApplication() {
    SetExceptionReport([this](const std::exception& error) { HandleException(error); });
    SetMessageFilter(&FilterMessage);
}

std::string TApplication::ActiveHint() const {
    return HintWindow::Instance().Text();
}

std::string TApplication::ExeName() const {
    char path[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n);
}

void TApplication::AddForm(TForm* form) {
    forms_.push_back(form);
    if (!mainForm_) mainForm_ = form;
    form->AfterConstruction();
}

void TApplication::RemoveForm(TForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::Run() {
    if (mainForm_) mainForm_->Show();
    while (!terminated_ && !QuitRequested()) {
        MSG msg;
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            terminated_ = true;
            break;
        }
        HandleMessage(&msg);
    }
}

void TApplication::ProcessMessages() {
    gui::ProcessMessages();
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

bool TApplication::Terminated() const {
    return terminated_ || QuitRequested();
}

void TApplication::Halt(int exitCode) {
    EndProcess(exitCode);
}

void TApplication::HandleException(const std::exception& error) {
    std::string text = error.what();
    // As the class library does: a message that ends in a letter or digit gets a full stop.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    ShowMessageBox(text, title_.empty() ? "Error" : title_, mtError, mbOK);
}

}  // namespace gui
