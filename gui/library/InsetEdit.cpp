#include "InsetEdit.h"

namespace gui {

TInsetEdit::TInsetEdit(TComponent* owner) : TEdit(owner) {}

void TInsetEdit::CreateParams(TCreateParams& params) {
    TEdit::CreateParams(params);
    params.style |= WS_CLIPCHILDREN;  // the edit must not paint over its inset
}

void TInsetEdit::CreateWnd() {
    TEdit::CreateWnd();
    inset_ = CreateInset(Handle());
    PlaceInset();
}

void TInsetEdit::BoundsChanged() {
    TEdit::BoundsChanged();
    PlaceInset();
}

void TInsetEdit::FontChanged() {
    TEdit::FontChanged();
    PlaceInset();  // a new font resets the edit's margins
}

void TInsetEdit::PlaceInset() {
    if (!inset_ || !HandleAllocated()) return;
    RECT client;
    GetClientRect(Handle(), &client);
    int height = client.bottom - client.top;
    int width = InsetWidth(height);
    SendMessageA(inset_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    MoveWindow(inset_, client.right - width, 0, width, height, TRUE);
    SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + 2));
}

LRESULT TInsetEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY) inset_ = nullptr;
    return TEdit::WndProc(msg, wParam, lParam);
}

}  // namespace gui
