// Drives a running setup.exe from another process: its one window, the notebook page it shows,
// its component boxes and the questions it asks in message boxes.
#pragma once

#include <string>
#include <vector>

#include "ProgramDriver.h"

namespace e2e {

class WizardProcess : public ProgramProcess {
public:
    // The wizard's window, visible or not, or nullptr.
    HWND Wizard() const;
    // The name of the notebook page on screen ("Welcome", "License", ... "Un-Finished"), empty
    // while none is.
    std::string ShownPage() const;
    bool WaitForPage(const std::string& page, int milliseconds) const;
    // Captions of the component boxes that start-up has shown on the Type page. They appear
    // once setup.ini is read and the maker's page has answered; until then Next on the Location
    // page skips the Type page.
    std::vector<std::string> ComponentBoxes() const;
    // A message box the wizard shows now, or nullptr.
    HWND ShownMessageBox() const;
    // The same once one shows within the time.
    HWND WaitForMessageBox(int milliseconds) const;
    // The uninstaller's road from its welcome page to Finish, with `feedback` typed on the way;
    // empty once Finish is pressed, otherwise the page or button that did not come.
    std::string Uninstall(const std::string& feedback, int milliseconds) const;
};

// The text a message box asks.
std::string MessageText(HWND box);

}  // namespace e2e
