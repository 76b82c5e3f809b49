#include "StatusPoll.h"

namespace messenger {

namespace {

bool IsNumber(const std::string& field) {
    if (field.empty()) return false;
    for (char c : field)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

StatusPoll::StatusPoll(const std::string& submitReply, uint64_t firstPollMs)
    : field1_(AccountServiceProtocol::ReplyField(submitReply, 1)),
      field2_(AccountServiceProtocol::ReplyField(submitReply, 2)),
      firstPollMs_(firstPollMs) {}

StatusPoll::Outcome StatusPoll::Take(const std::string& reply, uint64_t nowMs) {
    const PollStatus status = AccountServiceProtocol::ReadStatus(reply);
    if (IsNumber(status.pending)) {
        failedInARow_ = 0;
        field1_ = status.failed;
        field2_ = status.pending;
        lastKnown_ = status;
        if (AccountServiceProtocol::PollFinished(reply)) return Outcome::Finished;
    } else {
        ++failedInARow_;
    }
    const uint64_t elapsed = nowMs >= firstPollMs_ ? nowMs - firstPollMs_ : 0;
    if (failedInARow_ >= kFailedPollLimit || elapsed >= kTimeLimitMs) return Outcome::GaveUp;
    return Outcome::Pending;
}

}  // namespace messenger
