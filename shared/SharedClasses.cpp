#include "SharedClasses.h"

#include "GuiClasses.h"
#include "KelTextHandler1.h"
#include "NetGradient.h"
#include "OfficePopupMenu.h"
#include "TopMost.h"
#include "bSource1.h"

void RegisterSharedClasses() {
    gui::RegisterClasses();
    gui::ClassRegistry::Register<KelTextHandler>("KelTextHandler");
    gui::ClassRegistry::Register<bSource>("bSource");
    gui::ClassRegistry::Register<TNetGradient>("TNetGradient");
    gui::ClassRegistry::Register<TTopMost>("TTopMost");
    gui::ClassRegistry::Register<TOfficePopupMenu>("TOfficePopupMenu");
}
