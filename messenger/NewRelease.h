// The new-release notice and the release check behind it: once, ten seconds after start, the
// service is asked for the latest release's name, and a name other than the running version's
// shows the notice with the download page.
#pragma once

#include "BorderlessWindow.h"
#include "ExtCtrls.h"
#include "Form.h"
#include "StdCtrls.h"
#include "Timer.h"
#include "bSource1.h"

class TForm9 : public gui::TForm {
public:
    explicit TForm9(gui::TComponent* owner);

    gui::TTimer* Timer1 = nullptr;   // runs the check once
    bSource* bSource1 = nullptr;     // the window's own fetcher; nullptr once released
    gui::TLabel* Label1 = nullptr;   // the running version's name, then the last reply, hidden
    gui::TLabel* Label2 = nullptr;   // product number "," download page address, hidden
    gui::TLabel* Label16 = nullptr;  // the notice
    gui::TImage* Image3 = nullptr;   // background, the drag surface
    gui::TImage* Image1 = nullptr;   // close picture and its hover twin
    gui::TImage* Image4 = nullptr;

    void Timer1Timer(gui::TObject* sender);
    // "Go to Download Page": the page in the browser, then the end of the program, unsaved.
    void VoAqua3Click(gui::TObject* sender);
    // OK and the close picture: the check never runs again, so its fetcher goes with the notice.
    void VoAqua2Click(gui::TObject* sender);

private:
    messenger::BorderlessWindow borderless_{*this};
};

extern TForm9* Form9;
