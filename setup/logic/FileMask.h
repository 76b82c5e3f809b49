// File-name masks as the folder listing takes them: one or more patterns separated by ";", where
// "*" stands for any run of characters and "?" for one, letters in any case. A pattern ending in
// ".*" also takes a name without that extension, as the file system's own search does.
#pragma once

#include <string>

namespace setup {

bool MatchesFileMask(const std::string& name, const std::string& mask);

}  // namespace setup
