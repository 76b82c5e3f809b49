// The picture file of a picture property: a form description names a resource ('logo.gif') or
// holds the file's bytes, with or without the picture class's name as a short string ahead of
// them (as the class library writes it).
#pragma once

#include <string>

#include "Component.h"

namespace gui {

// The picture file's bytes; a missing resource raises Exception naming it.
std::string DescribedPicture(const PropertyValue& value);

}  // namespace gui
