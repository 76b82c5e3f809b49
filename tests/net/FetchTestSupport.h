// What the fetcher tests share: a stand-in started per test, a clock, and replacements for the
// browser road's one-second wait that count the waits.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

#include "KelTextHandler1.h"
#include "MessagePump.h"
#include "StandIn.h"
#include "bSource1.h"

namespace fetch_test {

using Clock = std::chrono::steady_clock;

inline long MillisecondsSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

inline int& WaitCount() {
    static int count = 0;
    return count;
}

// The real one-second wait, counted.
inline void CountedWait(int32_t seconds) {
    ++WaitCount();
    KelTextHandler::WaitSeconds(seconds);
}

// A short stand-in for the one-second wait that still pumps messages: for tests that only care
// how many waits there were.
inline void QuickWait(int32_t) {
    ++WaitCount();
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 150) {
        gui::ProcessMessages();
        Sleep(5);
    }
}

class FetchTest : public ::testing::Test {
protected:
    void SetUp() override {
        port_ = standIn_.Start();
        WaitCount() = 0;
        bSource::SetWaiter(CountedWait);
    }
    void TearDown() override {
        bSource::SetWaiter(nullptr);
        bSource::ResetLimits();
    }

    std::string Url(const std::string& pathAndQuery) const { return standIn_.Url(pathAndQuery); }
    std::string Http(const std::string& pathAndQuery, uint8_t mode = 1) {
        return source_.FetchUrl(Url(pathAndQuery), mode, true);
    }
    std::string Browse(const std::string& pathAndQuery, uint8_t mode = 1) {
        return source_.FetchUrl(Url(pathAndQuery), mode, false);
    }

    standin::StandIn standIn_;
    int port_ = 0;
    bSource source_{nullptr};
};

}  // namespace fetch_test
