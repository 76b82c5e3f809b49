#include "contacts.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(gui::TComponent* owner) : TForm(owner, "TForm5") {
    GUI_CONTROLS(Image3, Image5, Image1, Image4);
    GUI_HANDLERS(Image4Click);
    LoadFromResource("TFORM5");
    borderless_.AddDragSurfaces({Image3, Image5});
    borderless_.SetHoverPair(*Image1, *Image4);
}

void TForm5::Image4Click(gui::TObject*) {
    Hide();
    Image4->Hide();
}
