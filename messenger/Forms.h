// The messenger's windows, made in the order the program needs them: the logon window first, so
// it is the main window.
#pragma once

// Sets the application's title and creates the six windows.
void CreateForms();
