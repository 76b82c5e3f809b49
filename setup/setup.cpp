// The wizard's program block.
#include <windows.h>

#include "Application.h"
#include "Forms.h"
#include "SetupClasses.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RegisterSetupClasses();
    CreateForms();
    gui::Application.Run();
    return 0;
}
