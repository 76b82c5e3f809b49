// The composer: the contact list, the To: text, the sender, the message with its counter, Send
// and its status, the credit count, and the URL fetcher the messenger's commands go through. It
// also owns the contact records and their file.
#pragma once

#include <string>
#include <vector>

#include "BorderlessWindow.h"
#include "Buttons.h"
#include "ExtCtrls.h"
#include "Form.h"
#include "ListControls.h"
#include "ListView.h"
#include "RxGIFAnimator.h"
#include "StdCtrls.h"
#include "bSource1.h"

class TForm1 : public gui::TForm {
public:
    explicit TForm1(gui::TComponent* owner);

    gui::TListView* ListView1 = nullptr;  // the contacts, item i showing record i
    gui::TLabel* Label5 = nullptr;        // the To: text
    gui::TComboBox* ComboBox1 = nullptr;  // sender
    gui::TMemo* Memo1 = nullptr;          // the message
    gui::TLabel* Label2 = nullptr;        // characters and credits
    gui::TBitBtn* BitBtn7 = nullptr;      // Send
    gui::TBitBtn* BitBtn1 = nullptr;      // Add
    gui::TBitBtn* BitBtn3 = nullptr;      // Edit
    gui::TBitBtn* BitBtn2 = nullptr;      // Delete
    gui::TLabel* Label3 = nullptr;        // credits
    gui::TListBox* ListBox1 = nullptr;    // the contact records, hidden
    gui::TImage* Image1 = nullptr;        // the close picture
    bSource* bSource1 = nullptr;          // nullptr once released at the end

    // Send's status and the marker that slides beside it while a send runs.
    gui::TLabel* Label7 = nullptr;
    gui::TRxGIFAnimator* RxGIF = nullptr;

    // Reads the contacts file again into the record list, then ListReload.
    void LoadContacts();
    // Writes the record list to the contacts file.
    void SaveContacts();
    // One ordering pass over the records, then the list view and both sender lists refilled.
    void ListReload();
    std::string ContactsPath() const;

    // One request (an account service command, a gateway address) through the fetcher; "failed"
    // once the fetcher is released, so that nothing running in the last pending messages reaches
    // it.
    std::string FetchCommand(const std::string& address);
    void ReleaseFetcher();

    // The To: text from the selection, then the Send rule.
    void ListView1Click(gui::TObject* sender);
    void ListView1SelectItem(gui::TObject* sender, gui::TListItem* item, bool selected);
    // The counter and the message box's maximum length, then the Send rule.
    void Memo1Change(gui::TObject* sender);
    // The Send rule.
    void Memo1KeyUp(gui::TObject* sender, WORD& key, gui::TShiftState shift);
    void ComboBox1Change(gui::TObject* sender);
    // Send (SendRoad.h).
    void BitBtn7Click(gui::TObject* sender);
    void FormShow(gui::TObject* sender);
    void FormActivate(gui::TObject* sender);
    void Button2Click(gui::TObject* sender);  // hides the composer; bound to nothing

    // The contact buttons: Add, Edit, Delete.
    void BitBtn1Click(gui::TObject* sender);
    void BitBtn3Click(gui::TObject* sender);
    void BitBtn2Click(gui::TObject* sender);
    // The close picture hides the composer and saves the contacts.
    void Image1Click(gui::TObject* sender);

    // A close request from the system ends the program with its settings saved.
    void FormClose(gui::TObject* sender, gui::TCloseAction& action);

    // Frameless: dragged by the background and the title; the close picture shows only while
    // the pointer is near the top right corner.
    gui::TImage* Image3 = nullptr;
    gui::TLabel* Label8 = nullptr;

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    messenger::BorderlessWindow borderless_{*this};
    // The records in one ordering pass, into the record list, the list view and both sender
    // lists.
    void ShowRecords(std::vector<std::string> records);
    void RebuildToText();
    void ApplySendRule();
    void ShowCounter();
    // Shows the contact dialog and waits, handling messages, until it is hidden again.
    void WaitForContactDialog();

    // A rebuild of the To: text is waiting in the queue: a selection change often comes as a
    // burst of item events (Shift with the mouse, select all), and one rebuild serves them all.
    bool toTextPending_ = false;
    // The counter has been shown: from then on it follows the signature as well as the message.
    bool counterShown_ = false;
    // The file last read was not ours (another version's header, or unreadable): it is copied
    // aside before the first save replaces it.
    bool keepReadFile_ = false;
};

extern TForm1* Form1;
