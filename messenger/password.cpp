#include "password.h"

TForm12* Form12 = nullptr;

TForm12::TForm12(gui::TComponent* owner) : TForm(owner, "TForm12") {
    LoadFromResource("TFORM12");
}
