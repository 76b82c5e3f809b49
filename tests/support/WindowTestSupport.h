// Helpers every window test needs: message pumping with a time limit, reading back what a
// control painted, and keeping pictures of it for people to look at.
#pragma once

#include <functional>
#include <string>

#include "Control.h"
#include "Graphics.h"

namespace testing_support {

// Handles messages until the condition holds or the time is up; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, int milliseconds = 2000);
// Handles messages for that long.
void Pump(int milliseconds);

// The client area as the control paints it (WM_PRINTCLIENT into an off-screen bitmap).
void PrintClient(gui::TWinControl& control, gui::TBitmap& into);

// Writes the bitmap as <name>.png into $ZEMBLY_PICTURES when that is set.
void SavePicture(const gui::TBitmap& bitmap, const std::string& name);

}  // namespace testing_support
