// Opens a page in the user's web browser: the program of the command Windows has registered for
// HTML files, started with the page address as its one argument. The messenger never fetches
// these pages itself.
#pragma once

#include <functional>
#include <string>

namespace messenger {

// False when no browser could be started (no command registered, or the start failed); the
// caller shows its own message then.
bool LaunchBrowser(const std::string& pageAddress);

// What starts the browser program with its parameters; true when it started. Tests put a recorder
// here; nullptr puts ShellExecuteA back.
using BrowserStarter =
    std::function<bool(const std::string& program, const std::string& parameters)>;
void SetBrowserStarter(BrowserStarter starter);

}  // namespace messenger
