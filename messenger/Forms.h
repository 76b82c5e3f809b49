// The messenger's windows, made in the order the program needs them: the logon window first, so
// it is the main window.
#pragma once

// Makes every class the messenger's descriptions name known to them; calling it again changes
// nothing.
void RegisterMessengerClasses();

// Sets the application's title and creates the six windows.
void CreateForms();
