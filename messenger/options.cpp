#include "options.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(gui::TComponent* owner) : TForm(owner, "TForm2") {
    GUI_CONTROLS(ComboBox2, Edit4, Label4, CheckBox1, FilenameEdit4, FilenameEdit1, FilenameEdit2,
                 ComboBox1, Edit1, Edit2, MaskEdit1);
    LoadFromResource("TFORM2");
}
