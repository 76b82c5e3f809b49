#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "FetchTestSupport.h"
#include "HttpTransport.h"
#include "SharedClasses.h"

namespace {

using fetch_test::Clock;
using fetch_test::FetchTest;
using fetch_test::MillisecondsSince;
using standin::Response;

TEST(bSourceClass, FormDescriptionsCanCreateIt) {
    RegisterSharedClasses();
    std::unique_ptr<gui::TComponent> owner(new gui::TComponent(nullptr));
    gui::TComponent* created = gui::ClassRegistry::Create("bSource", owner.get());
    ASSERT_NE(nullptr, dynamic_cast<bSource*>(created));
    EXPECT_EQ(owner.get(), created->Owner());
}

TEST_F(FetchTest, ModeOneTurnsEveryBreakMarkIntoALineFeed) {
    standIn_.AnswerPath("/br", Response::Text("a<br>b<BR>c<Br>d<br/>e<br />f<bR>"));
    EXPECT_EQ("a\nb\nc\nd<br/>e<br />f\n", Http("/br", 1));
    EXPECT_EQ("a<br>b<BR>c<Br>d<br/>e<br />f<bR>", Http("/br", 0));
    EXPECT_EQ("a<br>b<BR>c<Br>d<br/>e<br />f<bR>", Http("/br", 2));
}

TEST_F(FetchTest, TheBodyComesBackByteForByte) {
    const std::string bytes("\x00\x01\r\n\x80\xFF end", 9);
    standIn_.AnswerPath("/bin", Response::Text(bytes, "application/octet-stream"));
    EXPECT_EQ(bytes, Http("/bin", 0));
    standIn_.AnswerPath("/empty", Response::Text(""));
    EXPECT_EQ("", Http("/empty"));
}

TEST_F(FetchTest, OnlyASuccessStatusCounts) {
    standIn_.AnswerPath("/404", Response::Status(404, "not here<br>"));
    standIn_.AnswerPath("/500", Response::Status(500, "broken"));
    EXPECT_EQ("failed", Http("/404"));
    EXPECT_EQ("failed", Http("/500"));
    EXPECT_EQ("failed", Http("/500", 0));
}

TEST_F(FetchTest, RedirectsAreFollowedToTheFinalPage) {
    standIn_.AnswerPath("/final", Response::Text("landed<br>here"));
    standIn_.AnswerPath("/moved", Response::Redirect(302, "/final"));
    standIn_.AnswerPath("/absolute", Response::Redirect(301, Url("/moved")));
    standIn_.AnswerPath("/other", Response::Redirect(303, "/final"));
    standIn_.AnswerPath("/temporary", Response::Redirect(307, "/final"));
    standIn_.AnswerPath("/permanent", Response::Redirect(308, "dir/../final?x#frag"));
    EXPECT_EQ("landed\nhere", Http("/moved"));
    EXPECT_EQ("landed\nhere", Http("/absolute"));
    EXPECT_EQ("landed\nhere", Http("/other"));
    EXPECT_EQ("landed\nhere", Http("/temporary"));
    EXPECT_EQ("landed\nhere", Http("/permanent"));
    EXPECT_EQ("GET /final?x HTTP/1.1", standIn_.RequestLines().back());
    standIn_.AnswerPath("/gone", Response::Redirect(302, "/404"));
    EXPECT_EQ("failed", Http("/gone"));

    // A "#" the caller put into the path is sent as data, and a relative Location resolves
    // against the path as it was asked for, not against what stands before the "#".
    standIn_.AnswerPath("/list%232/page", [](const standin::Request& request) {
        return request.query == "next" ? Response::Text("page two")
                                       : Response::Redirect(302, "?next");
    });
    EXPECT_EQ("page two", Http("/list#2/page"));
    EXPECT_EQ("GET /list%232/page?next HTTP/1.1", standIn_.RequestLines().back());
}

TEST_F(FetchTest, ARedirectMayLeadToAnotherHostOverHttpOrHttpsOnly) {
    standin::StandIn other;
    other.Start();
    other.AnswerPath("/there", [](const standin::Request& request) {
        return Response::Text("at " + request.Header("Host"));
    });
    standIn_.AnswerPath("/away", Response::Redirect(302, other.Url("/there")));
    standIn_.AnswerPath("/near", Response::Redirect(301, "//" + other.Host() + "/there"));
    standIn_.AnswerPath("/ftp", Response::Redirect(302, "ftp://" + other.Host() + "/there"));
    // The other host speaks no TLS, so a client that followed in plain would land.
    standIn_.AnswerPath("/secure", Response::Redirect(302, "https://" + other.Host() + "/there"));
    EXPECT_EQ("at " + other.Host(), Http("/away"));
    EXPECT_EQ("at " + other.Host(), Http("/near"));
    EXPECT_EQ("failed", Http("/ftp"));
    EXPECT_EQ("failed", Http("/secure"));
    EXPECT_EQ(2u, other.RequestLines().size());
}

TEST_F(FetchTest, ARedirectLoopEndsInFailureWithinTheBound) {
    standIn_.AnswerPath("/loop", Response::Redirect(302, "/loop"));
    EXPECT_EQ("failed", Http("/loop"));
    // The first request and fifteen redirects followed in a row; the sixteenth is not.
    EXPECT_EQ(16u, standIn_.RequestLines().size());

    // Fifteen in a row are still followed.
    for (int i = 0; i < 15; ++i) {
        standIn_.AnswerPath("/hop" + std::to_string(i),
                            Response::Redirect(302, "/hop" + std::to_string(i + 1)));
    }
    standIn_.AnswerPath("/hop15", Response::Text("arrived"));
    EXPECT_EQ("arrived", Http("/hop0"));
}

TEST_F(FetchTest, UnreachableAndUnservableAddressesFail) {
    standin::StandIn closed;
    const int closedPort = closed.Start();
    closed.Stop();
    const auto start = Clock::now();
    EXPECT_EQ("failed",
              source_.FetchUrl("http://127.0.0.1:" + std::to_string(closedPort) + "/", 1, true));
    EXPECT_LT(MillisecondsSince(start), 9000);

    for (const char* bad : {"", "www.example.com/x", "ftp://127.0.0.1/x", "http://", "http://a b/",
                            "http://user:pw@127.0.0.1/"}) {
        EXPECT_EQ("failed", source_.FetchUrl(bad, 1, true)) << bad;
    }
}

TEST_F(FetchTest, ADroppedConnectionFails) {
    standIn_.AnswerNext(Response::Dropped());
    EXPECT_EQ("failed", Http("/cgi-bin/userc.pl?40,demo,demo"));
}

TEST_F(FetchTest, HttpsIsSpokenWithTlsAndFailsAgainstAPlainServer) {
    const auto start = Clock::now();
    EXPECT_EQ("failed", source_.FetchUrl("https://" + standIn_.Host() + "/x", 1, true));
    EXPECT_LT(MillisecondsSince(start), 9000);
    // Nothing readable arrived as HTTP: the client spoke TLS.
    EXPECT_TRUE(standIn_.RequestLines().empty());
}

TEST_F(FetchTest, TheSameAddressTwiceGetsTwoFreshAnswers) {
    std::atomic<int> count{0};
    standIn_.AnswerPath("/poll", [&count](const standin::Request&) {
        return Response::Text("answer " + std::to_string(++count));
    });
    EXPECT_EQ("answer 1", Http("/poll?31,demo,0,1"));
    EXPECT_EQ("answer 2", Http("/poll?31,demo,0,1"));
    const auto lines = standIn_.RequestLines();
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(lines[0], lines[1]);
}

TEST_F(FetchTest, NoCacheIsConsultedOnTheWay) {
    standIn_.AnswerPath("/headers", [](const standin::Request& request) {
        return Response::Text(request.Header("Cache-Control") + "|" + request.Header("Pragma"));
    });
    EXPECT_EQ("no-cache|no-cache", Http("/headers"));
}

TEST_F(FetchTest, BytesThatCannotStandInARequestLineGoOutEncoded) {
    standIn_.AnswerPath("/echo", Response::Text("ok"));
    EXPECT_EQ("ok", Http("/echo?m=a b#c\xE9%2C<br>|~"));
    ASSERT_EQ(1u, standIn_.RequestLines().size());
    EXPECT_EQ("GET /echo?m=a%20b%23c%E9%2C<br>|~ HTTP/1.1", standIn_.RequestLines()[0]);
}

// The limits themselves are tried on the client with short values; the fetcher's own 30 s is
// tried in a limit test program.
TEST_F(FetchTest, AHostThatNeverAnswersIsGivenUpAtTheIdleLimit) {
    net::HttpLimits limits;
    limits.idleMs = 1500;
    standIn_.AnswerNext(Response::Silent());
    auto start = Clock::now();
    EXPECT_FALSE(net::HttpGetBody(Url("/silent"), limits));
    long elapsed = MillisecondsSince(start);
    EXPECT_GE(elapsed, 1200);
    EXPECT_LT(elapsed, 6000);

    // The length announced, part of the body sent, the rest never.
    Response endless = Response::Text("par");
    endless.body.push_back({100000, "tial"});
    standIn_.AnswerNext(endless);
    start = Clock::now();
    EXPECT_FALSE(net::HttpGetBody(Url("/endless"), limits));
    elapsed = MillisecondsSince(start);
    EXPECT_LT(elapsed, 6000);
}

TEST_F(FetchTest, AHostThatTricklesIsGivenUpAtTheTotalLimit) {
    net::HttpLimits limits;
    limits.totalMs = 1000;
    Response trickle = Response::Text("");
    trickle.body.clear();
    for (int i = 0; i < 40; ++i) trickle.body.push_back({100, "x"});
    standIn_.AnswerNext(trickle);
    const auto start = Clock::now();
    EXPECT_FALSE(net::HttpGetBody(Url("/trickle"), limits));
    EXPECT_LT(MillisecondsSince(start), 3000);
}

TEST_F(FetchTest, AnOversizedBodyIsRefused) {
    net::HttpLimits limits;
    limits.maxBodyBytes = 10;
    standIn_.AnswerPath("/big", Response::Text(std::string(100, 'x')));
    EXPECT_FALSE(net::HttpGetBody(Url("/big"), limits));
    limits.maxBodyBytes = 100;
    EXPECT_EQ(std::string(100, 'x'), net::HttpGetBody(Url("/big"), limits).value_or(""));
}

}  // namespace
