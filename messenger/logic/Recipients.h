// Who a send goes to: the names of the To: text looked up in the contact records, on the
// service road (every selected name) and on the gateway road (one contact). Portable: no
// windows.h here.
#pragma once

#include <string>
#include <vector>

namespace messenger {

// The names of a To: text as ToText joined them; none for an empty text.
std::vector<std::string> RecipientNames(const std::string& toText);

struct ServiceRecipients {
    // Each number of every contact whose name equals a name of the To: text (exactly, in the
    // order of the To: text, then of the records), each followed by ";".
    std::string numbers;
    // The names that found a contact: the "n" of the status texts.
    int messages = 0;
    // The names that found none, to be named in the status; nothing is submitted for them.
    std::vector<std::string> unmatched;
};

// A name given twice (two contacts of one name selected) is looked up once: it already reaches
// every contact of that name, and looking it up again would send and charge each message twice.
ServiceRecipients FindServiceRecipients(const std::string& toText,
                                        const std::vector<std::string>& records);

// The gateway takes one contact: the number of the last record whose name equals the whole To:
// text, followed by ";"; empty when none does.
std::string GatewayNumbers(const std::string& toText, const std::vector<std::string>& records);

}  // namespace messenger
