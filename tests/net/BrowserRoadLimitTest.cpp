// The browser road's wait rule with real one-second waits: a page that never finishes is read
// as it stands after eleven waits, and its load ends with the call.
#include <gtest/gtest.h>

#include "FetchTestSupport.h"

namespace {

using fetch_test::Clock;
using fetch_test::FetchTest;
using fetch_test::MillisecondsSince;
using fetch_test::WaitCount;

TEST_F(FetchTest, BrowserRoadReadsANeverEndingPageAfterElevenSeconds) {
    standIn_.AnswerNext(standin::Response::Unfinished("<html><body><p>so far"));
    const auto start = Clock::now();
    EXPECT_EQ("so far", Browse("/endless"));
    const long elapsed = MillisecondsSince(start);
    EXPECT_EQ(0, standIn_.OpenConnections());
    EXPECT_EQ(11, WaitCount());
    EXPECT_GE(elapsed, 10900);
    EXPECT_LT(elapsed, 15000);
}

}  // namespace
