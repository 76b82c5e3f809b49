// Applies a form description to an object that code has already constructed (a form, or any
// component acting as the root). Portable: no windows.h here.
#pragma once

#include <string>

#include "Component.h"
#include "FormDescription.h"

namespace gui {

// Reads the description into root:
//  - the description's class must be root's class; its name becomes root's name;
//  - root's properties are applied in the order written;
//  - each nested object is made through ClassRegistry::Create, owned by root whatever it is
//    nested in, named, handed to the object it is nested in (AddDescribedChild, so a control
//    has its parent before its properties are read), given its properties, then its own nested
//    objects;
//  - every control field the root declares (BindControl) is pointed at its component; a missing
//    one, or one of another class, is an error naming both;
//  - every object is Loading() while the description is read; at the end each one (root first,
//    then in the order made) stops loading and gets Loaded().
// An unknown class or property, a duplicate name or a value a property refuses raises Exception
// with the line, the object and the property or class. Objects made before the failure stay
// owned by root.
void ApplyDescription(TComponent& root, const DescribedObject& description);

// ParseDescription and ApplyDescription.
void LoadDescription(TComponent& root, const std::string& text);

}  // namespace gui
