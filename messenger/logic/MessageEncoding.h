// The one place that encodes what the user typed for a request address: the message with its
// signature for both roads, and the gateway's user name, password, sender and numbers. Nothing
// encoded here is encoded again. Portable: no windows.h here.
#pragma once

#include <string>

namespace messenger {

// A CR LF pair becomes "%0A"; "%" becomes "%25", so that "%20" typed by the user arrives as
// "%20"; space, comma, "#", "&", "+", a lone CR or LF, other control characters and bytes above
// 127 are percent-encoded; everything else stays as typed.
std::string EncodeText(const std::string& text);

// The message and the signature, each encoded, joined by an encoded line break; the message alone
// when the signature is empty.
std::string EncodeMessage(const std::string& message, const std::string& signature);

}  // namespace messenger
