#include <windows.h>
// (the shell header needs the types of windows.h first)
#include <shellapi.h>

#include <vector>

#include "BrowserCommand.h"
#include "Dialogs.h"
#include "LaunchBrowser.h"

namespace messenger {

namespace {

BrowserStarter& Starter() {
    static BrowserStarter starter;
    return starter;
}

// The default value of the HTML files' open command; empty when there is none or it is no
// string.
std::string RegisteredBrowserCommand() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return {};
    std::string command;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
        std::vector<char> value(size + 1, '\0');
        if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                             &size) == ERROR_SUCCESS)
            command = value.data();
    }
    RegCloseKey(key);
    return command;
}

bool ShellStart(const std::string& program, const std::string& parameters) {
    HINSTANCE result =
        ShellExecuteA(nullptr, "open", program.c_str(), parameters.c_str(), nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

void SetBrowserStarter(BrowserStarter starter) {
    Starter() = std::move(starter);
}

bool LaunchBrowser(const std::string& pageAddress) {
    const std::string command = RegisteredBrowserCommand();
    if (command.empty()) return false;
    const std::string program = BrowserProgram(command);
    // An empty file name would have the shell open something else than a browser.
    if (program.empty()) return false;
    const std::string parameters = BrowserArgument(pageAddress);
    return Starter() ? Starter()(program, parameters) : ShellStart(program, parameters);
}

void OpenInBrowser(const std::string& pageAddress, const std::string& failureMessage) {
    if (!LaunchBrowser(pageAddress)) gui::MessageDlg(failureMessage, gui::mtWarning, gui::mbOK);
}

}  // namespace messenger
