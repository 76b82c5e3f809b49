// The shortcut that starts the messenger whenever anyone logs on to Windows: a shell link in the
// all-users Startup folder.
#pragma once

#include <string>

namespace messenger {

inline constexpr char kStartupShortcutName[] = "zemblySMS Messenger.lnk";

// The warning for a shortcut that was not saved: where, and why.
std::string ShortcutNotSavedText(const std::string& linkPath, const std::string& reason);

}  // namespace messenger
