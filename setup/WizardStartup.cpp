#include <windows.h>

#include "WizardStartup.h"

#include <optional>

#include "Application.h"
#include "CommandLine.h"
#include "Dialogs.h"
#include "LocalFiles.h"
#include "MakerSite.h"
#include "PageRules.h"
#include "ProcessEnd.h"
#include "StartupRules.h"
#include "UninstallEntryCleanup.h"
#include "installer.h"

namespace setup {

namespace {

// A script that runs the wizard can tell a configuration it could not use from a finished or
// cancelled run, which end with 0.
constexpr int kFatalExitCode = 1;

InvocationSource& Source() {
    static InvocationSource source;
    return source;
}

Invocation CurrentInvocation() {
    if (Source()) return Source()();
    return Invocation{gui::Application.ExeName(), GetCommandLineA()};
}

// A branding file that is there but is no picture we can read leaves the picture shown before.
void LoadPictureIfPresent(gui::TImage& image, const std::string& path) {
    if (!FileExists(path)) return;
    try {
        image.Picture().LoadFromFile(path);
    } catch (const gui::Exception&) {
    }
}

}  // namespace

void SetInvocationSource(InvocationSource source) {
    Source() = std::move(source);
}

void WizardStartup::Run() {
    form_.InstallFolderCreated = false;
    form_.Notebook1->SetPageIndex(kWelcomePage);
    const Invocation invocation = CurrentInvocation();
    const std::string sourceFolder = SourceFolderOf(invocation.programPath);
    form_.curDir->SetCaption(sourceFolder);
    form_.DirectoryEdit1->SetText(form_.KTH->GetSpecialFolder("ProgramFiles"));
    // The uninstaller's own pictures lie beside its copy, not in the install folder.
    LoadBranding(sourceFolder);

    const std::string joined = JoinArguments(ProgramArguments(invocation.commandLine));
    // Nothing is read from an uninstall command before it has passed its checks: its folder is
    // what the uninstaller removes.
    const UninstallCommand command = ReadUninstallCommand(joined, FolderExists);
    if (command.uninstall) {
        form_.Notebook1->SetPageIndex(kUninstallWelcomePage);
        if (!command.accepted) {
            Fail(kMissingUninstallMessage);
            return;
        }
        form_.curDir->SetCaption(command.installFolder);
        if (!FileExists(command.installFolder + kSetupIniFile)) {
            RemoveEntriesOfThisUninstall(form_.KTH->GetSpecialFolder("windows"),
                                         command.installFolder);
            Fail(kMissingUninstallMessage);
            return;
        }
    }
    form_.InstallFolderCreated = command.installFolderCreated;
    LoadLicence(form_.curDir->Caption());
    if (!ReadConfiguration(command.uninstall)) return;
    RequestStartPage();
}

void WizardStartup::LoadBranding(const std::string& folder) {
    LoadPictureIfPresent(*form_.Image1, folder + kIconFile);
    // Every logo found is loaded, so the last one of the list that exists is shown.
    for (const char* logo : kLogoFiles) LoadPictureIfPresent(*form_.Image2, folder + logo);
    FitLogo();
}

void WizardStartup::FitLogo() {
    gui::TImage& logo = *form_.Image2;
    const LogoPlacement place = PlaceLogo(logo.Width(), logo.Height(), form_.Width());
    if (place.scaled) {
        logo.SetAutoSize(false);
        form_.RxLabel1->Hide();
    }
    // Whatever its size, the logo ends the same distance short of the window's right edge.
    logo.SetBounds(place.left, logo.Top(), place.width, place.height);
}

void WizardStartup::LoadLicence(const std::string& folder) {
    const std::string path = folder + kLicenceFile;
    if (!FileExists(path)) return;
    // A licence file that cannot be read leaves the built-in text.
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) return;
    form_.Memo1->Lines().Assign(LicenceLines(*text));
}

bool WizardStartup::ReadConfiguration(bool uninstallMode) {
    const std::string path = form_.curDir->Caption() + kSetupIniFile;
    if (!FileExists(path)) {
        Fail(kMissingSetupMessage);
        return false;
    }
    SetupIniContext context;
    context.uninstallMode = uninstallMode;
    context.screenSaverFolder = form_.KTH->GetSpecialFolder("system32");
    if (!FolderExists(context.screenSaverFolder))
        context.screenSaverFolder = form_.KTH->GetSpecialFolder("Windows");
    SetupConfig config = ConfigFromControls();
    const std::optional<std::string> content = ReadWholeFile(path);
    if (!content || !ReadSetupIni(*content, context, config)) {
        gui::MessageDlg(kBadHeaderMessage, gui::mtError, gui::mbOK);
        gui::EndProcess(kFatalExitCode);
        return false;
    }
    ShowConfig(config);
    return true;
}

SetupConfig WizardStartup::ConfigFromControls() const {
    SetupConfig config;
    config.title = form_.Label1->Caption();
    config.welcome = form_.Label4->Caption();
    config.progName = form_.progName->Caption();
    config.installFolder = form_.DirectoryEdit1->Text();
    config.programMenuFolder = form_.Edit1->Text();
    config.company = form_.Label39->Caption();
    config.feedbackId = form_.Label37->Caption();
    const auto boxes = form_.ComponentBoxes();
    for (size_t k = 0; k < boxes.size(); ++k) config.components[k].caption = boxes[k]->Caption();
    return config;
}

void WizardStartup::ShowConfig(const SetupConfig& config) {
    form_.Label1->SetCaption(config.title);
    form_.Label4->SetCaption(config.welcome);
    form_.progName->SetCaption(config.progName);
    form_.DirectoryEdit1->SetText(config.installFolder);
    form_.Edit1->SetText(config.programMenuFolder);
    form_.Label39->SetCaption(config.company);
    form_.Label37->SetCaption(config.feedbackId);
    form_.ListBox2->Items().Assign(config.requiredFileLines);
    const auto boxes = form_.ComponentBoxes();
    const auto lists = form_.ComponentLists();
    for (size_t k = 0; k < boxes.size(); ++k) {
        boxes[k]->SetCaption(config.components[k].caption);
        lists[k]->Items().Assign(config.components[k].fileLines);
    }
    form_.ListBox14->Items().Assign(config.keyLines);
    // Shown before the page request pumps messages: a user who moves on during it must not be
    // sent past the type page.
    for (int k = 0; k < config.VisibleComponents(); ++k) boxes[k]->Show();
}

void WizardStartup::RequestStartPage() {
    // The reply is of no interest and a failure is silent: the request only tells the maker's
    // site that the wizard ran.
    if (!form_.bSource1) return;
    form_.bSource1->FetchUrl(MakerPageAddress(StartupPagePath(form_.Label1->Caption())), 1, false);
}

void WizardStartup::Fail(const char* message) {
    gui::MessageDlg(message, gui::mtError, gui::mbOK);
    form_.ArmQuitTimer(kFatalExitCode);
}

}  // namespace setup
