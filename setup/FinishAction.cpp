#include "FinishAction.h"

#include <shellapi.h>

#include "Application.h"
#include "FinishRules.h"
#include "PlatformWrites.h"
#include "ProgramLaunch.h"
#include "installer.h"

namespace setup {

namespace {

DisplaySettingsOpener& Opener() {
    static DisplaySettingsOpener opener;
    return opener;
}

}  // namespace

void OpenDisplaySettings(HWND owner, const std::string& folder) {
    if (Opener()) {
        Opener()(folder);
        return;
    }
    ShellExecuteA(owner, "open", kControlPanelProgram, kControlPanelArguments, folder.c_str(),
                  SW_SHOWNORMAL);
}

void SetDisplaySettingsOpener(DisplaySettingsOpener opener) {
    Opener() = std::move(opener);
}

}  // namespace setup

bool FinishAction::Run() {
    if (!form_.CheckBox6->Checked()) return true;
    const std::string target = form_.Tasks->Caption();
    // An install that made no shortcut has nothing to start; the wizard simply ends.
    if (!setup::HasRecordedTarget(target)) return true;
    if (setup::KindOfTarget(target) == setup::TargetKind::ScreenSaver) {
        SetScreenSaver(target);
        return true;
    }
    return StartProgram(target);
}

bool FinishAction::StartProgram(const std::string& target) {
    const std::string folder = setup::WorkingFolderOf(target);
    if (!SetCurrentDirectoryA(folder.c_str())) {
        const DWORD error = GetLastError();
        gui::Application.HandleException(
            gui::Exception("I/O error " + std::to_string(error) + " (" + folder + ")"));
        return false;
    }
    setup::StartProgram(setup::ProgramCommand(target));
    return true;
}

void FinishAction::SetScreenSaver(const std::string& target) {
    const std::string systemFolder = form_.KTH->GetSpecialFolder("system32");
    // A screen saver that cannot be recorded still gets the control panel, where the user can
    // choose it by hand.
    setup::WriteKeyValues(
        setup::RegistryRoot::CurrentUser, setup::kScreenSaverKey,
        {setup::StringValue(setup::kScreenSaverValueName, setup::ScreenSaverValue(target))});
    setup::OpenDisplaySettings(form_.Handle(), systemFolder);
}
