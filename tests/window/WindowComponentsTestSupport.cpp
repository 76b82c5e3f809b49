#include "WindowComponentsTestSupport.h"

#include "MessagePump.h"
#include "SharedClasses.h"

namespace windowtest {

std::unique_ptr<gui::TForm> MakeForm(const std::string& description) {
    RegisterSharedClasses();
    auto form = std::make_unique<gui::TForm>(nullptr);
    form->LoadFromDescription(description);
    return form;
}

void Settle(gui::TForm& form) {
    HWND window = form.Handle();
    // The window manager's own messages (activation, exposure) come in a few rounds.
    for (int round = 0; round < 5; ++round) {
        gui::ProcessMessages();
        UpdateWindow(window);
        Sleep(10);
    }
    gui::ProcessMessages();
    UpdateWindow(window);
    gui::FreeDeviceContexts();
    ValidateRect(window, nullptr);
}

void ShowAndSettle(gui::TForm& form) {
    form.Show();
    Settle(form);
}

COLORREF SurfacePixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

void CaptureSurface(HWND window, gui::TBitmap& into) {
    RECT client{};
    GetClientRect(window, &client);
    into.SetSize(client.right, client.bottom);
    HDC dc = GetDC(window);
    BitBlt(into.Canvas().Handle(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
}

void Mark(HWND window, const RECT& area, COLORREF color) {
    HDC dc = GetDC(window);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

bool WaitsForPaint(HWND window) {
    return GetUpdateRect(window, nullptr, FALSE) != FALSE;
}

SystemColorChange::SystemColorChange(int index, COLORREF color)
    : index_(index), original_(GetSysColor(index)) {
    SetSysColors(1, &index_, &color);
}

SystemColorChange::~SystemColorChange() {
    SetSysColors(1, &index_, &original_);
}

}  // namespace windowtest
