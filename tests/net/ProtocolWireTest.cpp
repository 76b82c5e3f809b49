// The account service commands as they go over the wire: addresses built for the configured
// host, fetched on the road each caller uses, read back from the stand-in.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "AccountServiceProtocol.h"
#include "FetchTestSupport.h"
#include "ServiceHost.h"
#include "TextToolkit.h"

namespace {

using fetch_test::FetchTest;
using standin::Response;

class ProtocolWireTest : public FetchTest {
protected:
    void SetUp() override {
        FetchTest::SetUp();
        _putenv_s("ZEMBLY_SERVICE_HOST", standIn_.Host().c_str());
    }
    void TearDown() override {
        _putenv_s("ZEMBLY_SERVICE_HOST", "");
        FetchTest::TearDown();
    }

    // The messenger's road: HTTP client, mode 1.
    std::string Send(const std::string& address) { return source_.FetchUrl(address, 1, true); }
    std::string LastLine() const {
        const auto lines = standIn_.RequestLines();
        return lines.empty() ? "" : lines.back();
    }

    AccountServiceProtocol protocol_;  // takes the host from the environment at SetUp time
};

TEST_F(ProtocolWireTest, TheHostComesFromTheEnvironment) {
    EXPECT_EQ(standIn_.Host(), service::ServiceHost());
    EXPECT_EQ(standIn_.Host(), AccountServiceProtocol().Host());
}

TEST_F(ProtocolWireTest, LogonSubmitAndPollUntilNothingIsPending) {
    const AccountServiceProtocol protocol;
    const std::string logon = Send(protocol.CheckLogonAddress("demo", "demo"));
    EXPECT_EQ("GET /cgi-bin/userc.pl?40,demo,demo HTTP/1.1", LastLine());
    EXPECT_TRUE(AccountServiceProtocol::LogonAccepted(logon));
    EXPECT_EQ("100 Credit(s)", AccountServiceProtocol::CreditText(logon));

    std::string reply = Send(
        protocol.SubmitMessagesAddress("demo", "demo", "Jane", "111;222;", "Hi%2C%20you%0Athere"));
    EXPECT_EQ("GET /cgi-bin/userc.pl?30,demo,demo,Jane,111;222;,Hi%2C%20you%0Athere HTTP/1.1",
              LastLine());
    ASSERT_TRUE(AccountServiceProtocol::MessagesQueued(reply)) << reply;
    EXPECT_EQ("Hi, you\nthere", standIn_.Service().Messages().at(0).text);

    int polls = 0;
    do {
        reply =
            Send(protocol.PollStatusAddress("demo", AccountServiceProtocol::ReplyField(reply, 1),
                                            AccountServiceProtocol::ReplyField(reply, 2)));
        ASSERT_LT(++polls, 10);
    } while (!AccountServiceProtocol::PollFinished(reply));
    // The first poll carries fields 1 and 2 of the submit's reply, the next those of the poll.
    EXPECT_EQ("GET /cgi-bin/userc.pl?31,demo,1,2 HTTP/1.1", standIn_.RequestLines().at(2));
    EXPECT_EQ("GET /cgi-bin/userc.pl?31,demo,0,1 HTTP/1.1", LastLine());
    const auto status = AccountServiceProtocol::ReadStatus(reply);
    EXPECT_EQ("98", status.credits);
    EXPECT_EQ("0", status.failed);
    EXPECT_EQ("2", status.sent);
}

TEST_F(ProtocolWireTest, ACommaInAUserNameNoLongerShiftsThePassword) {
    standIn_.Service().AddAccount("smith,john", "p&w #1", 7);
    const std::string reply =
        Send(AccountServiceProtocol().CheckLogonAddress("smith,john", "p&w #1"));
    EXPECT_EQ("GET /cgi-bin/userc.pl?40,smith%2Cjohn,p%26w%20%231 HTTP/1.1", LastLine());
    EXPECT_EQ("1,7", reply);
}

TEST_F(ProtocolWireTest, EveryFieldOfASubmitSurvivesItsSpecialCharacters) {
    const std::string sender = "Ann & Bob, Inc. #1 +100%";
    const std::string numbers = "+44 111;222;";
    const std::string reply =
        Send(AccountServiceProtocol().SubmitMessagesAddress("demo", "demo", sender, numbers, "x"));
    ASSERT_TRUE(AccountServiceProtocol::MessagesQueued(reply)) << reply;
    const auto messages = standIn_.Service().Messages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ(sender, messages[0].sender);
    EXPECT_EQ("+44 111", messages[0].number);
}

TEST_F(ProtocolWireTest, ReleaseCheckReadsTheWholeReply) {
    standIn_.Service().SetRelease("ZemblySMS v2.10");
    EXPECT_EQ("ZemblySMS v2.10", Send(AccountServiceProtocol().LatestReleaseAddress("364")));
    EXPECT_EQ("GET /cgi-bin/userc.pl?42,364 HTTP/1.1", LastLine());
}

TEST_F(ProtocolWireTest, RepliesAreReadAfterTheBreakConversion) {
    standIn_.AnswerNext(Response::Text("1,250<br>Welcome back"));
    const std::string reply = Send(AccountServiceProtocol().CheckLogonAddress("demo", "demo"));
    EXPECT_EQ("1,250\nWelcome back", reply);
    EXPECT_EQ("250\nWelcome back Credit(s)", AccountServiceProtocol::CreditText(reply));

    standIn_.AnswerNext(Response::Status(500));
    const std::string failed = Send(AccountServiceProtocol().CheckLogonAddress("demo", "demo"));
    EXPECT_EQ("failed", failed);
    EXPECT_FALSE(AccountServiceProtocol::LogonAccepted(failed));
    EXPECT_FALSE(AccountServiceProtocol::MessagesQueued(failed));
    EXPECT_NE("0", AccountServiceProtocol::ReplyField(failed, 1));
}

TEST_F(ProtocolWireTest, FeedbackGoesThroughTheBrowserRoadWithItsBreakMarks) {
    const std::string address = AccountServiceProtocol().SendFeedbackAddress(
        "7", "zemblySMS", AccountServiceProtocol::FeedbackText("Nice\r\nBye"));
    EXPECT_EQ("Thank you for your feedback", source_.FetchUrl(address, 1, false));
    EXPECT_EQ("GET /cgi-bin/userc.pl?71,7|zemblySMS|Nice%0D<br>%0ABye HTTP/1.1", LastLine());
    const auto feedback = standIn_.Service().FeedbackReceived();
    ASSERT_EQ(1u, feedback.size());
    EXPECT_EQ("Nice\r<br>\nBye", feedback[0].text);
}

TEST_F(ProtocolWireTest, TheGatewayAnswersAFilledTemplate) {
    std::string address = "http://" + standin::GatewayStandIn::TemplateFor(standIn_.Host());
    address = text::ReplaceAllOf(address, "%username%", "gw");
    address = text::ReplaceAllOf(address, "%password%", "pw");
    address = text::ReplaceAllOf(address, "%from%", "Jane");
    address = text::ReplaceAllOf(address, "%to%", "111;");
    address = text::ReplaceAllOf(address, "%message%", "Hi%2C%20you");
    EXPECT_EQ("Message sent", Send(address));
    const auto requests = standIn_.Gateway().Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("Hi, you", requests[0].at("msg"));
    EXPECT_EQ("111;", requests[0].at("to"));
}

}  // namespace
