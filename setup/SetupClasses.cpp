#include "SetupClasses.h"

#include "LibraryClasses.h"
#include "SharedClasses.h"

void RegisterSetupClasses() {
    RegisterSharedClasses();
    gui::RegisterLibraryClasses();
}
