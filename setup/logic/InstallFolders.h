// The folders the install road makes: every level of the install folder's path that is missing,
// and the folders of an entry's subfolder, into the deepest of which the entry is extracted.
// Each text ends in "\"; the caller creates the ones that do not exist, in order.
#pragma once

#include <string>
#include <vector>

namespace setup {

// The levels below the drive (or network share) down to the install folder itself:
// c:\program files\maker\product gives c:\program files\, c:\program files\maker\ and
// c:\program files\maker\product\. Empty parts (doubled or trailing separators) name no level.
std::vector<std::string> InstallFolderLevels(const std::string& installFolder);

// The install folder and "\", then each part of the subfolder with its "\": bin\tools gives
// <folder>\bin\ and <folder>\bin\tools\; no subfolder gives <folder>\\ (the install folder). The
// last one becomes the current folder. The subfolder comes from setup.ini and must have been
// checked to stay below the install folder.
std::vector<std::string> EntryFolderLevels(const std::string& installFolder,
                                           const std::string& subfolder);

}  // namespace setup
