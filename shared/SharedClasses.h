// The one registration of the shared components with ClassRegistry (KelTextHandler, bSource,
// TNetGradient, TTopMost, TOfficePopupMenu), together with every class of gui/, so that a
// program's form descriptions can name all of them. Programs call it once at start-up; calling
// it again changes nothing.
#pragma once

void RegisterSharedClasses();
