// The install road's second half, run in the same Next click directly after the last
// extraction: the uninstaller copy, the registry values, the Add/Remove Programs entry, the
// shortcuts, the record of what the install made, and the Finished page with the last failure's
// warning. It pumps no messages.
//
// It reads the InstallEntryList (ListBox13), InstallFolderCreated and the other controls of the
// window as the extraction left them; what only the extraction knows comes in the outcome.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ArchiveMatching.h"

class KelTextHandler;
class TForm1;

namespace setup {

struct ExtractionOutcome {
    // The last failure of the extraction (an entry's or subfolder's name, or "setup.tws" when
    // the archive could not be read); empty when every entry was written.
    std::string errorNote;
    // The full path of every file the extraction wrote, each once, in the order written.
    std::vector<std::string> extractedFiles;
};

class InstallFinishing {
public:
    explicit InstallFinishing(TForm1& form) : form_(form) {}
    void Run(const ExtractionOutcome& extraction);

private:
    TForm1& form_;
};

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

// Every step in order, with the window's values. `folders` resolves the special folders;
// `status` receives the texts of the road's status line.
FinishingOutcome FinishInstall(const FinishingInput& input, KelTextHandler& folders,
                               const std::function<void(const std::string&)>& status);

}  // namespace setup
