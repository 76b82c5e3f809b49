#include "NewRelease.h"

#include "ReleaseCheck.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(gui::TComponent* owner) : TForm(owner, "TForm9") {
    GUI_CONTROLS(Label2);
    LoadFromResource("TFORM9");
    // The download page lies on the configured service host.
    Label2->SetCaption(messenger::ReleaseLabelText());
}
