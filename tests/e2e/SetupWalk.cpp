// The run command's walk through the install without a display of the user's own: starts the
// wizard from the package, goes through every install page as a user would (agrees to the
// licence, lets the wizard create the install folder, picks the custom type with every
// component), photographs each page and the question it asks, presses Finish, and photographs
// the installed messenger's logon window before cancelling it.
//
//   setup_walk <setup.exe> <folder for the pictures>
#include <windows.h>

#include <cstdio>
#include <string>

#include "WizardDriver.h"

namespace {

constexpr int kPageWait = 30000;

int Fail(const std::string& what) {
    std::fprintf(stderr, "walk: %s\n", what.c_str());
    return 1;
}

class Walk {
public:
    Walk(e2e::WizardProcess& wizard, std::string pictures)
        : wizard_(wizard), pictures_(std::move(pictures)) {}

    // The window once it has had `settle` ms to paint itself, as `name`.png.
    bool Photograph(HWND window, const std::string& name, int settle = 400) {
        Sleep(static_cast<DWORD>(settle));
        const std::string path = pictures_ + name + ".png";
        if (!e2e::SaveScreenshot(window, path)) return false;
        std::printf("  %s.png\n", name.c_str());
        return true;
    }
    bool PhotographPage(int number, const std::string& page, int settle = 400) {
        std::string name = "setup-" + std::to_string(number) + "-" + page;
        for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        return Photograph(wizard_.Wizard(), name, settle);
    }
    bool Next() { return wizard_.Press(wizard_.Wizard(), "Next"); }
    bool NextTo(const std::string& page) { return Next() && wizard_.WaitForPage(page, kPageWait); }

private:
    e2e::WizardProcess& wizard_;
    std::string pictures_;
};

// The installed program's logon window, whichever process shows it.
HWND WaitForLogon() {
    HWND logon = nullptr;
    e2e::WaitUntil(
        [&] {
            logon = FindWindowA(nullptr, "Account Logon");
            return logon && IsWindowVisible(logon);
        },
        kPageWait);
    return logon;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Fail("usage: setup_walk <setup.exe> <picture folder>");
    e2e::WizardProcess wizard;
    if (!wizard.Start(argv[1])) return Fail(std::string("cannot start ") + argv[1]);
    Walk walk(wizard, std::string(argv[2]) + "\\");

    if (!wizard.WaitForPage("Welcome", kPageWait)) return Fail("the wizard never showed");
    // Until start-up has shown the component boxes, Next on the Location page would skip the
    // Type page.
    if (!e2e::WaitUntil([&] { return !wizard.ComponentBoxes().empty(); }, kPageWait))
        return Fail("start-up showed no component boxes");
    if (!walk.PhotographPage(1, "Welcome")) return Fail("no picture of the Welcome page");

    if (!walk.NextTo("License")) return Fail("Next did not reach the License page");
    wizard.Press(wizard.Wizard(), "I agree to these terms and conditions");
    HWND next = nullptr;
    for (HWND child : e2e::Children(wizard.Wizard())) {
        char text[16] = {};
        GetWindowTextA(child, text, sizeof text);
        if (std::string(text) == "Next") next = child;
    }
    if (!e2e::WaitUntil([&] { return IsWindowEnabled(next) != FALSE; }, kPageWait))
        return Fail("agreeing did not enable Next");
    if (!walk.PhotographPage(2, "License")) return Fail("no picture of the License page");

    if (!walk.NextTo("Location")) return Fail("Next did not reach the Location page");
    if (!walk.PhotographPage(3, "Location")) return Fail("no picture of the Location page");
    walk.Next();
    // A first install asks before it creates the folder.
    HWND question = nullptr;
    e2e::WaitUntil(
        [&] { return (question = wizard.ShownMessageBox()) || wizard.ShownPage() == "Type"; },
        kPageWait);
    if (question) {
        std::printf("  asked: %s\n", e2e::MessageText(question).c_str());
        walk.Photograph(question, "setup-3-question");
        wizard.Press(question, "&Yes");
    }
    if (!wizard.WaitForPage("Type", kPageWait)) return Fail("the Type page did not follow");

    wizard.Press(wizard.Wizard(), "Custom Installation");
    if (!walk.PhotographPage(4, "Type")) return Fail("no picture of the Type page");
    if (!walk.NextTo("Folder")) return Fail("Next did not reach the Folder page");
    if (!walk.PhotographPage(5, "Folder")) return Fail("no picture of the Folder page");
    if (!walk.NextTo("Summary")) return Fail("Next did not reach the Summary page");
    if (!walk.PhotographPage(6, "Summary")) return Fail("no picture of the Summary page");

    walk.Next();
    // The install runs inside that click; its page shows while the files are unpacked.
    std::string page;
    e2e::WaitUntil(
        [&] {
            page = wizard.ShownPage();
            return page == "Install" || page == "Finished";
        },
        kPageWait);
    if (page != "Install" || !walk.PhotographPage(7, "Install", 100) ||
        wizard.ShownPage() != "Install")
        std::printf("  (the install was over before its page could be photographed)\n");
    if (!wizard.WaitForPage("Finished", 120000)) return Fail("the install did not finish");
    if (!walk.PhotographPage(8, "Finished")) return Fail("no picture of the Finished page");

    // Finish with "Run Application" checked starts the installed messenger.
    wizard.Press(wizard.Wizard(), "Finish");
    const DWORD code = wizard.WaitForExit(kPageWait);
    if (code != 0) return Fail("the wizard did not end with code 0 after Finish");
    HWND logon = WaitForLogon();
    if (!logon) return Fail("Finish did not start the installed messenger");
    walk.Photograph(logon, "setup-9-messenger");

    DWORD messengerId = 0;
    GetWindowThreadProcessId(logon, &messengerId);
    HANDLE messenger = OpenProcess(SYNCHRONIZE, FALSE, messengerId);
    // Cancel on the logon window ends the messenger without writing its settings.
    wizard.Press(logon, "Cancel");
    const bool ended = messenger && WaitForSingleObject(messenger, kPageWait) == WAIT_OBJECT_0;
    if (messenger) CloseHandle(messenger);
    if (!ended) return Fail("the installed messenger did not end on Cancel");
    std::printf("the installed messenger started from Finish and ended on Cancel\n");
    return 0;
}
