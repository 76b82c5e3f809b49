#include "SetupClasses.h"

#include "KAZip.h"
#include "LibraryClasses.h"
#include "SharedClasses.h"

void RegisterSetupClasses() {
    RegisterSharedClasses();
    gui::RegisterLibraryClasses();
    gui::ClassRegistry::Register<TKAZip>("TKAZip");
}
