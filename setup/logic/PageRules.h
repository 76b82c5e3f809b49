// The page walk of the wizard: which buttons each page allows, where Next and Back lead, what
// Cancel does, the install types' effect on the component boxes, the summary texts and the check
// of the install folder on the location page.
#pragma once

#include <string>

namespace setup {

enum Page : int {
    kWelcomePage = 0,
    kLicencePage = 1,
    kLocationPage = 2,
    kTypePage = 3,
    kFolderPage = 4,
    kSummaryPage = 5,
    kInstallPage = 6,
    kFinishedPage = 7,
    kUninstallWelcomePage = 8,
    kFeedbackPage = 9,
    kUninstallPage = 10,
    kUninstallFinishedPage = 11,
};

constexpr const char* kNextCaption = "Next";
constexpr const char* kFinishCaption = "Finish";

struct ButtonStates {
    bool backEnabled = false;
    bool nextEnabled = false;
    std::string nextCaption;
    bool focusLicence = false;  // the licence text takes the focus
};

// The buttons once `page` is shown. Next keeps `nextEnabledBefore` where no rule names it; on the
// licence page it follows the agreement box.
ButtonStates ButtonsOnPage(int page, bool nextEnabledBefore, bool agreementChecked);

// Next from `page`: the type page is skipped when setup.ini named no component, the feedback page
// when there is no feedback id ("None").
int PageAfter(int page, bool hasComponents, const std::string& feedbackId);
// Back from `page` (only pages 1 to 5 offer it).
int PageBefore(int page, bool hasComponents);

enum class CancelAction { AskFirst, Nothing, EndAtOnce };
CancelAction CancelOnPage(int page);
constexpr const char* kCancelQuestion = "Are you sure you wish to cancel this setup?";

enum class InstallType { Full, Minimal, Custom };
struct BoxState {
    bool checked = false;
    bool enabled = false;
};
// A component box after an install type is chosen; Custom keeps the box's check mark.
BoxState ComponentBoxAfter(InstallType type, bool checkedNow);

struct SummaryTexts {
    std::string installFolder;
    std::string installType;
    std::string programMenuFolder;
    std::string desktopShortcut;
};
SummaryTexts Summary(const std::string& installFolder, InstallType type,
                     const std::string& programMenuFolder, bool desktopShortcut);

// The location page's check: empty when the install folder text can be used (an absolute path
// below a drive's root, without two blanks in a row or one at its end), else the message that keeps
// the user on the page. A folder that is missing is then only a question.
std::string InstallFolderRefusal(const std::string& installFolder);
constexpr const char* kCreateFolderQuestion =
    "This folder does not currently exist, ok to create it?";

}  // namespace setup
