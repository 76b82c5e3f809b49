// Helpers of the window component tests: forms made from descriptions, and pixels read back
// from off-screen renderings and from the windows themselves.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "Form.h"
#include "Graphics.h"

namespace windowtest {

// A form of class TForm read from the description (the window components registered first).
std::unique_ptr<gui::TForm> MakeForm(const std::string& description);

// Shows the form and handles messages until its first paint is done.
void ShowAndSettle(gui::TForm& form);
// Handles whatever is pending, gives back the contexts graphic controls took outside painting,
// and declares the window painted, so that a later invalidation can be told apart.
void Settle(gui::TForm& form);

// What is on the window's surface now, read without letting anything repaint first.
COLORREF SurfacePixel(HWND window, int x, int y);
// Copies the window's surface as it is now (nothing repainted first) into the picture.
void CaptureSurface(HWND window, gui::TBitmap& into);
// Covers an area of the window's surface with a colour, so a paint over it can be seen.
void Mark(HWND window, const RECT& area, COLORREF color);
// Whether part of the window waits for a repaint.
bool WaitsForPaint(HWND window);

// Changes one system colour for the lifetime of the object.
class SystemColorChange {
public:
    SystemColorChange(int index, COLORREF color);
    ~SystemColorChange();
    SystemColorChange(const SystemColorChange&) = delete;
    SystemColorChange& operator=(const SystemColorChange&) = delete;

private:
    int index_;
    COLORREF original_;
};

}  // namespace windowtest
