#include "StandardClasses.h"

#include "Component.h"
#include "Timer.h"

namespace gui {

void RegisterStandardClasses() {
    ClassRegistry::Register("TTimer", [](TComponent* owner) { return new TTimer(owner); });
}

}  // namespace gui
