// Send pressed in the composer against the stand-in: the requests as the service receives them,
// the status as it stands at each request, the credits and the sounds, on both roads; polls that
// fail or go unanswered; and the tray menu and the settings dialog used in the middle of a poll.
#include <windows.h>

#include <functional>
#include <mutex>

#include "MessengerFixture.h"
#include "SendRoad.h"
#include "WindowDriver.h"
#include "bSource1.h"
#include "main.h"
#include "options.h"
#include "password.h"

namespace messengertest {
namespace {

using standin::Response;
using testing_support::Click;
using testing_support::Find;
using Texts = std::vector<std::string>;

const std::string kQueued1 = "1 message(s) queued successfully\n\r";

class Sending : public MessengerTest {
protected:
    void SetUp() override {
        MessengerTest::SetUp();
        WriteFile("contacts.con", "[zembly SMS contacts 2.00]\r\nAnn|111\r\nBob|222\r\nCy|333\r\n");
        sounds_.AddFile(PathOf("zSMS-Sent.wav"), 500);
        sounds_.AddFile(PathOf("zSMS-Fail.wav"), 500);
        RunStartUp();
    }
    void TearDown() override {
        messenger::SetSendClock(nullptr);
        bSource::ResetLimits();
        MessengerTest::TearDown();
    }

    void LogOn(bool gateway = false) {
        Form12->Edit1->SetText("demo");
        Form12->MaskEdit1->SetText("demo");
        if (gateway)
            Click(*Form12->RadioButton2);
        else
            StandIn().AnswerNext(Response::Text("1,250"));
        Click(*Form12->BitBtn1);
        TrayDoubleClick();
        ASSERT_TRUE(Form1->Visible());
    }

    // The service answers with `replies` in turn, the last one again and again; without any, as
    // the stand-in's own service would. Each request's query, and the status and marker as they
    // stood when it arrived, are kept; `during(i)` runs on the stand-in's thread at request i,
    // while the composer waits for the reply.
    void Script(std::vector<Response> replies, std::function<void(size_t)> during = {}) {
        StandIn().AnswerPath("/cgi-bin/userc.pl", [=](const standin::Request& request) {
            return Answer(request, replies, during);
        });
    }
    Response Answer(const standin::Request& request, const std::vector<Response>& replies,
                    const std::function<void(size_t)>& during) {
        std::lock_guard<std::mutex> lock(mutex_);
        const size_t i = queries_.size();
        queries_.push_back(request.query);
        statuses_.push_back(Form1->Label7->Caption());
        markerTops_.push_back(Form1->RxGIF->Top());
        if (during) during(i);
        if (replies.empty()) return Response::Text(StandIn().Service().Answer(request.query));
        return replies[std::min(i, replies.size() - 1)];
    }

    // The To: text as the selection would build it, the sender and the message; then Send.
    void Send(const std::string& to, const std::string& message = "Hi",
              const std::string& signature = "") {
        Form2->Edit4->SetText(signature);
        Form1->Label5->SetCaption(to);
        Form1->ComboBox1->SetText("Me");
        Form1->Memo1->SetText(message);
        // A memo reports no change for text set from code; a key released in it runs the rule.
        testing_support::KeyUp(*Form1->Memo1, VK_END);
        ASSERT_TRUE(Form1->BitBtn7->Enabled());
        sounds_played_before_ = sounds_.Played().size();
        Click(*Form1->BitBtn7);
    }

    Texts SoundsPlayed() const {
        return Texts(sounds_.Played().begin() + sounds_played_before_, sounds_.Played().end());
    }
    std::string Sent() const { return PathOf("zSMS-Sent.wav"); }
    std::string Failed() const { return PathOf("zSMS-Fail.wav"); }
    std::string Status() const { return Form1->Label7->Caption(); }

    void ExpectInputsBack() {
        EXPECT_TRUE(Form1->ComboBox1->Enabled());
        EXPECT_TRUE(Form1->Memo1->Enabled());
        EXPECT_TRUE(Form1->ListView1->Enabled());
        EXPECT_TRUE(Form1->BitBtn7->Enabled());
        EXPECT_FALSE(Form1->RxGIF->Visible());
        EXPECT_TRUE(Form1->Label7->Visible());
    }

    // A tray menu item's command, posted as a click on it would (safe from any thread).
    std::function<void()> TrayCommand(const char* item) {
        gui::TMenuItem& chosen = Find<gui::TMenuItem>(*Form12, item);
        HWND window = chosen.GetParentMenu()->Window();
        const UINT command = chosen.Command();
        return [window, command] { PostMessageA(window, WM_COMMAND, command, 0); };
    }

    std::mutex mutex_;
    Texts queries_, statuses_;
    std::vector<int> markerTops_;
    size_t sounds_played_before_ = 0;
};

TEST_F(Sending, OneRecipientPolledToTheEnd) {
    LogOn();
    Script(
        {Response::Text("Success,a,b"), Response::Text("100,0,1,0"), Response::Text("99,0,0,1")});
    Send("Ann", "Hi, you\r\nthere", "[me]");

    EXPECT_EQ(queries_, (Texts{"30,demo,demo,Me,111;,Hi%2C%20you%0Athere%0A[me]", "31,demo,a,b",
                               "31,demo,0,1"}));
    EXPECT_EQ(statuses_, (Texts{"Submit message(s)...", kQueued1 + "0 message(s) pending...",
                                kQueued1 + "1 message(s) pending..."}));
    EXPECT_EQ(markerTops_, (std::vector<int>{311, 325, 325}));
    EXPECT_EQ(Status(), kQueued1 + "0 message(s) pending\n\r1 message(s) sent,  0 failed.");
    EXPECT_EQ(Form1->RxGIF->Top(), 339);
    EXPECT_EQ(Form1->Label3->Caption(), "99 Credit(s)");
    EXPECT_EQ(SoundsPlayed(), Texts{Sent()});
    ExpectInputsBack();
}

TEST_F(Sending, EveryCharacterArrivesAndUnmatchedNamesAreNamed) {
    LogOn();
    StandIn().Service().AddAccount("demo", "demo", 100);
    Script({});
    const std::string typed = "100% & #1 + a,b %20\r\nnext\rCR\nLF\t\xA3";
    Send("Ann;  Dee;  Bob;  Cy", typed);

    const auto messages = StandIn().Service().Messages();
    ASSERT_EQ(messages.size(), 3u);
    Texts numbers;
    for (const auto& message : messages) {
        numbers.push_back(message.number);
        EXPECT_EQ(message.text, "100% & #1 + a,b %20\nnext\rCR\nLF\t\xA3");
    }
    EXPECT_EQ(numbers, (Texts{"111", "222", "333"}));
    const std::string note = "\n\rNo contact found for: Dee";
    EXPECT_EQ(statuses_.at(1),
              "3 message(s) queued successfully\n\r2 message(s) pending..." + note);
    EXPECT_EQ(Status(),
              "3 message(s) queued successfully\n\r0 message(s) pending\n\r3 message(s) sent,  0 "
              "failed." +
                  note);
    EXPECT_EQ(Form1->Label3->Caption(), "97 Credit(s)");
    EXPECT_EQ(SoundsPlayed(), Texts{Sent()});
}

TEST_F(Sending, RefusalsAndNamesWithoutContacts) {
    LogOn();
    const struct {
        Response reply;
        const char* status;
        Texts sounds;
    } cases[] = {
        {Response::Text("Error,0"), "2 message(s) failed, Error,0", {}},
        {Response::Text("Error,3"), "2 message(s) failed, Error,3", {Failed()}},
        {Response::Status(500), "2 message(s) failed, failed", {Failed()}},
    };
    for (const auto& c : cases) {
        queries_.clear();
        Script({c.reply});
        Send("Ann;  Bob");
        EXPECT_EQ(Status(), c.status);
        EXPECT_EQ(SoundsPlayed(), c.sounds) << c.status;
        EXPECT_EQ(queries_.size(), 1u) << "no poll after a refusal";
        ExpectInputsBack();
    }

    queries_.clear();
    Send("Dee;  Eve");
    EXPECT_TRUE(queries_.empty());
    EXPECT_EQ(Status(), "No message(s) sent.\n\rNo contact found for: Dee, Eve");
    EXPECT_EQ(SoundsPlayed(), Texts{});
    ExpectInputsBack();
}

TEST_F(Sending, GatewayTemplateFilledAndItsReplyJudged) {
    LogOn(true);
    Form2->ComboBox1->SetText("http://");
    Form2->Edit1->SetText(
        StandIn().Host() +
        "/send?user=%USERNAME%&pass=%Password%&from=%from%&to=%TO%&msg=%message%");
    Form2->Edit2->SetText("gw user");
    Form2->MaskEdit1->SetText("p&w%to%");
    const struct {
        const char* answer;
        bool sent;
    } cases[] = {
        {"Message SENT", true}, {"0 delivered", true}, {"OK", false}, {"Message not sent", false}};
    for (const auto& c : cases) {
        StandIn().Gateway().SetAnswer(c.answer);
        Send("Bob", "1+1, done", "[me]");
        EXPECT_EQ(Status(), c.answer);
        EXPECT_EQ(SoundsPlayed(), Texts{c.sent ? Sent() : Failed()}) << c.answer;
        ExpectInputsBack();
    }
    const auto request = StandIn().Gateway().Requests().back();
    EXPECT_EQ(request.at("user"), "gw user");
    EXPECT_EQ(request.at("pass"), "p&w%to%");
    EXPECT_EQ(request.at("from"), "Me");
    EXPECT_EQ(request.at("to"), "222;");
    EXPECT_EQ(request.at("msg"), "1+1, done\n[me]");
    EXPECT_EQ(ServiceQueries(), Texts{});
}

TEST_F(Sending, TwentyFailedPollsEndWithTheLastKnownCounts) {
    LogOn();
    std::vector<Response> replies{Response::Text("Success,1,1"), Response::Text("100,1,2,0"),
                                  Response::Text("100,1,busy,0")};
    replies.push_back(Response::Status(500));
    Script(replies);
    Send("Ann");

    ASSERT_EQ(queries_.size(), 22u);  // the submit, one good poll and twenty failed ones
    EXPECT_EQ(queries_.back(), "31,demo,1,2");
    EXPECT_EQ(Status(), kQueued1 +
                            "2 message(s) pending\n\r0 message(s) sent,  1 failed.\n\r"
                            "The final status is unknown.");
    EXPECT_EQ(Form1->Label3->Caption(), "250 Credit(s)");
    EXPECT_EQ(SoundsPlayed(), Texts{Failed()});
    ExpectInputsBack();
}

TEST_F(Sending, AServiceThatStopsAnsweringEndsThePollAfterFifteenMinutes) {
    LogOn();
    net::HttpLimits limits;
    limits.idleMs = 300;
    bSource::SetLimits(limits);
    // Each reading of the clock is eight minutes after the one before.
    uint64_t now = 0;
    messenger::SetSendClock([&now] { return now += 8 * 60 * 1000; });
    Script({Response::Text("Success,1,1"), Response::Text("100,0,1,0"), Response::Silent()});
    Send("Ann");

    EXPECT_EQ(queries_.size(), 3u);
    EXPECT_EQ(Status(), kQueued1 +
                            "1 message(s) pending\n\r0 message(s) sent,  0 "
                            "failed.\n\rThe final status is unknown.");
    EXPECT_EQ(SoundsPlayed(), Texts{Failed()});
    ExpectInputsBack();
}

TEST_F(Sending, ExitDuringAPollEndsTheProgramWithTheSettingsWritten) {
    EXPECT_EXIT(
        {
            gui::SetProcessEnder(nullptr);
            LogOn();
            const auto exit = TrayCommand("Exit2");
            Script({Response::Text("Success,1,1"), Response::Text("100,0,1,0")}, [exit](size_t i) {
                if (i == 1) exit();
            });
            Send("Ann");
            // Only the end of the process may stop the poll (abort would wait on its box).
            ExitProcess(1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_NE(ReadFile("zemblySMS.ini").find("\r\nFrom Last=Me\r\n"), std::string::npos);
}

TEST_F(Sending, LogOffAndCancelDuringAPollLeaveTheSendToEnd) {
    LogOn();
    WriteFile("zemblySMS.ini", "[zemblySMS 2.00]\r\nUsername=other\r\n");
    Form2->Show();
    const auto logOff = TrayCommand("LogOff1");
    HWND cancel = Form2->BitBtn2->Handle();
    Script({Response::Text("Success,1,1"), Response::Text("100,0,1,0"), Response::Text("99,0,0,1")},
           [&](size_t i) {
               if (i == 1) {
                   PostMessageA(cancel, BM_CLICK, 0, 0);
                   logOff();
               }
           });
    Send("Ann");

    // The settings read between the polls gave the second poll its user.
    EXPECT_EQ(queries_, (Texts{"30,demo,demo,Me,111;,Hi", "31,demo,1,1", "31,other,0,1"}));
    EXPECT_FALSE(Form2->Visible());
    EXPECT_FALSE(Form1->Visible());
    EXPECT_TRUE(Form12->Visible());
    EXPECT_EQ(Status(), kQueued1 + "0 message(s) pending\n\r1 message(s) sent,  0 failed.");
    EXPECT_EQ(SoundsPlayed(), Texts{Sent()});
    ExpectInputsBack();
}

}  // namespace
}  // namespace messengertest
