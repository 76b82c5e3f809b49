// How the web browser is started: the program cut out of the command registered for HTML files,
// the page address as its one argument, and the messages shown when no browser is found.
// Portable: no windows.h here.
#pragma once

#include <string>

namespace messenger {

// The text between the first and the second double quote of the registered command; empty when
// the command holds fewer than two (the launch then fails like any other).
std::string BrowserProgram(const std::string& command);

// The page address in double quotes, so that the browser receives it as one argument however
// many spaces it holds. A double quote inside (never valid in an address) goes as "%22", and
// backslashes before the closing quote are doubled so that they cannot escape it.
std::string BrowserArgument(const std::string& pageAddress);

// The sign-up button's message when no browser could be started.
inline constexpr char kSignUpBrowserFailure[] = "Unable to start web browser!";

// The download and payment message: two lines apart, it names the site to visit by hand.
std::string BrowserFailureMessage(const std::string& siteDomain);

}  // namespace messenger
