#include "WizardDriver.h"

namespace e2e {

namespace {

const char* const kPages[] = {"Welcome",    "License",     "Location",   "Type",
                              "Folder",     "Summary",     "Install",    "Finished",
                              "Un-Welcome", "Un-Feedback", "Un-Install", "Un-Finished"};

std::string TextOf(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool IsCheckBox(HWND window) {
    const LONG_PTR type = GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
}

}  // namespace

HWND WizardProcess::Wizard() const {
    return Window("Tarnwick Installer v1.20");
}

std::string WizardProcess::ShownPage() const {
    HWND wizard = Wizard();
    if (!wizard) return {};
    for (HWND child : Children(wizard)) {
        if (!IsWindowVisible(child)) continue;
        const std::string text = TextOf(child);
        for (const char* page : kPages)
            if (text == page) return text;
    }
    return {};
}

bool WizardProcess::WaitForPage(const std::string& page, int milliseconds) const {
    return WaitUntil([&] { return ShownPage() == page; }, milliseconds);
}

std::vector<std::string> WizardProcess::ComponentBoxes() const {
    std::vector<std::string> captions;
    HWND wizard = Wizard();
    if (!wizard) return captions;
    for (HWND page : Children(wizard)) {
        if (TextOf(page) != "Type") continue;
        // The page itself is hidden while another one is shown: the boxes' own style says
        // whether start-up has shown them.
        for (HWND box : Children(page)) {
            const bool shown = (GetWindowLongPtrA(box, GWL_STYLE) & WS_VISIBLE) != 0;
            const std::string caption = TextOf(box);
            if (shown && IsCheckBox(box) && caption != "Required components")
                captions.push_back(caption);
        }
    }
    return captions;
}

HWND WizardProcess::ShownMessageBox() const {
    HWND box = FindTopLevel("#32770", "");
    return box && IsWindowVisible(box) ? box : nullptr;
}

HWND WizardProcess::WaitForMessageBox(int milliseconds) const {
    HWND box = nullptr;
    WaitUntil([&] { return (box = ShownMessageBox()) != nullptr; }, milliseconds);
    return box;
}

std::string WizardProcess::Uninstall(const std::string& feedback, int milliseconds) const {
    HWND memo = nullptr;
    auto memoShown = [&] {
        memo = VisibleChild(Wizard(), [](HWND child) {
            char name[32] = {};
            GetClassNameA(child, name, sizeof name);
            return _stricmp(name, "Edit") == 0;
        });
        return memo != nullptr;
    };
    if (!WaitForPage("Un-Welcome", milliseconds)) return "Un-Welcome";
    if (!PressWhenEnabled(Wizard(), "Next", milliseconds) ||
        !WaitForPage("Un-Feedback", milliseconds) || !WaitUntil(memoShown, milliseconds))
        return "Un-Feedback";
    TypeInto(memo, feedback);
    if (!PressWhenEnabled(Wizard(), "Next", milliseconds) ||
        !WaitForPage("Un-Finished", milliseconds))
        return "Un-Finished";
    return PressWhenEnabled(Wizard(), "Finish", milliseconds) ? "" : "Finish";
}

std::string MessageText(HWND box) {
    std::string text;
    for (HWND child : Children(box)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof name);
        const std::string line = TextOf(child);
        // The icon is a static control without text.
        if (std::string(name) == "Static" && !line.empty()) text += line;
    }
    return text;
}

}  // namespace e2e
