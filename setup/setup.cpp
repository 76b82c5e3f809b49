// The wizard's program block.
#include <windows.h>

#include "Application.h"
#include "Forms.h"
#include "SharedClasses.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RegisterSharedClasses();
    CreateForms();
    gui::Application.Run();
    return 0;
}
