// Helpers every window test needs: message pumping with a time limit, reading back what a
// control painted, keeping pictures of it for people to look at, and a small picture file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Control.h"
#include "Graphics.h"

namespace testing_support {

// Handles messages until the condition holds or the time is up; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, int milliseconds = 2000);
// Handles messages for that long.
void Pump(int milliseconds);

// The client area as the control paints it (WM_PRINTCLIENT into an off-screen bitmap).
void PrintClient(gui::TWinControl& control, gui::TBitmap& into);

// A visible menu window of this thread (other test programs may show menus at the same time),
// or nullptr.
HWND OwnMenuWindow();

// Writes the bitmap as <name>.png into $ZEMBLY_PICTURES when that is set.
void SavePicture(const gui::TBitmap& bitmap, const std::string& name);

// The bytes of a top-down 32-bit BMP file of opaque pixels, 0x00RRGGBB row by row, written
// without a codec.
std::string SmallBmp(int width, int height, const std::vector<uint32_t>& rgb);

}  // namespace testing_support
