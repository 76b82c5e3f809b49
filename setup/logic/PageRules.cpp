#include "PageRules.h"

#include "FolderPaths.h"

namespace setup {

ButtonStates ButtonsOnPage(int page, bool nextEnabledBefore, bool agreementChecked) {
    ButtonStates buttons;
    buttons.backEnabled = page >= kLicencePage && page <= kSummaryPage;
    buttons.nextEnabled = nextEnabledBefore;
    if (page == kInstallPage || page == kUninstallPage) buttons.nextEnabled = false;
    const bool last = page == kFinishedPage || page == kUninstallFinishedPage;
    buttons.nextCaption = last ? kFinishCaption : kNextCaption;
    if (page == kLicencePage) {
        buttons.nextEnabled = agreementChecked;
        buttons.focusLicence = true;
    }
    if (page == kWelcomePage) buttons.nextEnabled = true;
    return buttons;
}

int PageAfter(int page, bool hasComponents, const std::string& feedbackId) {
    if (page == kLocationPage && !hasComponents) return kFolderPage;
    if (page == kUninstallWelcomePage && feedbackId == "None") return kUninstallPage;
    return page + 1;
}

int PageBefore(int page, bool hasComponents) {
    if (page == kFolderPage && !hasComponents) return kLocationPage;
    return page - 1;
}

CancelAction CancelOnPage(int page) {
    if (page <= kInstallPage) return CancelAction::AskFirst;
    if (page == kFinishedPage) return CancelAction::Nothing;
    return CancelAction::EndAtOnce;
}

BoxState ComponentBoxAfter(InstallType type, bool checkedNow) {
    switch (type) {
        case InstallType::Full:
            return {true, false};
        case InstallType::Minimal:
            return {false, false};
        case InstallType::Custom:
            break;
    }
    return {checkedNow, true};
}

SummaryTexts Summary(const std::string& installFolder, InstallType type,
                     const std::string& programMenuFolder, bool desktopShortcut) {
    SummaryTexts summary;
    summary.installFolder = installFolder;
    summary.installType = type == InstallType::Minimal  ? "Minimal Installation"
                          : type == InstallType::Custom ? "Custom Installation"
                                                        : "Full Installation";
    summary.programMenuFolder = programMenuFolder;
    summary.desktopShortcut = desktopShortcut ? "Yes" : "No";
    return summary;
}

std::string InstallFolderRefusal(const std::string& installFolder) {
    if (installFolder.empty()) return "Please enter the folder to install into.";
    if (!IsAbsolutePath(installFolder) || HasRelativeParts(installFolder))
        return "Please enter the full path of the folder to install into, beginning with its "
               "drive (such as C:\\).";
    // The uninstaller refuses a drive root as the folder it removes, so none is installed into.
    if (IsDriveRoot(installFolder))
        return "Please choose a folder below the drive's root to install into.";
    // The uninstall command carries the folder unquoted and gets it back with single blanks and
    // none at its end, so such a folder could never be found again to be removed.
    if (installFolder.find("  ") != std::string::npos || installFolder.back() == ' ')
        return "Please choose a folder whose path has neither two blanks in a row nor a blank at "
               "its end.";
    return std::string();
}

}  // namespace setup
