// The install road's second half, run in the same Next click directly after the last
// extraction: the uninstaller copy, the registry values, the Add/Remove Programs entry, the
// shortcuts and the Finished page with the last failure's warning. It pumps no messages.
//
// It reads the InstallEntryList (ListBox13), InstallFolderCreated and the other controls of the
// window as the extraction left them; what only the extraction knows comes in the outcome.
#pragma once

#include <string>
#include <vector>

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

}  // namespace setup
