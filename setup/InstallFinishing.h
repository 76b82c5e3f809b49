// The install road's second half, run in the same Next click straight after the last extraction,
// still on the Install page: the uninstaller copy, the registry values of setup.ini's key lines,
// the Add/Remove Programs entry, the shortcuts, the list of what the install made, and the move
// to the Finished page with the warning of the last failure. Nothing here pumps messages.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ArchiveMatching.h"

class KelTextHandler;
class TForm1;

// The window's entry.
class InstallFinishing {
public:
    explicit InstallFinishing(TForm1& form) : form_(form) {}

    // `errorNote`: the extraction's last failure, empty for none. `entries`: the InstallEntryList
    // as the extraction left it (the lines ListBox13 shows). `extractedFiles`: the full path of
    // every file the extraction wrote, for the list of what the install made.
    void Run(const std::string& errorNote, const std::vector<setup::InstallEntry>& entries,
             const std::vector<std::string>& extractedFiles);

private:
    TForm1& form_;
};

namespace setup {

// What the finishing reads from the window, as values.
struct FinishingInput {
    std::string sourceFolder;  // the wizard's own folder, ending in "\"
    std::string installFolder;
    std::string programMenuName;
    bool desktopShortcuts = true;
    std::vector<std::string> keyLines;
    std::string progName;
    std::string title;    // product, " v", version, " Setup"
    std::string company;  // the entry's publisher
    bool installFolderCreated = false;
    std::string tasks;  // the target caption as it stands
    std::string errorNote;
    std::vector<InstallEntry> entries;
    std::vector<std::string> extractedFiles;
};

struct FinishingOutcome {
    std::string errorNote;   // the last failure of the whole road
    std::string tasks;       // the first shortcut target, or the caption as it stood
    std::string endWarning;  // the Finished page's warning label
};

// Every step in order. `folders` resolves the special folders; `status` receives the texts of
// the road's status line.
FinishingOutcome FinishInstall(const FinishingInput& input, KelTextHandler& folders,
                               const std::function<void(const std::string&)>& status);

}  // namespace setup
