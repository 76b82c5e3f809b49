// Shell links (shortcuts): the programs' Startup, desktop and program-menu shortcuts.
#pragma once

#include <string>

namespace files {

// Saves a shell link at `linkPath` to `target`, starting in `workingFolder`, over any link of that
// name. Returns the empty text when it was saved, otherwise the system's reason (writing the
// all-users folders often needs rights the user lacks).
std::string SaveShellLink(const std::string& linkPath, const std::string& target,
                          const std::string& workingFolder);

}  // namespace files
