// The composer's counting rules: how many characters the first part leaves beside the signature,
// the counter text for a message length, when Send may be pressed, and the To: text built from
// the selected contacts. Portable: no windows.h here.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace messenger {

inline constexpr int kPartLength = 159;
inline constexpr int kMostParts = 5;

// Characters of the first part: 159 without a signature, else 157 less its length (the
// signature and its line break share the first part). Negative for a signature of 158 or more.
int MessageLimit(const std::string& signature);

// The message box's maximum length: the first part and four further parts.
int MaximumMessageLength(int limit);

// "L/Limit   - 1 Credit" while the message fits one part; then the characters of its last part
// and the number of parts, "n/159   - P Credits"; past the maximum length (possible after the
// signature grew) "L/maximum   - too long".
std::string CounterText(size_t length, int limit);

// Send is enabled exactly when the To: text, the sender and the message hold at least 2
// characters each and the message fits the maximum length.
bool SendEnabled(const std::string& toText, const std::string& sender, const std::string& message,
                 int limit);

inline constexpr char kRecipientSeparator[] = ";  ";

// The selected items' captions, each without its first and last character (the spaces around
// the name), joined by ";  ".
std::string ToText(const std::vector<std::string>& selectedCaptions);

// The settings dialog's signature label: the length followed by "/159".
std::string SignatureLengthText(const std::string& signature);

}  // namespace messenger
