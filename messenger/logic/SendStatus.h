// What the composer's status label says while and after a message is sent on the service road,
// and which sounds a reply calls for. Line breaks are LF CR, as in every label text the
// messenger builds. Portable: no windows.h here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "AccountServiceProtocol.h"

namespace messenger {

using PollStatus = AccountServiceProtocol::Status;

// "Submit message(s)..."
std::string SubmittingStatus();

// A submit that was not queued: the whole reply after "n message(s) failed, ".
std::string RefusedStatus(int messages, const std::string& reply);

// "n message(s) queued successfully", then the pending figure of the last good poll reply, or
// n - 1 before there is one, followed by " message(s) pending...".
std::string PollingStatus(int messages, const std::optional<PollStatus>& lastKnown);

// The three lines after a reply whose pending figure is "0".
std::string FinalStatus(int messages, const PollStatus& final);

// When the poll gave up: the last known counts, and that the final status is unknown.
std::string UnknownFinalStatus(int messages, const std::optional<PollStatus>& lastKnown);

// Nothing was submitted because no name of the To: text found a contact.
std::string NoContactStatus(const std::vector<std::string>& unmatched);

// `status` with a last line naming the names that found no contact (unchanged when none).
std::string WithUnmatchedNote(const std::string& status, const std::vector<std::string>& unmatched);

struct SendSounds {
    bool sent = false;
    bool failed = false;
};
// A refused submit sounds the failed sound unless its field 1 is "0".
SendSounds RefusalSounds(const std::string& reply);
// The final counts: the sent sound for a sent figure other than "0", the failed sound for a
// failed figure other than "0"; both may play.
SendSounds FinalSounds(const PollStatus& final);

}  // namespace messenger
