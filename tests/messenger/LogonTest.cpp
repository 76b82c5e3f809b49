// The logon window: its replies, the three ways into the logon, the two modes, the key rule and
// the mode rule, driven by typing and clicking.
#include <windows.h>

#include "KelTextHandler1.h"
#include "MessengerFixture.h"
#include "RxTrayIcon.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"
#include "main.h"
#include "password.h"

namespace messengertest {
namespace {

using testing_support::Click;
using testing_support::Type;

bool LoggedOn() {
    return !Form12->Visible() && Form12->RxTrayIcon1->Active();
}

void ExpectLogonInputsEnabled() {
    EXPECT_TRUE(Form12->Edit1->Enabled());
    EXPECT_TRUE(Form12->MaskEdit1->Enabled());
    EXPECT_TRUE(Form12->BitBtn1->Enabled());
    EXPECT_TRUE(Form12->BitBtn3->Enabled());
}

struct ReplyCase {
    const char* reply;    // nullptr: the connection drops, so the fetcher gives "failed"
    const char* credits;  // nullptr: rejected
};

class LogonReply : public MessengerTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(LogonReply, OnlyAFirstCharacterOneLogsOn) {
    const ReplyCase& c = GetParam();
    StandIn().AnswerNext(c.reply ? standin::Response::Text(c.reply) : standin::Response::Dropped());
    Type(*Form12->Edit1, "ann");
    Type(*Form12->MaskEdit1, "pw");
    Click(*Form12->BitBtn1);

    EXPECT_EQ(ServiceQueries(), std::vector<std::string>{"40,ann,pw"});
    if (c.credits) {
        EXPECT_TRUE(LoggedOn());
        EXPECT_EQ(Form1->Label3->Caption(), c.credits);
        EXPECT_TRUE(Form1->Label3->Visible());
        EXPECT_TRUE(Form1->ListView1->MultiSelect());
        EXPECT_FALSE(Form12->Label4->Visible());
        EXPECT_EQ(tray_.calls, std::vector<DWORD>{NIM_ADD});
    } else {
        EXPECT_TRUE(Form12->Visible());
        EXPECT_TRUE(Form12->Label4->Visible());
        EXPECT_FALSE(Form12->RxTrayIcon1->Active());
        EXPECT_EQ(Form1->Label3->Caption(), "0 Credit(s)");
    }
    ExpectLogonInputsEnabled();
}

INSTANTIATE_TEST_SUITE_P(Replies, LogonReply,
                         ::testing::Values(ReplyCase{"1", "1 Credit(s)"},
                                           ReplyCase{"1,250", "250 Credit(s)"},
                                           ReplyCase{"10,5", "5 Credit(s)"},
                                           ReplyCase{"0,1", nullptr}, ReplyCase{"", nullptr},
                                           ReplyCase{nullptr, nullptr}));

class Logon : public MessengerTest {};

TEST_F(Logon, EnterLogsOnFromTheFieldsAndTheModeButtons) {
    // No check on the client: empty fields go to the service as they are.
    Type(*Form12->Edit1, "\r");
    EXPECT_EQ(ServiceQueries(), std::vector<std::string>{"40,,"});
    // The error text that Enter has just brought up stays on screen.
    EXPECT_TRUE(Form12->Label4->Visible());
    // The next key hides it.
    Type(*Form12->Edit1, "d");
    EXPECT_FALSE(Form12->Label4->Visible());

    Type(*Form12->Edit1, "emo");
    Type(*Form12->MaskEdit1, "demo");
    Type(*Form12->RadioButton1, "\r");
    EXPECT_TRUE(LoggedOn());
    EXPECT_EQ(Form1->Label3->Caption(), "100 Credit(s)");
}

TEST_F(Logon, KeyRuleSeesTheTextsBeforeTheKey) {
    // As described: enabled although both fields are empty.
    EXPECT_TRUE(Form12->BitBtn1->Enabled());
    Type(*Form12->Edit1, "a");
    EXPECT_FALSE(Form12->BitBtn1->Enabled());
    Type(*Form12->MaskEdit1, "p");
    EXPECT_FALSE(Form12->BitBtn1->Enabled()) << "the first password key counts an empty field";
    Type(*Form12->MaskEdit1, "w");
    EXPECT_TRUE(Form12->BitBtn1->Enabled());
    Type(*Form12->MaskEdit1, "\b\b");
    EXPECT_EQ(Form12->MaskEdit1->Text(), "");
    EXPECT_TRUE(Form12->BitBtn1->Enabled()) << "until the next key";
    Type(*Form12->Edit1, "b");
    EXPECT_FALSE(Form12->BitBtn1->Enabled());
}

TEST_F(Logon, GatewayModeLogsOnWithoutARequest) {
    Click(*Form12->RadioButton2);
    // The mode rule: no fields, no sign-up, OK whatever the fields hold.
    EXPECT_FALSE(Form12->Edit1->Enabled());
    EXPECT_FALSE(Form12->MaskEdit1->Enabled());
    EXPECT_TRUE(Form12->BitBtn1->Enabled());
    EXPECT_FALSE(Form12->BitBtn3->Enabled());

    Click(*Form12->BitBtn1);
    EXPECT_TRUE(LoggedOn());
    EXPECT_TRUE(ServiceQueries().empty());
    EXPECT_FALSE(Form1->Label3->Visible());
    EXPECT_FALSE(Form1->ListView1->MultiSelect());
    ExpectLogonInputsEnabled();

    // Back to service mode: the fields again, OK only with both filled.
    Click(*Form12->RadioButton1);
    EXPECT_TRUE(Form12->Edit1->Enabled());
    EXPECT_FALSE(Form12->BitBtn1->Enabled());
    EXPECT_TRUE(Form12->BitBtn3->Enabled());
}

TEST_F(Logon, AutomaticLogonAtStartPlaysTheStartupSound) {
    // A relative sound name lies in the program folder, not in the working folder.
    sounds_.AddFile(PathOf("zSMS-Startup.wav"), 2);
    WriteFile("zemblySMS.ini", "[zemblySMS 2.00]\r\nUsername=demo\r\nPassword=" +
                                   KelTextHandler::ScrambleText("demo") + "\r\n");
    RunStartUp();
    EXPECT_TRUE(LoggedOn());
    EXPECT_EQ(ServiceQueries(), std::vector<std::string>{"40,demo,demo"});
    EXPECT_EQ(sounds_.Played(), std::vector<std::string>{PathOf("zSMS-Startup.wav")});
}

TEST_F(Logon, StartupSoundOfOneMillisecondOrNoneIsSkipped) {
    sounds_.AddFile(PathOf("short.wav"), 1);
    WriteFile("zemblySMS.ini", "[zemblySMS 2.00]\r\nSound Startup=short.wav\r\n");
    RunStartUp();
    Click(*Form12->RadioButton2);
    Click(*Form12->BitBtn1);
    EXPECT_TRUE(LoggedOn());
    // Unopened players (the missing default sounds) are passed over as well.
    EXPECT_TRUE(sounds_.Played().empty());
    EXPECT_TRUE(dialogs_.Shown().empty());
}

}  // namespace
}  // namespace messengertest
