// The messenger's program block.
#include <windows.h>

#include "Application.h"
#include "Forms.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RegisterMessengerClasses();
    CreateForms();
    gui::Application.Run();
    return 0;
}
