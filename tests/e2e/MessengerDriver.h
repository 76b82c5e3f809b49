// Drives a running zemblySMS.exe from another process: besides what every program offers, its
// tray icon's mouse events sent to the icon's window and its tray menu answered with the
// keyboard.
#pragma once

#include "ProgramDriver.h"

namespace e2e {

class MessengerProcess : public ProgramProcess {
public:
    // The hidden window that receives the tray icon's mouse events; it exists once the icon has
    // been switched on.
    HWND TrayWindow() const;

    // The tray icon's mouse event (WM_LBUTTONDBLCLK, WM_RBUTTONUP), as the shell posts it.
    bool TrayEvent(UINT mouseMessage) const;
    // Pops the tray menu up and chooses the item `fromEnd` places above the last one (0: the
    // last) with the arrow keys and Enter.
    bool ChooseTrayItemFromEnd(int fromEnd) const;
};

}  // namespace e2e
