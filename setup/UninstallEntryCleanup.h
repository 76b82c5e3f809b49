// The uninstaller's tidying when the product's setup.ini is gone from the install folder: the
// Add/Remove Programs entry that would start it again is removed, so the user is not left with an
// entry that only ever fails. The entry's own name came from the missing file, so the entries are
// judged by their command instead: only one that starts this uninstaller for this very install
// folder goes, and any other software's entry stays whatever it is called.
#pragma once

#include <string>

namespace setup {

// Looks through HKEY_LOCAL_MACHINE's Add/Remove Programs entries and removes each whose
// "UninstallString" is this uninstaller's command for `installFolder` (either created digit).
// Every failure is swallowed; returns how many entries went.
int RemoveEntriesOfThisUninstall(const std::string& windowsFolder,
                                 const std::string& installFolder);

}  // namespace setup
