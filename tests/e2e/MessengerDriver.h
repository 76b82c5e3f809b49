// Drives a running zemblySMS.exe from another process: besides what every program offers, its
// tray icon's mouse events sent to the icon's window and its tray menu answered with the
// keyboard.
#pragma once

#include <string>

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

    // The composer, opened with a double-click on the tray icon; nullptr when it did not show.
    HWND OpenComposer() const;
    // A contact added with the composer's Add through the contact dialog, once the dialog has
    // gone again.
    bool AddContact(HWND composer, const std::string& name, const std::string& number) const;
    // A mouse click on the composer's first contact.
    void ClickFirstContact(HWND composer) const;
};

}  // namespace e2e
