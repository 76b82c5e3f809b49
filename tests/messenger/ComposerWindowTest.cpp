// The composer driven as a user drives it: the To: text from every kind of selection, the Send
// rule after every change of its three inputs, and the counter after every kind of edit.
#include <windows.h>

#include "MessagePump.h"
#include "MessengerFixture.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"
#include "main.h"
#include "options.h"
#include "password.h"

namespace messengertest {
namespace {

using testing_support::Click;
using testing_support::PressKey;
using testing_support::Type;

class Composer : public MessengerTest {
protected:
    void SetUp() override {
        MessengerTest::SetUp();
        WriteFile("contacts.con", "[zembly SMS contacts 2.00]\r\nAnn|1\r\nBob|2\r\nCy|3\r\n");
        RunStartUp();
        // Logged on to the service, where several contacts may be chosen.
        StandIn().AnswerNext(standin::Response::Text("1,250"));
        Click(*Form12->BitBtn1);
        TrayDoubleClick();
        ASSERT_TRUE(Form1->Visible());
        ASSERT_TRUE(Form1->ListView1->MultiSelect());
    }
    void ClickItem(int index, WPARAM keys = 0) {
        const RECT r = Form1->ListView1->ItemRect(index);
        Click(*Form1->ListView1, (r.left + r.right) / 2, (r.top + r.bottom) / 2, keys);
        gui::ProcessMessages();
    }
    HWND SenderEdit() {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(Form1->ComboBox1->Handle(), &info);
        return info.hwndItem;
    }
    std::string To() { return Form1->Label5->Caption(); }
    bool SendEnabled() { return Form1->BitBtn7->Enabled(); }
    HWND Memo() { return Form1->Memo1->Handle(); }
    void Paste(const std::string& text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
        SendMessageA(Memo(), WM_PASTE, 0, 0);
    }
    static void SetKeys(BYTE key, bool down) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[key] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    std::string Counter() { return Form1->Label2->Caption(); }
};

TEST_F(Composer, ToTextFollowsTheSelectionAndSendNeedsTwoCharactersInEachInput) {
    SendMessageA(Memo(), WM_CHAR, 'H', 1);
    SendMessageA(Memo(), WM_CHAR, 'i', 1);
    for (char c : std::string("Me")) SendMessageA(SenderEdit(), WM_CHAR, c, 1);
    // The design "|" is one character: nothing chosen yet.
    EXPECT_EQ(To(), "|");
    EXPECT_FALSE(SendEnabled());

    ClickItem(0);
    EXPECT_EQ(To(), "Ann");
    EXPECT_TRUE(SendEnabled());
    ClickItem(2, MK_CONTROL);
    EXPECT_EQ(To(), "Ann;  Cy");
    PressKey(*Form1->ListView1, VK_UP);  // the keyboard moves the one selection
    gui::ProcessMessages();
    EXPECT_EQ(To(), "Bob");
    SetKeys(VK_SHIFT, true);
    PressKey(*Form1->ListView1, VK_END);
    ClickItem(0, MK_SHIFT);  // Shift with the mouse: everything from Bob up to Ann
    SetKeys(VK_SHIFT, false);
    EXPECT_EQ(To(), "Ann;  Bob");
    Form1->ListView1->SelectAll();
    gui::ProcessMessages();
    EXPECT_EQ(To(), "Ann;  Bob;  Cy");

    // One character anywhere disables Send, and the next change enables it again.
    PressKey(*Form1->Memo1, VK_BACK);
    SendMessageA(Memo(), WM_CHAR, '\b', 1);
    EXPECT_FALSE(SendEnabled());
    SendMessageA(Memo(), WM_CHAR, '!', 1);
    EXPECT_TRUE(SendEnabled());
    SendMessageA(SenderEdit(), WM_CHAR, '\b', 1);
    EXPECT_FALSE(SendEnabled());
    // Choosing a sender from the drop-down list.
    SendMessageA(Form1->ComboBox1->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(Form1->ComboBox1->Handle(), &info);
    RECT item;
    SendMessageA(info.hwndList, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    SendMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
    gui::ProcessMessages();
    EXPECT_EQ(Form1->ComboBox1->Text(), "Bob");
    EXPECT_TRUE(SendEnabled());

    // A click where no item is empties the To: text.
    Click(*Form1->ListView1, Form1->ListView1->ClientWidth() - 4,
          Form1->ListView1->ClientHeight() - 4);
    EXPECT_EQ(To(), "");
    EXPECT_FALSE(SendEnabled());
}

TEST_F(Composer, CounterCountsTheTextAfterEveryKindOfEdit) {
    ClickItem(0);
    for (char c : std::string("Me")) SendMessageA(SenderEdit(), WM_CHAR, c, 1);
    Form2->Edit4->SetText("");  // no signature
    Paste(std::string(159, 'x'));
    EXPECT_EQ(Counter(), "159/159   - 1 Credit");
    EXPECT_EQ(SendMessageA(Memo(), EM_GETLIMITTEXT, 0, 0), 795);
    SendMessageA(Memo(), WM_CHAR, 'y', 1);
    EXPECT_EQ(Counter(), "1/159   - 2 Credits");
    SendMessageA(Memo(), EM_SETSEL, 0, 0);
    PressKey(*Form1->Memo1, VK_DELETE);
    EXPECT_EQ(Counter(), "159/159   - 1 Credit");
    SendMessageA(Memo(), WM_UNDO, 0, 0);
    EXPECT_EQ(Counter(), "1/159   - 2 Credits");
    // The context menu's Cut and Delete.
    SendMessageA(Memo(), EM_SETSEL, 0, 2);
    SendMessageA(Memo(), WM_CUT, 0, 0);
    EXPECT_EQ(Counter(), "158/159   - 1 Credit");
    SendMessageA(Memo(), EM_SETSEL, 0, 158);
    SendMessageA(Memo(), WM_CLEAR, 0, 0);
    EXPECT_EQ(Counter(), "0/159   - 1 Credit");
    // Five parts at most: a paste is cut at the maximum length.
    Paste(std::string(800, 'z'));
    EXPECT_EQ(Counter(), "159/159   - 5 Credits");
    EXPECT_TRUE(SendEnabled());

    // The design signature leaves 136 characters in the first part. Lengthened while the
    // message stands, the message no longer fits when the composer is next active.
    Form2->Edit4->SetText("[sent via zemblySMS!]");
    SendMessageA(Form1->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(Counter(), "795/772   - too long");
    EXPECT_EQ(SendMessageA(Memo(), EM_GETLIMITTEXT, 0, 0), 772);
    EXPECT_FALSE(SendEnabled());
    SendMessageA(Memo(), EM_SETSEL, 0, 23);
    SendMessageA(Memo(), WM_CLEAR, 0, 0);
    EXPECT_EQ(Counter(), "159/159   - 5 Credits");
    EXPECT_TRUE(SendEnabled());
    SendMessageA(Memo(), EM_SETSEL, 0, 772 - 137);
    SendMessageA(Memo(), WM_CLEAR, 0, 0);
    EXPECT_EQ(Counter(), "1/159   - 2 Credits");
}

TEST_F(Composer, ShownBeforeStartUpHasStoredTheFolderItHidesAgain) {
    Form1->Hide();
    Form12->curDir->SetCaption("curDir");
    TrayDoubleClick();
    EXPECT_FALSE(Form1->Visible());
}

}  // namespace
}  // namespace messengertest
