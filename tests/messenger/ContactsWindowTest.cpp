// The contacts through the composer's buttons and the contact dialog, answered from inside the
// dialog's wait as a user would answer it, and the contacts file they leave behind.
#include <windows.h>

#include <deque>
#include <functional>

#include "KelTextHandler1.h"
#include "MessagePump.h"
#include "MessengerFixture.h"
#include "WindowDriver.h"
#include "contacts.h"
#include "main.h"
#include "options.h"
#include "password.h"

namespace messengertest {
namespace {

using testing_support::Click;
using testing_support::Type;
using Lines = std::vector<std::string>;

const std::string kHeader = "[zembly SMS contacts 2.00]\r\n";

// Runs each step once the contact dialog is on screen, from a timer, so that it runs inside the
// composer's wait as the user's input would.
class DialogScript {
public:
    explicit DialogScript(std::deque<std::function<void()>> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, &Tick);
    }
    ~DialogScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    size_t Left() const { return steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!current_ || current_->steps_.empty() || !Form5->Visible() || current_->running_)
            return;
        current_->running_ = true;
        auto step = std::move(current_->steps_.front());
        current_->steps_.pop_front();
        step();
        current_->running_ = false;
    }
    static inline DialogScript* current_ = nullptr;
    std::deque<std::function<void()>> steps_;
    UINT_PTR timer_ = 0;
    bool running_ = false;
};

void Fill(const std::string& name, const std::string& number) {
    Form5->Edit1->SelectAll();
    Type(*Form5->Edit1, name.empty() ? "\b" : name);
    Form5->Edit2->SelectAll();
    Type(*Form5->Edit2, number.empty() ? "\b" : number);
}

void Cancel() {
    Click(testing_support::Find<gui::TBitBtn>(*Form5, "BitBtn2"));
}

class Contacts : public MessengerTest {
protected:
    void SetUp() override {
        MessengerTest::SetUp();
        // The dialog's one-second waits pass twenty times faster.
        KelTextHandler::SetTickCounter([]() -> uint32_t { return GetTickCount() * 20; });
        WriteFile("contacts.con", kHeader + "Ann|1\r\nBob|2\r\nCy|3\r\n");
        RunStartUp();
        StandIn().AnswerNext(standin::Response::Text("1,250"));
        Click(*Form12->BitBtn1);
        TrayDoubleClick();
        ASSERT_TRUE(Form1->ListView1->MultiSelect());
    }
    void TearDown() override {
        KelTextHandler::SetTickCounter(nullptr);
        MessengerTest::TearDown();
    }
    static Lines Records() { return Form1->ListBox1->Items().Items(); }
    static Lines Captions() {
        Lines captions;
        for (int i = 0; i < Form1->ListView1->Items().Count(); ++i)
            captions.push_back(Form1->ListView1->Items()[i]->Caption());
        return captions;
    }
    static void Select(std::initializer_list<int> indexes) {
        bool first = true;
        for (int index : indexes) {
            const RECT r = Form1->ListView1->ItemRect(index);
            Click(*Form1->ListView1, (r.left + r.right) / 2, (r.top + r.bottom) / 2,
                  first ? 0 : MK_CONTROL);
            first = false;
        }
    }
    std::string Contents() const { return ReadFile("contacts.con"); }
};

TEST_F(Contacts, OnlyOurHeaderIsReadAndEveryLoadRefillsTheLists) {
    WriteFile("contacts.con", "[zembly SMS contacts 2.50]\r\nc|1\r\nb|2\r\na|3\r\n");
    TrayDoubleClick();
    EXPECT_EQ(Captions(), (Lines{" b ", " a ", " c "}));

    for (const std::string& unread :
         {std::string("[zembly SMS contacts 2]\r\nx|1\r\n"), std::string(), kHeader}) {
        WriteFile("contacts.con", unread);
        TrayDoubleClick();
        EXPECT_EQ(Captions(), Lines{});
        EXPECT_EQ(Form1->ComboBox1->Items().Count() + Form2->ComboBox2->Items().Count(), 0);
    }

    // Thousands of records with CR-only line ends, then no file at all.
    std::string many = "[zembly SMS contacts 2.00]\r";
    for (int i = 0; i < 3000; ++i) many += "n" + std::to_string(i) + "|" + std::to_string(i) + "\r";
    WriteFile("contacts.con", many);
    TrayDoubleClick();
    EXPECT_EQ(Form1->ListView1->Items().Count(), 3000);
    EXPECT_EQ(Form2->ComboBox2->Items().Count(), 3000);
    DeleteFileA(PathOf("contacts.con").c_str());
    TrayDoubleClick();
    EXPECT_EQ(Captions(), Lines{});
    EXPECT_EQ(Form1->ComboBox1->Items().Count(), 0);
}

TEST_F(Contacts, OddFilesLoadWholeAndSaveBackUnchanged) {
    // Lone CR and LF line ends, a NUL, bytes above 127 and a line of a megabyte.
    const std::string odd = std::string("A\0b|1", 5);
    const std::string huge = "C" + std::string(1 << 20, 'x') + "|3";
    WriteFile("contacts.con", "[zembly SMS contacts 2.00]\r" + odd + "\nB|\xE9\xFF\r" + huge);
    TrayDoubleClick();
    EXPECT_EQ(Records(), (Lines{odd, "B|\xE9\xFF", huge}));
    DialogScript script({Cancel});
    Click(*Form1->BitBtn1);
    EXPECT_EQ(Contents(), kHeader + odd + "\r\nB|\xE9\xFF\r\n" + huge + "\r\n");
}

TEST_F(Contacts, AddRefusesABarAndStoresWhatIsTyped) {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tarnwick\\Holmvar\\EditStatus");
    {
        DialogScript script({[] {
            EXPECT_EQ(Form5->Label8->Caption(), "Add Contact");
            EXPECT_EQ(Form5->Edit1->Text(), "");
            EXPECT_TRUE(GetWindowLongPtrA(Form5->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
            Fill("a|b", "1");
            Click(*Form5->BitBtn1);
            EXPECT_TRUE(Form5->Visible());
            Fill("Al", "+44 1");
            Click(*Form5->BitBtn1);
        }});
        Click(*Form1->BitBtn1);
        EXPECT_EQ(script.Left(), 0u);
    }
    EXPECT_FALSE(Form5->Visible());
    ASSERT_EQ(dialogs_.Shown().size(), 1u);
    EXPECT_EQ(dialogs_.Shown()[0].text, "A name or number cannot contain the character \"|\".");
    // Appended, then one ordering pass.
    EXPECT_EQ(Records(), (Lines{"Ann|1", "Bob|2", "Al|+44 1", "Cy|3"}));
    EXPECT_EQ(Contents(), kHeader + "Ann|1\r\nBob|2\r\nAl|+44 1\r\nCy|3\r\n");
    HKEY placement;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tarnwick\\Holmvar\\EditStatus", 0,
                            KEY_READ, &placement),
              ERROR_SUCCESS);
    RegCloseKey(placement);

    // Cancel stores nothing, and the save writes the same again.
    WriteFile("contacts.con", "changed outside");
    {
        DialogScript script({Cancel});
        Click(*Form1->BitBtn1);
    }
    EXPECT_EQ(Contents(), kHeader + "Ann|1\r\nBob|2\r\nAl|+44 1\r\nCy|3\r\n");
}

TEST_F(Contacts, EditOffersEachSelectedContactUntilOkDropsTheSelection) {
    Select({0, 2});
    {
        DialogScript script({[] {
                                 EXPECT_EQ(Form5->Label8->Caption(), "Edit Contact");
                                 EXPECT_EQ(Form5->Edit1->Text(), "Ann");
                                 EXPECT_EQ(Form5->Edit2->Text(), "1");
                                 Fill("Ann", "9");
                                 Click(*Form5->BitBtn1);
                             },
                             Cancel});
        Click(*Form1->BitBtn3);
        // OK rebuilt the list without a selection: Cy was not offered.
        EXPECT_EQ(script.Left(), 1u);
    }
    EXPECT_EQ(Contents(), kHeader + "Ann|9\r\nBob|2\r\nCy|3\r\n");

    Select({0, 2});
    {
        DialogScript script({Cancel, [] {
                                 EXPECT_EQ(Form5->Edit1->Text(), "Cy");
                                 Fill("Cyd", "3");
                                 Click(*Form5->BitBtn1);
                             }});
        Click(*Form1->BitBtn3);
        EXPECT_EQ(script.Left(), 0u);
    }
    EXPECT_EQ(Records(), (Lines{"Ann|9", "Bob|2", "Cyd|3"}));
}

TEST_F(Contacts, DeleteAsksWithTheCountAndDeletingEveryContactSticks) {
    Click(*Form1->BitBtn2);  // nothing selected: no question, no save
    EXPECT_TRUE(dialogs_.Shown().empty());

    Select({0, 1});
    dialogs_.Queue(gui::mrNo);
    WriteFile("contacts.con", "changed outside");
    Click(*Form1->BitBtn2);
    ASSERT_EQ(dialogs_.Shown().size(), 1u);
    EXPECT_EQ(dialogs_.Shown()[0].text, "Are you sure you want to delete 2 contact(s)?");
    EXPECT_EQ(dialogs_.Shown()[0].type, gui::mtConfirmation);
    EXPECT_EQ(dialogs_.Shown()[0].buttons, gui::mbYes | gui::mbNo);
    EXPECT_EQ(Contents(), kHeader + "Ann|1\r\nBob|2\r\nCy|3\r\n");  // saved after No as well

    dialogs_.Queue(gui::mrYes);
    Click(*Form1->BitBtn2);
    EXPECT_EQ(Captions(), Lines{" Cy "});
    EXPECT_EQ(Form1->Label5->Caption(), "");
    Select({0});
    dialogs_.Queue(gui::mrYes);
    Click(*Form1->BitBtn2);
    EXPECT_EQ(Contents(), kHeader);
    TrayDoubleClick();
    EXPECT_EQ(Captions(), Lines{});
}

TEST_F(Contacts, TheDialogsOkNeverStoresOverAnotherContact) {
    // While Ann is open, Ann and Bob are deleted: OK adds her back instead of overwriting Cy,
    // and the walk passes over the index that is gone.
    Select({0, 2});
    {
        DialogScript script({[this] {
            Select({0, 1});
            dialogs_.Queue(gui::mrYes);
            Click(*Form1->BitBtn2);
            Fill("Ann", "7");
            Click(*Form5->BitBtn1);
        }});
        Click(*Form1->BitBtn3);
    }
    EXPECT_EQ(Records(), (Lines{"Ann|7", "Cy|3"}));

    // While Cy is open, a reload puts another contact at his index: OK finds him where he is.
    Select({1});
    {
        DialogScript script({[this] {
            WriteFile("contacts.con", kHeader + "Cy|3\r\nAnn|7\r\nAl|5\r\n");
            TrayDoubleClick();
            ASSERT_EQ(Records(), (Lines{"Ann|7", "Al|5", "Cy|3"}));
            Fill("Cy", "8");
            Click(*Form5->BitBtn1);
        }});
        Click(*Form1->BitBtn3);
    }
    EXPECT_EQ(Records(), (Lines{"Al|5", "Ann|7", "Cy|8"}));
}

TEST_F(Contacts, SavesNeverLoseAFileTheyCannotReplace) {
    // Another version's file is kept aside before the first save replaces it, and only then.
    const std::string foreign = "[zembly SMS contacts 3.00]\r\nAnn|1|mobile\r\n";
    WriteFile("contacts.con", foreign);
    TrayDoubleClick();
    EXPECT_EQ(Captions(), Lines{});
    for (int save = 0; save < 2; ++save) {
        DialogScript script({[] {
            Fill("Bo", "2");
            Click(*Form5->BitBtn1);
        }});
        Click(*Form1->BitBtn1);
    }
    EXPECT_EQ(ReadFile("contacts.con.bak"), foreign);
    EXPECT_EQ(Contents(), kHeader + "Bo|2\r\nBo|2\r\n");

    // A read-only file, then one another program holds open: each save reports its error and
    // leaves the file and the folder as they were.
    SetFileAttributesA(PathOf("contacts.con").c_str(), FILE_ATTRIBUTE_READONLY);
    Select({0});
    dialogs_.Queue(gui::mrYes);
    Click(*Form1->BitBtn2);
    SetFileAttributesA(PathOf("contacts.con").c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE held = CreateFileA(PathOf("contacts.con").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TrayDoubleClick();  // the load cannot read it either
    EXPECT_EQ(Captions(), Lines{});
    DialogScript script({Cancel});
    Click(*Form1->BitBtn1);
    CloseHandle(held);

    ASSERT_EQ(dialogs_.Shown().size(), 4u);
    for (size_t i : {1u, 2u, 3u})
        EXPECT_EQ(dialogs_.Shown()[i].text.rfind("Cannot ", 0), 0u) << dialogs_.Shown()[i].text;
    EXPECT_EQ(Contents(), kHeader + "Bo|2\r\nBo|2\r\n");
    EXPECT_EQ(ReadFile("contacts.con.bak"), foreign);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(PathOf("*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

}  // namespace
}  // namespace messengertest
