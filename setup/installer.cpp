#include "installer.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(gui::TComponent* owner) : TForm(owner, "TForm1") {
    LoadFromResource("TFORM1");
}
