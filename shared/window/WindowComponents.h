// The window components both programs place on their forms.
#pragma once

// Makes "TTopMost" and "TNetGradient" known to form descriptions.
void RegisterWindowComponents();
