// Finish on the Finished page after an install: with "Run Application" ticked, the first
// shortcut's target is started as a program in its install folder, or, for a screen saver, made
// the current user's screen saver and the display control panel opened.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class TForm1;

class FinishAction {
public:
    explicit FinishAction(TForm1& form) : form_(form) {}
    // False keeps the wizard open on the Finished page (the target's folder could not be made
    // current; the error box has said so), so that the user can clear "Run Application" and
    // finish again.
    bool Run();

private:
    bool StartProgram(const std::string& target);
    void SetScreenSaver(const std::string& target);

    TForm1& form_;
};

namespace setup {

// Opens the display control panel through the shell, started in `folder` and owned by `owner`.
void OpenDisplaySettings(HWND owner, const std::string& folder);

// Tests see the opening instead (given the folder); nullptr puts the real one back.
using DisplaySettingsOpener = std::function<void(const std::string& folder)>;
void SetDisplaySettingsOpener(DisplaySettingsOpener opener);

}  // namespace setup
