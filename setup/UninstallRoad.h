// The uninstall road, run inside the Next click that arrives at the Un-Install page: the
// feedback, the registry keys, the links, the files, the install folder and the Add/Remove
// Programs entry, with the three stages shown, then the Un-Finished page with the last failure's
// warning.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "InstallRecord.h"
#include "UninstallStages.h"

class TForm1;
namespace gui {
class TImage;
}

class UninstallRoad {
public:
    explicit UninstallRoad(TForm1& form) : form_(form) {}
    void Run();

private:
    void SendFeedback();
    void FillRemovalList();
    void RemoveRegistryKeys();
    void RemoveEntry();
    void Close();

    setup::UninstallPlaces Places();
    // The install's list of what it made; nothing for an install made without one.
    std::unique_ptr<setup::InstallRecord> ReadRecord(const std::string& installFolder);
    // The stage icon shown done, the bar's value, then the marker moved on to the next icon.
    void StageDone(gui::TImage& done, int bar, int markerStop);

    TForm1& form_;
    std::vector<std::string> removalList_;
    // The last failure; shown on the end page.
    std::string note_;
};
