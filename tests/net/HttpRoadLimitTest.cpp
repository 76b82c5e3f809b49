// The fetcher's own time limit, at full length: a host that accepts the connection and never
// answers is given up after 30 s without a byte.
#include <gtest/gtest.h>

#include "FetchTestSupport.h"

namespace {

using fetch_test::Clock;
using fetch_test::FetchTest;
using fetch_test::MillisecondsSince;

TEST_F(FetchTest, HttpRoadGivesUpOnASilentHostAtTheIdleLimit) {
    standIn_.AnswerNext(standin::Response::Silent());
    const auto start = Clock::now();
    EXPECT_EQ("failed", Http("/cgi-bin/userc.pl?31,demo,0,1"));
    const long elapsed = MillisecondsSince(start);
    EXPECT_GE(elapsed, 29000);
    EXPECT_LT(elapsed, 40000);
}

}  // namespace
