#include "InstallRoad.h"

#include <string>

#include "EndPage.h"
#include "installer.h"

void InstallRoad::Run() {
    form_.Button2->SetEnabled(true);
    form_.Button1->SetEnabled(false);
    form_.Notebook1->SetPageIndex(form_.Notebook1->PageIndex() + 1);
    form_.Label24->SetCaption(setup::InstallEndWarning(std::string(), true));
}
