#include "NewRelease.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(gui::TComponent* owner) : TForm(owner, "TForm9") {
    LoadFromResource("TFORM9");
}
