#include "options.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(gui::TComponent* owner) : TForm(owner, "TForm2") {
    LoadFromResource("TFORM2");
}
