// The composer: the contact list, the To: text, the sender, the message with its counter, Send
// and its status, the credit count, and the URL fetcher the messenger's commands go through.
#pragma once

#include <string>

#include "BorderlessWindow.h"
#include "ExtCtrls.h"
#include "Form.h"
#include "ListControls.h"
#include "ListView.h"
#include "StdCtrls.h"
#include "bSource1.h"

class TForm1 : public gui::TForm {
public:
    explicit TForm1(gui::TComponent* owner);

    gui::TListView* ListView1 = nullptr;  // the contacts, item i showing record i
    gui::TComboBox* ComboBox1 = nullptr;  // sender
    gui::TLabel* Label3 = nullptr;        // credits
    gui::TListBox* ListBox1 = nullptr;    // the contact records, hidden
    bSource* bSource1 = nullptr;          // nullptr once released at the end

    // Reads the contacts file again into the record list, then ListReload.
    void LoadContacts();
    // One ordering pass over the records, then the list view and both sender lists refilled.
    void ListReload();
    std::string ContactsPath() const;

    // One account service command through the fetcher; "failed" once the fetcher is released,
    // so that nothing running in the last pending messages reaches it.
    std::string FetchCommand(const std::string& address);
    void ReleaseFetcher();

    // A close request from the system ends the program with its settings saved.
    void FormClose(gui::TObject* sender, gui::TCloseAction& action);

    // Frameless: dragged by the background and the title, closed by a picture that shows only
    // while the pointer is near the top right corner.
    gui::TImage* Image3 = nullptr;
    gui::TLabel* Label8 = nullptr;
    gui::TImage* Image1 = nullptr;
    // Only hides the composer (the program goes on in the tray) and saves the contacts.
    void Image1Click(gui::TObject* sender);

private:
    messenger::BorderlessWindow borderless_{*this};
};

extern TForm1* Form1;
