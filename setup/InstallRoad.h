// The install road, run inside the Next click that arrives at the Install page. Its first half
// makes the install and program-menu folders, lists the archive's entries that the file lines of
// the required list and the checked components match, and extracts them one by one through the
// unzip library while the page's bars follow; the second half (InstallFinishing) then completes
// the install and moves to the Finished page.
#pragma once

#include <string>
#include <vector>

#include "ExtractionPlan.h"
#include "InstallFinishing.h"

class TForm1;

class InstallRoad {
public:
    explicit InstallRoad(TForm1& form) : form_(form) {}
    void Run();

    // The first half alone. A folder that cannot be made or entered raises the class library's
    // error and stops the road there.
    setup::ExtractionOutcome Extract();

private:
    void MakeInstallFolder();
    void MakeProgramMenuFolder();
    std::vector<std::string> GatherFileLines();
    // Fills the InstallEntryList; an archive that cannot be read lists nothing.
    setup::ExtractionListing ListArchive(const std::vector<std::string>& fileLines,
                                         std::string& note);
    void SetUpProgress(uint64_t totalSize);
    void ExtractEntries(const std::vector<setup::InstallEntry>& entries,
                        setup::ExtractionOutcome& outcome);

    TForm1& form_;
};
