// Not built yet: this stand-in copies nothing, writes no registry value and makes no shortcut. It
// only ends the road as the finished one does, on the Finished page with the extraction's
// warning, so that an install is never shown as complete without saying what failed.
#include "InstallFinishing.h"

#include "EndPage.h"
#include "installer.h"

namespace setup {

void InstallFinishing::Run(const ExtractionOutcome& extraction) {
    form_.SetCursor(gui::crDefault);
    form_.Button2->SetEnabled(true);
    form_.Button1->SetEnabled(false);
    form_.Notebook1->SetPageIndex(form_.Notebook1->PageIndex() + 1);
    form_.Label24->SetCaption(
        InstallEndWarning(extraction.errorNote, form_.ListBox13->Items().Count() == 0));
}

}  // namespace setup
