// The folders the uninstall road must never remove, nor any folder above them: the Windows and
// system folders, the program-files folders, the Programs, Desktop and Startup folders of the user
// and of all users, and the uninstaller's own folder. Drive roots are refused by the rule itself.
#pragma once

#include <string>
#include <vector>

class KelTextHandler;

namespace setup {

// As the shell names them, and as the text handler resolves the keywords the road uses, so that
// a fallback path is kept as well as the shell's answer. Folders that cannot be found are left out.
std::vector<std::string> ProtectedFolders(KelTextHandler& folders);

}  // namespace setup
