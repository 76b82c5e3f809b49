#include "BrowseEdit.h"

#include <algorithm>

namespace gui {

TBrowseEdit::TBrowseEdit(TComponent* owner) : TEdit(owner) {}

void TBrowseEdit::Browse() {
    BrowseRequest request;
    request.title = dialogTitle_;
    request.initialDir = initialDir_;
    request.owner = HandleAllocated() ? GetAncestor(Handle(), GA_ROOT) : nullptr;
    PrepareRequest(request);
    std::string name = Text();
    std::string chosen;
    bool action = RunBrowseDialog(request, chosen);
    if (action) name = chosen;
    Fire(OnAfterDialog, this, name, action);
    if (!action || Destroying()) return;
    SetText(TextForName(name));
    if (HandleAllocated()) SelectAll();
}

void TBrowseEdit::CreateParams(TCreateParams& params) {
    TEdit::CreateParams(params);
    params.style |= WS_CLIPCHILDREN;  // the edit must not paint over its button
}

void TBrowseEdit::CreateWnd() {
    TEdit::CreateWnd();
    button_ = CreateWindowExA(0, "BUTTON", "...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0,
                              Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    PlaceButton();
}

void TBrowseEdit::BoundsChanged() {
    TEdit::BoundsChanged();
    PlaceButton();
}

void TBrowseEdit::FontChanged() {
    TEdit::FontChanged();
    PlaceButton();  // a new font resets the edit's margins
}

void TBrowseEdit::PlaceButton() {
    if (!button_ || !HandleAllocated()) return;
    RECT client;
    GetClientRect(Handle(), &client);
    int height = client.bottom - client.top;
    int width = std::max(height, 18);
    SendMessageA(button_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    MoveWindow(button_, client.right - width, 0, width, height, TRUE);
    SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + 2));
}

LRESULT TBrowseEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && button_ && reinterpret_cast<HWND>(lParam) == button_) {
        if (HIWORD(wParam) == BN_CLICKED) {
            SetFocus();  // the typing goes on in the edit, not on its button
            Browse();
        }
        return 0;
    }
    if (msg == WM_NCDESTROY) button_ = nullptr;
    return TEdit::WndProc(msg, wParam, lParam);
}

bool TBrowseEdit::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "DialogTitle")) {
        SetDialogTitle(value.AsString());
    } else if (SameText(name, "InitialDir")) {
        SetInitialDir(value.AsString());
    } else if (SameText(name, "OnAfterDialog")) {
        BindEvent(OnAfterDialog, value);
    } else {
        return TEdit::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
