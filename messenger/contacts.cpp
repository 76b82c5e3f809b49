#include "contacts.h"

#include "ContactEditing.h"
#include "ContactsFile.h"
#include "Dialogs.h"
#include "main.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(gui::TComponent* owner) : TForm(owner, "TForm5") {
    GUI_CONTROLS(Label8, Edit1, Edit2, Label2, BitBtn1, Image3, Image5, Image1, Image4);
    GUI_HANDLERS(BitBtn1Click, Image4Click);
    LoadFromResource("TFORM5");
    borderless_.AddDragSurfaces({Image3, Image5});
    borderless_.SetHoverPair(*Image1, *Image4);
}

void TForm5::BitBtn1Click(gui::TObject*) {
    const std::string refusal = messenger::ContactRefusal(Edit1->Text(), Edit2->Text());
    if (!refusal.empty()) {
        gui::MessageDlg(refusal, gui::mtWarning, gui::mbOK);
        return;
    }
    const std::string record = messenger::MakeContactRecord(Edit1->Text(), Edit2->Text());
    gui::TStrings& records = Form1->ListBox1->Items();
    const int target = Label8->Caption() == kAddContactTitle
                           ? -1
                           : messenger::EditTarget(
                                 records.Items(),
                                 messenger::ContactIndexFromText(Label2->Caption()), openedRecord);
    if (target < 0)
        records.Add(record);
    else
        records.Put(target, record);
    Form1->ListReload();
    Hide();
}

void TForm5::Image4Click(gui::TObject*) {
    Hide();
    Image4->Hide();
}
