#include "MessageCounter.h"

#include <cstdint>

namespace messenger {

int MessageLimit(const std::string& signature) {
    if (signature.empty()) return kPartLength;
    return kPartLength - 2 - static_cast<int>(signature.size());
}

int MaximumMessageLength(int limit) {
    return limit + (kMostParts - 1) * kPartLength;
}

std::string CounterText(size_t length, int limit) {
    const int64_t l = static_cast<int64_t>(length);
    if (l <= limit) return std::to_string(l) + "/" + std::to_string(limit) + "   - 1 Credit";
    const int maximum = MaximumMessageLength(limit);
    if (l > maximum) return std::to_string(l) + "/" + std::to_string(maximum) + "   - too long";
    const int64_t beyondFirst = l - limit;  // 1 or more
    const int64_t parts = 2 + (beyondFirst - 1) / kPartLength;
    const int64_t inLast = beyondFirst - (parts - 2) * kPartLength;
    return std::to_string(inLast) + "/" + std::to_string(kPartLength) + "   - " +
           std::to_string(parts) + " Credits";
}

bool SendEnabled(const std::string& toText, const std::string& sender, const std::string& message,
                 int limit) {
    return toText.size() >= 2 && sender.size() >= 2 && message.size() >= 2 &&
           static_cast<int64_t>(message.size()) <= MaximumMessageLength(limit);
}

std::string ToText(const std::vector<std::string>& selectedCaptions) {
    std::string to;
    for (const std::string& caption : selectedCaptions) {
        if (caption.size() > 2) to.append(caption, 1, caption.size() - 2);
        to += kRecipientSeparator;
    }
    if (!to.empty()) to.resize(to.size() - 3);
    return to;
}

std::string SignatureLengthText(const std::string& signature) {
    return std::to_string(signature.size()) + "/" + std::to_string(kPartLength);
}

}  // namespace messenger
