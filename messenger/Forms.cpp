#include "Forms.h"

#include "Application.h"
#include "NewRelease.h"
#include "PayPal.h"
#include "contacts.h"
#include "main.h"
#include "options.h"
#include "password.h"

void CreateForms() {
    gui::Application.SetTitle("zembly SMS");
    gui::Application.CreateForm(Form12);
    gui::Application.CreateForm(Form1);
    gui::Application.CreateForm(Form5);
    gui::Application.CreateForm(Form9);
    gui::Application.CreateForm(Form2);
    gui::Application.CreateForm(Form3);
}
