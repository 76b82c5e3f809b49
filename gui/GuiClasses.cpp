#include "GuiClasses.h"

#include "ControlClasses.h"
#include "ImageList.h"
#include "LibraryClasses.h"
#include "Menu.h"
#include "StandardClasses.h"

namespace gui {

void RegisterClasses() {
    RegisterStandardClasses();
    RegisterControlClasses();
    ClassRegistry::Register<TMenuItem>("TMenuItem");
    ClassRegistry::Register<TPopupMenu>("TPopupMenu");
    ClassRegistry::Register<TImageList>("TImageList");
    RegisterLibraryClasses();
}

}  // namespace gui
