#include "main.h"

#include <algorithm>
#include <vector>

#include "ContactEditing.h"
#include "ContactsFile.h"
#include "Dialogs.h"
#include "FileStore.h"
#include "KelTextHandler1.h"
#include "MessageCounter.h"
#include "MessagePump.h"
#include "SendRoad.h"
#include "contacts.h"
#include "options.h"
#include "password.h"

TForm1* Form1 = nullptr;

namespace {

// Posted to the composer after selection changes; the To: text is rebuilt when it arrives.
constexpr UINT kSelectionSettled = WM_APP + 0x11;

// The logon window's folder label reads this until start-up has stored the program folder.
const char kUnsetFolder[] = "curDir";

}  // namespace

TForm1::TForm1(gui::TComponent* owner) : TForm(owner, "TForm1") {
    GUI_CONTROLS(ListView1, Label5, ComboBox1, Memo1, Label2, BitBtn7, BitBtn1, BitBtn3, BitBtn2,
                 Label3, Label7, RxGIF, ListBox1, Image1, Image3, Label8, bSource1);
    GUI_HANDLERS(ListView1Click, ListView1SelectItem, Memo1Change, Memo1KeyUp, ComboBox1Change,
                 BitBtn7Click, FormShow, FormActivate, Button2Click, BitBtn1Click, BitBtn3Click,
                 BitBtn2Click, Image1Click, FormClose);
    LoadFromResource("TFORM1");
    borderless_.AddDragSurfaces({Image3, Label8});
    borderless_.SetHotZone(*Image1, {611, 658, 18});
}

// ---------------------------------------------------------------------------------------------
// The To: text, the counter and the Send rule

void TForm1::RebuildToText() {
    toTextPending_ = false;
    std::vector<std::string> selected;
    gui::TListItems& items = ListView1->Items();
    for (int i = 0; i < items.Count(); ++i)
        if (items[i]->Selected()) selected.push_back(items[i]->Caption());
    Label5->SetCaption(messenger::ToText(selected));
    if (!Label5->Caption().empty()) Label5->Show();
    ApplySendRule();
}

void TForm1::ApplySendRule() {
    BitBtn7->SetEnabled(messenger::SendEnabled(Label5->Caption(), ComboBox1->Text(), Memo1->Text(),
                                               messenger::MessageLimit(Form2->Edit4->Text())));
}

void TForm1::ShowCounter() {
    const int limit = messenger::MessageLimit(Form2->Edit4->Text());
    // A signature too long to leave room gives no limit of its own; 0 would mean none at all.
    Memo1->SetMaxLength(std::max(1, messenger::MaximumMessageLength(limit)));
    Label2->SetCaption(messenger::CounterText(Memo1->Text().size(), limit));
    counterShown_ = true;
}

void TForm1::ListView1Click(gui::TObject*) {
    RebuildToText();
}

void TForm1::ListView1SelectItem(gui::TObject*, gui::TListItem*, bool) {
    if (toTextPending_) return;
    toTextPending_ = PostMessageA(Handle(), kSelectionSettled, 0, 0) != FALSE;
}

void TForm1::Memo1Change(gui::TObject*) {
    ShowCounter();
    ApplySendRule();
}

void TForm1::Memo1KeyUp(gui::TObject*, WORD&, gui::TShiftState) {
    ApplySendRule();
}

void TForm1::ComboBox1Change(gui::TObject*) {
    ApplySendRule();
}

void TForm1::BitBtn7Click(gui::TObject*) {
    messenger::RunSend();
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kSelectionSettled) {
        if (toTextPending_) RebuildToText();
        return 0;
    }
    return TForm::WndProc(msg, wParam, lParam);
}

void TForm1::FormShow(gui::TObject*) {
    gui::ProcessMessages();
    if (Form12->curDir->Caption() == kUnsetFolder) {
        Hide();
        return;
    }
    // The sender may have been put in from the settings or the default sender meanwhile.
    ApplySendRule();
}

void TForm1::FormActivate(gui::TObject*) {
    // The signature may have changed in the settings dialog since the message last did.
    if (counterShown_) ShowCounter();
    ApplySendRule();
}

void TForm1::Button2Click(gui::TObject*) {
    Hide();
}

// ---------------------------------------------------------------------------------------------
// The contacts

std::string TForm1::ContactsPath() const {
    return Form12->curDir->Caption() + messenger::kContactsFileName;
}

void TForm1::LoadContacts() {
    ListBox1->Items().Clear();
    keepReadFile_ = false;
    std::vector<std::string> records;
    try {
        std::string file;
        if (messenger::ReadWholeFile(ContactsPath(), file)) {
            messenger::ContactsRead read = messenger::ReadContacts(file);
            keepReadFile_ = !read.accepted;
            records = std::move(read.records);
        }
    } catch (...) {
        // Unread, the file must not be replaced by an empty list without a copy kept; and the
        // list view must still show the (empty) record list.
        keepReadFile_ = true;
        ShowRecords({});
        throw;
    }
    // Also without a file, so that list-view item i always shows record i.
    ShowRecords(std::move(records));
}

void TForm1::SaveContacts() {
    const std::string path = ContactsPath();
    if (keepReadFile_) messenger::CopyWholeFile(path, messenger::ContactsBackupPath(path));
    messenger::ReplaceFile(path, messenger::WriteContacts(ListBox1->Items().Items()));
    keepReadFile_ = false;
}

void TForm1::ListReload() {
    ShowRecords(ListBox1->Items().Items());
}

void TForm1::ShowRecords(std::vector<std::string> records) {
    messenger::OrderContactsOnePass(records);
    ListBox1->Items().Assign(records);

    std::vector<std::string> names;
    names.reserve(records.size());
    const bool hadSelection = ListView1->SelCount() > 0;
    gui::TListItems& items = ListView1->Items();
    items.BeginUpdate();
    items.Clear();
    for (const std::string& record : records) {
        items.Add(messenger::ContactCaption(record), 0);
        names.push_back(messenger::ContactName(record));
    }
    items.EndUpdate();
    Form2->ComboBox2->Items().Assign(names);
    ComboBox1->Items().Assign(names);
    // The selection went with the old items.
    if (hadSelection) RebuildToText();
}

void TForm1::WaitForContactDialog() {
    Form5->Show();
    do {
        KelTextHandler::WaitSeconds(1);
        gui::ProcessMessages();
    } while (Form5->Visible());
}

void TForm1::BitBtn1Click(gui::TObject*) {
    Form5->Edit1->Clear();
    Form5->Edit2->Clear();
    Form5->Label8->SetCaption(kAddContactTitle);
    Form5->BitBtn1->SetGlyph(BitBtn1->Glyph());
    WaitForContactDialog();
    SaveContacts();
}

void TForm1::BitBtn3Click(gui::TObject*) {
    const int count = ListView1->Items().Count();
    for (int i = 0; i < count; ++i) {
        // An earlier wait may have shortened the list.
        if (i >= ListView1->Items().Count() || i >= ListBox1->Items().Count()) break;
        if (!ListView1->Items()[i]->Selected()) continue;
        const std::string record = ListBox1->Items()[i];
        Form5->Edit1->SetText(messenger::ContactName(record));
        Form5->Edit2->SetText(messenger::ContactNumber(record));
        Form5->Label8->SetCaption(kEditContactTitle);
        Form5->BitBtn1->SetGlyph(BitBtn3->Glyph());
        Form5->Label2->SetCaption(std::to_string(i));
        Form5->openedRecord = record;
        WaitForContactDialog();
    }
    SaveContacts();
}

void TForm1::BitBtn2Click(gui::TObject*) {
    const int selected = ListView1->SelCount();
    if (selected == 0) return;
    if (gui::MessageDlg(messenger::DeleteQuestion(selected), gui::mtConfirmation,
                        gui::mbYes | gui::mbNo) == gui::mrYes) {
        // The question box handles messages: the list is read again after it.
        gui::TListItems& items = ListView1->Items();
        for (int i = items.Count() - 1; i >= 0; --i) {
            if (!items[i]->Selected()) continue;
            items.Delete(i);
            if (i < ListBox1->Items().Count()) ListBox1->Items().Delete(i);
        }
        RebuildToText();
    }
    SaveContacts();
}

void TForm1::Image1Click(gui::TObject*) {
    Image1->Hide();
    Hide();
    SaveContacts();
}

// ---------------------------------------------------------------------------------------------
// The fetcher and the end

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
