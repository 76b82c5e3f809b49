// Both roads against a host that misbehaves as real networks do: every call ends in time with
// the right result, and no connection of it is left open once it has returned.
#include <gtest/gtest.h>

#include "FetchTestSupport.h"

namespace {

using fetch_test::Clock;
using fetch_test::FetchTest;
using fetch_test::MillisecondsSince;
using fetch_test::WaitCount;
using standin::Response;

class MisbehavingHostTest : public FetchTest {
protected:
    void SetUp() override {
        FetchTest::SetUp();
        bSource::SetWaiter(fetch_test::QuickWait);
    }

    // Fetches on one road and checks the time it took and that nothing of it is left open.
    std::string Timed(bool httpRoad, const std::string& path, long minMs, long maxMs) {
        const auto start = Clock::now();
        const std::string reply = httpRoad ? Http(path) : Browse(path);
        const long elapsed = MillisecondsSince(start);
        EXPECT_EQ(0, standIn_.OpenConnections()) << path;
        EXPECT_GE(elapsed, minMs) << path;
        EXPECT_LT(elapsed, maxMs) << path;
        return reply;
    }
};

TEST_F(MisbehavingHostTest, AReplyCutOffInItsBodyFailsOnBothRoads) {
    // A status poll reply "250,0,07,3" cut after seven bytes must not read as nothing pending.
    standIn_.AnswerPath("/short", Response::CutShort("250,0,0", 10));
    standIn_.AnswerPath("/chunks", Response::CutChunked({"250,0,0", "7,3"}));
    Response chunked = Response::CutChunked({"250,0,0", "7,3"});
    chunked.cutBeforeLastChunk = false;
    standIn_.AnswerPath("/whole", chunked);
    Response untilClose = Response::Text("250,0,07,3");
    untilClose.declareLength = false;
    standIn_.AnswerPath("/close", untilClose);
    for (bool httpRoad : {true, false}) {
        SCOPED_TRACE(httpRoad ? "HTTP road" : "browser road");
        EXPECT_EQ("failed", Timed(httpRoad, "/short", 0, 3000));
        EXPECT_EQ("failed", Timed(httpRoad, "/chunks", 0, 3000));
        EXPECT_EQ("250,0,07,3", Timed(httpRoad, "/whole", 0, 3000));
        EXPECT_EQ("250,0,07,3", Timed(httpRoad, "/close", 0, 3000));
    }
}

TEST_F(MisbehavingHostTest, ASlowHeadEndsAtTheOverallLimitOnBothRoads) {
    net::HttpLimits limits;
    limits.totalMs = 2000;
    bSource::SetLimits(limits);
    // Each line well within the idle limit, the whole head far beyond the overall one.
    standIn_.AnswerPath("/slow", Response::SlowHead(100, 300));
    EXPECT_EQ("failed", Timed(true, "/slow", 1900, 4000));
    // The browser road's own waits must not be what ends it.
    bSource::SetWaiter(fetch_test::CountedWait);
    EXPECT_EQ("failed", Timed(false, "/slow", 1900, 4000));
    EXPECT_LE(WaitCount(), 4);

    // The clock runs from the start across redirects: two heads of about 1.3 s overrun it.
    Response slowRedirect = Response::Redirect(302, "/slow-final");
    slowRedirect.headLinePauseMs = 200;
    standIn_.AnswerPath("/slow-hop", slowRedirect);
    Response slowFinal = Response::Text("late");
    slowFinal.headLinePauseMs = 200;
    standIn_.AnswerPath("/slow-final", slowFinal);
    EXPECT_EQ("failed", Timed(true, "/slow-hop", 1900, 4000));
    bSource::ResetLimits();
    EXPECT_EQ("late", Http("/slow-hop"));
}

TEST_F(MisbehavingHostTest, TheBrowserRoadEndsItsLoadBeforeItReturns) {
    standIn_.AnswerPath("/unfinished", Response::Unfinished("<html><body><p>so far"));
    standIn_.AnswerPath("/silent", Response::Silent());
    EXPECT_EQ("so far", Timed(false, "/unfinished", 0, 5000));
    EXPECT_EQ(bSource::kMaxBrowserWaits, WaitCount());
    EXPECT_EQ("failed", Timed(false, "/silent", 0, 5000));
    EXPECT_EQ(2 * bSource::kMaxBrowserWaits, WaitCount());
}

}  // namespace
