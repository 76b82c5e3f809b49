// Removing a folder with everything in it, through the shell, so that it goes to the Recycle Bin
// where the system allows.
#pragma once

#include <string>

namespace setup {

// No confirmation question and no progress window. True when the shell reports success; a path
// of any length is passed whole.
bool RemoveFolderTree(const std::string& path);

}  // namespace setup
