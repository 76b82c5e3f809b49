// Registration of the base layer's classes with ClassRegistry, so that form descriptions can
// name them. Each area of the layer has its own registration function; programs call all of
// them at start-up.
#pragma once

namespace gui {

// "TTimer".
void RegisterStandardClasses();

}  // namespace gui
