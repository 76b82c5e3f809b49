#include "StandardClasses.h"

#include "Component.h"
#include "Timer.h"

namespace gui {

void RegisterStandardClasses() {
    ClassRegistry::Register<TTimer>("TTimer");
}

}  // namespace gui
