// Opens a page in the user's web browser: the program of the command Windows has registered for
// HTML files, started with the page address as its one argument. The messenger never fetches
// these pages itself.
#pragma once

#include <functional>
#include <string>

namespace messenger {

// False when no browser could be started: no command registered, no quoted program in it, or
// the start failed.
bool LaunchBrowser(const std::string& pageAddress);

// LaunchBrowser, and on failure the caller's message in a warning box with OK, whichever windows
// are on screen.
void OpenInBrowser(const std::string& pageAddress, const std::string& failureMessage);

// What starts the browser program with its parameters; true when it started. Tests put a recorder
// here; nullptr puts ShellExecuteA back.
using BrowserStarter =
    std::function<bool(const std::string& program, const std::string& parameters)>;
void SetBrowserStarter(BrowserStarter starter);

}  // namespace messenger
