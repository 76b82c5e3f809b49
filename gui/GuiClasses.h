// The one registration of the layer's classes with ClassRegistry, so that form descriptions can
// name every control, menu and component of gui/. Programs call it once at start-up (shared/'s
// RegisterSharedClasses calls it too); calling it again changes nothing.
#pragma once

namespace gui {

void RegisterClasses();

}  // namespace gui
