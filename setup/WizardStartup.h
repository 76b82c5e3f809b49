// The wizard's start-up work, run once on the window's first activation: the source folder, the
// branding pictures, the command line that chooses the install or the uninstall road, the licence
// text, setup.ini into the window's controls, and the page request to the maker's site. Its fatal
// roads show their message and end the program with exit code 1.
#pragma once

#include <functional>
#include <string>

#include "SetupIni.h"

class TForm1;

namespace setup {

// What the wizard was started as: its own full path and its whole command line (the program's
// name first, as the system gives it).
struct Invocation {
    std::string programPath;
    std::string commandLine;
};
using InvocationSource = std::function<Invocation()>;
// Tests start the wizard as if from another folder or with another command line; nullptr puts
// the running process back.
void SetInvocationSource(InvocationSource source);

class WizardStartup {
public:
    explicit WizardStartup(TForm1& form) : form_(form) {}
    void Run();

private:
    void LoadBranding(const std::string& folder);
    void FitLogo();
    void LoadLicence(const std::string& folder);
    // False when the start-up went down a fatal road.
    bool ReadConfiguration(bool uninstallMode);
    SetupConfig ConfigFromControls() const;
    void ShowConfig(const SetupConfig& config);
    void RequestStartPage();
    void Fail(const char* message);

    TForm1& form_;
};

}  // namespace setup
