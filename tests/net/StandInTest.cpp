#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "StandIn.h"
#include "StandInTestClient.h"

extern char** environ;

namespace {

using standin::AccountService;
using standin::Response;
using standin_test::RawGet;
using Clock = std::chrono::steady_clock;

long MillisecondsSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

TEST(AccountServiceLogic, LogonChecksNameAndPassword) {
    AccountService service;
    EXPECT_EQ("1,100", service.Answer("40,demo,demo"));
    EXPECT_EQ('0', service.Answer("40,demo,wrong")[0]);
    EXPECT_EQ('0', service.Answer("40,nobody,demo")[0]);
    EXPECT_EQ('0', service.Answer("40,demo")[0]);
    service.AddAccount("a,b", "p w", 7);
    EXPECT_EQ("1,7", service.Answer("40,a%2Cb,p%20w"));
    // A raw comma shifts the fields, as it would at the real service.
    EXPECT_EQ('0', service.Answer("40,a,b,p%20w")[0]);
}

TEST(AccountServiceLogic, SubmittedMessagesMoveTowardsSentPollByPoll) {
    AccountService service;
    EXPECT_EQ("Success,1,2", service.Answer("30,demo,demo,Me,111;222;,Hi%2C%20you"));
    EXPECT_EQ(98, service.Credits("demo"));
    const auto messages = service.Messages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ("222", messages[1].number);
    EXPECT_EQ("Me", messages[1].sender);
    EXPECT_EQ("Hi, you", messages[1].text);

    EXPECT_EQ("98,0,1,1", service.Answer("31,demo,1,2"));
    EXPECT_EQ("98,0,0,2", service.Answer("31,demo,0,1"));
    EXPECT_EQ("98,0,0,2", service.Answer("31,demo,0,0"));

    // A new round starts its counts afresh; an undeliverable number fails and is refunded.
    service.SetMessagesPerPoll(5);
    EXPECT_EQ("Success,2,2", service.Answer("30,demo,demo,Me,333;x;,m"));
    EXPECT_EQ("97,1,0,1", service.Answer("31,demo,2,2"));
}

TEST(AccountServiceLogic, RefusalsCarryTheFailedCountInFieldOne) {
    AccountService service;
    service.AddAccount("poor", "pw", 1);
    EXPECT_EQ("Error,0,Invalid user name or password", service.Answer("30,demo,bad,Me,1;,m"));
    EXPECT_EQ("Error,0,No recipients", service.Answer("30,demo,demo,Me,,m"));
    EXPECT_EQ("Error,2,Not enough credits", service.Answer("30,poor,pw,Me,111;222;,m"));
    EXPECT_EQ(1, service.Credits("poor"));
    EXPECT_EQ("Error,0,Unknown user", service.Answer("31,ghost,1,1"));
    EXPECT_EQ("Error,0,Unknown command", service.Answer("99,x"));
    EXPECT_EQ("Error,0,Unknown command", service.Answer(""));
}

TEST(AccountServiceLogic, ReleaseAndFeedback) {
    AccountService service;
    EXPECT_EQ("ZemblySMS v2.00", service.Answer("42,364"));
    service.SetRelease("ZemblySMS v2.10");
    EXPECT_EQ("ZemblySMS v2.10", service.Answer("42,364"));

    EXPECT_EQ("Thank you for your feedback", service.Answer("71,7|zemblySMS|Nice%0D<br>%0ABye|x"));
    const auto feedback = service.FeedbackReceived();
    ASSERT_EQ(1u, feedback.size());
    EXPECT_EQ("7", feedback[0].id);
    EXPECT_EQ("zemblySMS", feedback[0].product);
    EXPECT_EQ("Nice\r<br>\nBye|x", feedback[0].text);
}

TEST(GatewayLogic, TemplateParametersAreDecoded) {
    standin::GatewayStandIn gateway;
    EXPECT_EQ("127.0.0.1:9/send?user=%username%&pass=%password%&from=%from%&to=%to%&msg=%message%",
              standin::GatewayStandIn::TemplateFor("127.0.0.1:9"));
    EXPECT_EQ("Message sent", gateway.Answer("user=u&pass=p&from=Me&to=111;&msg=Hi%2C%20you+x"));
    EXPECT_EQ("Error: no recipient", gateway.Answer("user=u&pass=p&from=Me&to=&msg=m"));
    gateway.SetAnswer("OK 1 delivered");
    EXPECT_EQ("OK 1 delivered", gateway.Answer("to=1"));
    const auto requests = gateway.Requests();
    ASSERT_EQ(3u, requests.size());
    EXPECT_EQ("Hi, you x", requests[0].at("msg"));
    EXPECT_EQ("111;", requests[0].at("to"));
}

class StandInServer : public ::testing::Test {
protected:
    void SetUp() override { port_ = standIn_.Start(); }
    standin::StandIn standIn_;
    int port_ = 0;
};

TEST_F(StandInServer, AnswersTheServiceAndLogsRawRequestLines) {
    const auto reply = RawGet(port_, "/cgi-bin/userc.pl?40,demo,demo");
    EXPECT_EQ(200, reply.status);
    EXPECT_EQ("1,100", reply.body);
    EXPECT_NE(std::string::npos, reply.data.find("Content-Length: 5\r\n"));
    EXPECT_EQ("1,250", standin::PercentDecode("1%2C250"));

    RawGet(port_, "/send?to=1&msg=a%20b");
    RawGet(port_, "/nowhere");
    const auto lines = standIn_.RequestLines();
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("GET /cgi-bin/userc.pl?40,demo,demo HTTP/1.1", lines[0]);
    EXPECT_EQ("GET /send?to=1&msg=a%20b HTTP/1.1", lines[1]);
    EXPECT_EQ(404, RawGet(port_, "/nowhere").status);
    EXPECT_EQ(200, RawGet(port_, "/setup.htm").status);
    EXPECT_NE(std::string::npos, RawGet(port_, "/uninstall.htm").body.find("<body>"));
}

TEST_F(StandInServer, CannedAnswersComeFirstAndRunOut) {
    standIn_.AnswerNext(Response::Status(500), 2);
    standIn_.AnswerPath("/page", Response::Text("page text"));
    EXPECT_EQ(500, RawGet(port_, "/cgi-bin/userc.pl?42,364").status);
    EXPECT_EQ(500, RawGet(port_, "/page").status);
    EXPECT_EQ("ZemblySMS v2.00", RawGet(port_, "/cgi-bin/userc.pl?42,364").body);
    EXPECT_EQ("page text", RawGet(port_, "/page?any").body);

    auto redirect = RawGet(port_, "/x", 2000);
    EXPECT_EQ(404, redirect.status);
    standIn_.AnswerNext(Response::Redirect(302, "/page"));
    redirect = RawGet(port_, "/x");
    EXPECT_EQ(302, redirect.status);
    EXPECT_NE(std::string::npos, redirect.data.find("Location: /page\r\n"));
    standIn_.ClearAnswers();
    EXPECT_EQ(404, RawGet(port_, "/page").status);
}

TEST_F(StandInServer, ADroppedConnectionClosesWithoutAWord) {
    standIn_.AnswerNext(Response::Dropped());
    const auto reply = RawGet(port_, "/cgi-bin/userc.pl?40,demo,demo");
    EXPECT_TRUE(reply.connected);
    EXPECT_TRUE(reply.closed);
    EXPECT_EQ("", reply.data);
    EXPECT_EQ(1u, standIn_.RequestLines().size());
}

TEST_F(StandInServer, SilenceLastsUntilStop) {
    standIn_.AnswerNext(Response::Silent());
    std::thread stopper([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        standIn_.Stop();
    });
    const auto start = Clock::now();
    const auto reply = RawGet(port_, "/anything", 10000);
    const long elapsed = MillisecondsSince(start);
    stopper.join();
    EXPECT_EQ("", reply.data);
    EXPECT_TRUE(reply.closed);
    EXPECT_GE(elapsed, 500);
    EXPECT_LT(elapsed, 5000);
}

TEST_F(StandInServer, BodiesCanArriveInTimedPiecesOrNeverFinish) {
    Response slow = Response::Html("<html><body>first");
    slow.body.push_back({400, " second</body></html>"});
    standIn_.AnswerNext(slow);
    auto early = RawGet(port_, "/slow", 200);
    EXPECT_NE(std::string::npos, early.data.find("Content-Length: 38\r\n"));
    EXPECT_EQ("<html><body>first", early.body);
    EXPECT_FALSE(early.closed);

    standIn_.AnswerNext(slow);
    EXPECT_EQ("<html><body>first second</body></html>", RawGet(port_, "/slow", 3000).body);

    Response endless = Response::Html("<html><body>partial");
    endless.holdOpen = true;
    endless.declareLength = false;
    standIn_.AnswerNext(endless);
    const auto held = RawGet(port_, "/endless", 700);
    EXPECT_EQ("<html><body>partial", held.body);
    EXPECT_FALSE(held.closed);
    EXPECT_EQ(std::string::npos, held.data.find("Content-Length"));
}

TEST_F(StandInServer, MisbehavioursGoOnTheWireAsAsked) {
    standIn_.AnswerNext(Response::CutShort("250,0,0", 10));
    auto reply = RawGet(port_, "/short");
    EXPECT_NE(std::string::npos, reply.data.find("Content-Length: 10\r\n"));
    EXPECT_EQ("250,0,0", reply.body);
    EXPECT_TRUE(reply.closed);

    standIn_.AnswerNext(Response::CutChunked({"250,0,0", "7,3"}));
    reply = RawGet(port_, "/chunks");
    EXPECT_NE(std::string::npos, reply.data.find("Transfer-Encoding: chunked\r\n"));
    EXPECT_EQ(std::string::npos, reply.data.find("Content-Length"));
    EXPECT_EQ("7\r\n250,0,0\r\n3\r\n7,3\r\n", reply.body);
    EXPECT_TRUE(reply.closed);

    standIn_.AnswerPath("/slow", Response::SlowHead(3, 150));
    reply = RawGet(port_, "/slow", 400);
    EXPECT_EQ(0u, reply.data.find("HTTP/1.1 200 OK\r\n"));
    EXPECT_EQ(std::string::npos, reply.data.find("\r\n\r\n"));
    reply = RawGet(port_, "/slow");
    EXPECT_EQ("slow", reply.body);
}

TEST_F(StandInServer, CountsTheConnectionsTheClientHoldsOpen) {
    standIn_.AnswerNext(Response::Unfinished("<html><body>partial"));
    standin::Socket client = standin::Socket::ConnectLoopback(port_);
    client.SendAll("GET /held HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    const auto start = Clock::now();
    while (standIn_.RequestLines().empty() && MillisecondsSince(start) < 3000)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(1, standIn_.OpenConnections());
    client.Close();
    // At once, not when the server's thread gets round to it.
    EXPECT_EQ(0, standIn_.OpenConnections());
}

TEST(StandInServerLifetime, StopEndsHeldConnectionsAndFreesThePort) {
    auto standIn = std::make_unique<standin::StandIn>();
    const int port = standIn->Start();
    Response endless = Response::Html("x");
    endless.holdOpen = true;
    standIn->AnswerNext(endless);
    std::thread client([port] { RawGet(port, "/held", 10000); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto start = Clock::now();
    standIn.reset();
    EXPECT_LT(MillisecondsSince(start), 3000);
    client.join();
    EXPECT_FALSE(RawGet(port, "/", 500).connected);
}

// The run command starts the program and reads its port from the first line of its output.
TEST(StandInProgram, PrintsItsPortAndServesUntilTerminated) {
    int out[2];
    ASSERT_EQ(0, pipe(out));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const char* argv[] = {
        ZEMBLY_STANDIN_PROGRAM, "--release", "ZemblySMS v9.99", "--account", "ann:pw:5", nullptr};
    pid_t pid = 0;
    ASSERT_EQ(0, posix_spawn(&pid, ZEMBLY_STANDIN_PROGRAM, &actions, nullptr,
                             const_cast<char* const*>(argv), environ));
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);

    FILE* output = fdopen(out[0], "r");
    char line[32] = {};
    ASSERT_NE(nullptr, fgets(line, sizeof line, output));
    const int port = std::atoi(line);
    EXPECT_GT(port, 0);
    EXPECT_EQ("ZemblySMS v9.99", RawGet(port, "/cgi-bin/userc.pl?42,364").body);
    EXPECT_EQ("1,5", RawGet(port, "/cgi-bin/userc.pl?40,ann,pw").body);
    EXPECT_EQ('0', RawGet(port, "/cgi-bin/userc.pl?40,demo,demo").body[0]);

    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    fclose(output);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status));
}

TEST(StandInProgram, RefusesBadOptions) {
    const char* argv[] = {ZEMBLY_STANDIN_PROGRAM, "--account", "nocolons", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    ASSERT_EQ(0, posix_spawn(&pid, ZEMBLY_STANDIN_PROGRAM, &actions, nullptr,
                             const_cast<char* const*>(argv), environ));
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(2, WEXITSTATUS(status));
}

}  // namespace
