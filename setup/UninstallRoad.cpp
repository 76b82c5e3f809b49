#include "UninstallRoad.h"

#include "EndPage.h"
#include "installer.h"

void UninstallRoad::Run() {
    // Cancel is off for the whole road, and stays off on the last page.
    form_.Button1->SetEnabled(false);
    form_.RxGIF->Hide();
    form_.Button2->SetEnabled(true);
    form_.Notebook1->SetPageIndex(form_.Notebook1->PageIndex() + 1);
    form_.Label35->SetCaption(setup::UninstallEndWarning(form_.curDir->Caption()));
}
