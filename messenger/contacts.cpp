#include "contacts.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(gui::TComponent* owner) : TForm(owner, "TForm5") {
    LoadFromResource("TFORM5");
}
