// The status poll after a queued submit: which fields the next request carries, and when the
// poll is over. A failed poll (the reply "failed", or a pending field that is no number) keeps
// the fields of the last good reply; 20 failed polls in a row, or 15 minutes from the first poll,
// end it without a final status, so that a service that stops answering cannot hold the composer
// disabled for ever. Portable: no windows.h here; the caller supplies the clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "SendStatus.h"

namespace messenger {

class StatusPoll {
public:
    static constexpr int kFailedPollLimit = 20;
    static constexpr uint64_t kTimeLimitMs = 15 * 60 * 1000;

    enum class Outcome {
        Pending,   // poll again after the pause
        Finished,  // the last reply's pending figure is "0": LastKnown() holds the final counts
        GaveUp,    // the bound is reached: the final status is unknown
    };

    // `submitReply` is the queued submit's reply, whose fields 1 and 2 the first poll carries;
    // `firstPollMs` the time of the first poll on a millisecond clock that does not wrap.
    StatusPoll(const std::string& submitReply, uint64_t firstPollMs);

    // Fields 1 and 2 for the next request.
    const std::string& Field1() const { return field1_; }
    const std::string& Field2() const { return field2_; }

    // Takes the reply of the request just made.
    Outcome Take(const std::string& reply, uint64_t nowMs);

    // The counts of the last good reply; none before the first.
    const std::optional<PollStatus>& LastKnown() const { return lastKnown_; }

private:
    std::string field1_;
    std::string field2_;
    uint64_t firstPollMs_;
    int failedInARow_ = 0;
    std::optional<PollStatus> lastKnown_;
};

}  // namespace messenger
