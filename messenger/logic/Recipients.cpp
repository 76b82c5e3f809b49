#include "Recipients.h"

#include <algorithm>

#include "ContactsFile.h"
#include "MessageCounter.h"
#include "TextToolkit.h"

namespace messenger {

namespace {

// Send cuts the number at a second "|", as it always has for records that hold one.
std::string NumberToSend(const std::string& record) {
    return text::GetFieldOf(record, 1, "|", true) + ";";
}

}  // namespace

std::vector<std::string> RecipientNames(const std::string& toText) {
    std::vector<std::string> names;
    if (toText.empty()) return names;
    const std::string separator = kRecipientSeparator;
    size_t start = 0;
    for (;;) {
        const size_t end = toText.find(separator, start);
        names.push_back(toText.substr(start, end - start));
        if (end == std::string::npos) return names;
        start = end + separator.size();
    }
}

ServiceRecipients FindServiceRecipients(const std::string& toText,
                                        const std::vector<std::string>& records) {
    ServiceRecipients found;
    std::vector<std::string> seen;
    for (const std::string& name : RecipientNames(toText)) {
        if (std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
        seen.push_back(name);
        bool matched = false;
        for (const std::string& record : records) {
            if (ContactName(record) != name) continue;
            found.numbers += NumberToSend(record);
            matched = true;
        }
        if (matched)
            ++found.messages;
        else
            found.unmatched.push_back(name);
    }
    return found;
}

std::string GatewayNumbers(const std::string& toText, const std::vector<std::string>& records) {
    for (auto record = records.rbegin(); record != records.rend(); ++record)
        if (ContactName(*record) == toText) return NumberToSend(*record);
    return {};
}

}  // namespace messenger
