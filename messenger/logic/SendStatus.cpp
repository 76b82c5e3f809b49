#include "SendStatus.h"

#include <initializer_list>

#include "TextToolkit.h"

namespace messenger {

namespace {

std::string Lines(std::initializer_list<std::string> lines) {
    std::string joined;
    for (const std::string& line : lines) {
        if (!joined.empty()) text::AppendLineBreaks(1, joined);
        joined += line;
    }
    return joined;
}

std::string QueuedLine(int messages) {
    return std::to_string(messages) + " message(s) queued successfully";
}

std::string CountsLines(int messages, const PollStatus& counts) {
    return Lines({QueuedLine(messages), counts.pending + " message(s) pending",
                  counts.sent + " message(s) sent,  " + counts.failed + " failed."});
}

std::string NameList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    return list;
}

}  // namespace

std::string SubmittingStatus() {
    return "Submit message(s)...";
}

std::string RefusedStatus(int messages, const std::string& reply) {
    return std::to_string(messages) + " message(s) failed, " + reply;
}

std::string PollingStatus(int messages, const std::optional<PollStatus>& lastKnown) {
    const std::string pending = lastKnown ? lastKnown->pending : std::to_string(messages - 1);
    return Lines({QueuedLine(messages), pending + " message(s) pending..."});
}

std::string FinalStatus(int messages, const PollStatus& final) {
    PollStatus counts = final;
    counts.pending = "0";
    return CountsLines(messages, counts);
}

std::string UnknownFinalStatus(int messages, const std::optional<PollStatus>& lastKnown) {
    const std::string unknown = "The final status is unknown.";
    if (!lastKnown) return Lines({QueuedLine(messages), unknown});
    return Lines({CountsLines(messages, *lastKnown), unknown});
}

std::string NoContactStatus(const std::vector<std::string>& unmatched) {
    return WithUnmatchedNote("No message(s) sent.", unmatched);
}

std::string WithUnmatchedNote(const std::string& status,
                              const std::vector<std::string>& unmatched) {
    if (unmatched.empty()) return status;
    return Lines({status, "No contact found for: " + NameList(unmatched)});
}

SendSounds RefusalSounds(const std::string& reply) {
    return SendSounds{false, AccountServiceProtocol::ReplyField(reply, 1) != "0"};
}

SendSounds FinalSounds(const PollStatus& final) {
    return SendSounds{final.sent != "0", final.failed != "0"};
}

}  // namespace messenger
