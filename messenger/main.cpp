#include "main.h"

#include <vector>

#include "ContactsFile.h"
#include "FileStore.h"
#include "options.h"
#include "password.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(gui::TComponent* owner) : TForm(owner, "TForm1") {
    GUI_CONTROLS(ListView1, ComboBox1, Label3, ListBox1, bSource1);
    GUI_HANDLERS(FormClose);
    GUI_CONTROLS(Image3, Label8, Image1);
    GUI_HANDLERS(Image1Click);
    LoadFromResource("TFORM1");
    borderless_.AddDragSurfaces({Image3, Label8});
    borderless_.SetHotZone(*Image1, {611, 658, 18});
}

std::string TForm1::ContactsPath() const {
    return Form12->curDir->Caption() + messenger::kContactsFileName;
}

void TForm1::LoadContacts() {
    ListBox1->Items().Clear();
    std::string file;
    // A read error reaches the application's error report; the list stays empty then.
    if (messenger::ReadWholeFile(ContactsPath(), file))
        ListBox1->Items().Assign(messenger::ReadContacts(file).records);
    // Also without a file, so that list-view item i always shows record i.
    ListReload();
}

void TForm1::ListReload() {
    std::vector<std::string> records = ListBox1->Items().Items();
    messenger::OrderContactsOnePass(records);
    ListBox1->Items().Assign(records);

    gui::TStrings& defaultSenders = Form2->ComboBox2->Items();
    gui::TStrings& senders = ComboBox1->Items();
    ListView1->Items().BeginUpdate();
    ListView1->Items().Clear();
    defaultSenders.Clear();
    senders.Clear();
    for (const std::string& record : records) {
        gui::TListItem* item = ListView1->Items().Add();
        item->SetCaption(messenger::ContactCaption(record));
        item->SetImageIndex(0);
        defaultSenders.Add(messenger::ContactName(record));
        senders.Add(messenger::ContactName(record));
    }
    ListView1->Items().EndUpdate();
}

std::string TForm1::FetchCommand(const std::string& address) {
    return bSource1 ? bSource1->FetchUrl(address, 1, true) : "failed";
}

void TForm1::ReleaseFetcher() {
    delete bSource1;
    bSource1 = nullptr;
}

void TForm1::FormClose(gui::TObject*, gui::TCloseAction&) {
    Form12->SaveAndEnd(false);
}

void TForm1::Image1Click(gui::TObject*) {
    Image1->Hide();
    Hide();
}
