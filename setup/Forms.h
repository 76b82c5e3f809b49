// The wizard's window, made as the program starts.
#pragma once

// Sets the application's title and creates the one window, the main window.
void CreateForms();
