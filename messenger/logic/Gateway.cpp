#include "Gateway.h"

#include <utility>

#include "MessageEncoding.h"
#include "TextToolkit.h"

namespace messenger {

namespace {

bool Holds(const std::string& lowerText, const char* word) {
    return lowerText.find(word) != std::string::npos;
}

}  // namespace

std::string GatewayAddress(const std::string& scheme, const std::string& templateText,
                           const GatewayValues& values) {
    const std::pair<const char*, std::string> placeholders[] = {
        {"%username%", EncodeText(values.user)}, {"%password%", EncodeText(values.password)},
        {"%from%", EncodeText(values.sender)},   {"%to%", EncodeText(values.numbers)},
        {"%message%", values.encodedMessage},
    };
    const std::string joined = scheme + templateText;
    const std::string folded = text::LowerAscii(joined);
    std::string address;
    for (size_t i = 0; i < joined.size();) {
        bool replaced = false;
        for (const auto& [placeholder, value] : placeholders) {
            if (folded.compare(i, std::char_traits<char>::length(placeholder), placeholder) != 0)
                continue;
            address += value;
            i += std::char_traits<char>::length(placeholder);
            replaced = true;
            break;
        }
        if (!replaced) address += joined[i++];
    }
    return address;
}

bool GatewaySucceeded(const std::string& reply) {
    const std::string folded = text::LowerAscii(reply);
    for (const char* failure :
         {"fail", "error", "not sent", "not delivered", "unsuccess", "invalid", "denied"})
        if (Holds(folded, failure)) return false;
    return Holds(folded, "success") || Holds(folded, "sent") || Holds(folded, "delivered");
}

}  // namespace messenger
