// The 3rd-party gateway road: the address made from the user's template, and the verdict on the
// gateway's free-text reply. Portable: no windows.h here.
#pragma once

#include <string>

namespace messenger {

struct GatewayValues {
    std::string user;            // as typed
    std::string password;        // as typed
    std::string sender;          // as typed
    std::string numbers;         // as GatewayNumbers gives them
    std::string encodedMessage;  // as EncodeMessage gives it
};

// Scheme and template joined, with "%username%", "%password%", "%from%", "%to%" and "%message%"
// (in any letter case) replaced in one pass from left to right: a value is never searched for
// placeholders itself. User, password, sender and numbers are encoded like the message.
std::string GatewayAddress(const std::string& scheme, const std::string& templateText,
                           const GatewayValues& values);

// A reply counts as sent when it holds "success", "sent" or "delivered" and none of the failure
// words "fail", "error", "not sent", "not delivered", "unsuccess", "invalid" or "denied" (letter
// case ignored): "Message not sent" holds "sent" but is a failure.
bool GatewaySucceeded(const std::string& reply);

}  // namespace messenger
