// The one registration of every class the wizard's form description names: the GUI layer's,
// the component library's and the shared components. Calling it again changes nothing.
#pragma once

void RegisterSetupClasses();
