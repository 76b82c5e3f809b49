// The InstallEntryList lines read back into entries, as the rest of the install road finds them
// in the list box.
#pragma once

#include <optional>
#include <string>

#include "ArchiveMatching.h"

namespace setup {

// The inverse of InstallEntry::Line. The type is the text before the first ",", the size the
// text after the last and the subfolder the text between the last two (a subfolder from
// setup.ini never holds a ","), so an entry name that holds "," is read whole. Nothing for a line
// of fewer than four fields or a size that is no 32-bit decimal number.
std::optional<InstallEntry> ReadInstallEntryLine(const std::string& line);

}  // namespace setup
