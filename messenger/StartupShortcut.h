// The shortcut that starts the messenger whenever anyone logs on to Windows: a shell link in the
// all-users Startup folder.
#pragma once

#include <string>

namespace messenger {

inline constexpr char kStartupShortcutName[] = "zemblySMS Messenger.lnk";

// Saves a shell link at `linkPath` to `target`, starting in `workingFolder`, over any link of that
// name. Returns the empty text when it was saved, otherwise the system's reason (writing the
// all-users Startup folder often needs rights the user lacks). Raises gui::Exception when no
// shell-link object can be made.
std::string SaveShellLink(const std::string& linkPath, const std::string& target,
                          const std::string& workingFolder);

// The warning for a shortcut that was not saved: where, and why.
std::string ShortcutNotSavedText(const std::string& linkPath, const std::string& reason);

}  // namespace messenger
