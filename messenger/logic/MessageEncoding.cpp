#include "MessageEncoding.h"

#include "AccountServiceProtocol.h"

namespace messenger {

std::string EncodeText(const std::string& text) {
    // The service reads "%0A" as the line break, so a CR LF pair goes as one LF; the protocol's
    // field encoding covers every other character that would cut or alter the request.
    std::string joined;
    joined.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        joined += text[i];
    }
    return AccountServiceProtocol::EncodeField(joined);
}

std::string EncodeMessage(const std::string& message, const std::string& signature) {
    if (signature.empty()) return EncodeText(message);
    return EncodeText(message) + "%0A" + EncodeText(signature);
}

}  // namespace messenger
