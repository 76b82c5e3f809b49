#include "Forms.h"

#include "Application.h"
#include "installer.h"

void CreateForms() {
    gui::Application.SetTitle("Setup");
    gui::Application.CreateForm(Form1);
}
