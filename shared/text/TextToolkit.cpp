#include "TextToolkit.h"

#include <algorithm>

namespace text {

namespace {

unsigned char Fold(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

bool SameFolded(char a, char b) {
    return Fold(a) == Fold(b);
}

// Index (0-based) where the text is left after skipping `skip` times up to and including the
// leftmost separator. Stops as soon as no separator is left, so a huge skip costs nothing extra.
// An empty separator occurs at the first position and leaves everything after it: the whole text.
size_t SkipFields(const std::string& text, int32_t skip, const std::string& separator) {
    size_t begin = 0;
    if (separator.empty()) return begin;
    for (int32_t i = 0; i < skip; ++i) {
        const size_t at = text.find(separator, begin);
        if (at == std::string::npos) break;
        begin = at + separator.size();
    }
    return begin;
}

// The reversed-stack walk shared by RemoveAllOf and ReplaceAllOf. Visiting position p from the
// right, the current text is the untouched original text up to and including p followed by the
// already processed tail; the tail is kept reversed in `tail` so that the visited character and
// the characters after it sit at the back.
bool FoldedOccurrenceOnTop(const std::string& tail, const std::string& search) {
    const size_t length = search.size();
    if (tail.size() < length) return false;
    const size_t top = tail.size() - 1;
    for (size_t k = 0; k < length; ++k)
        if (!SameFolded(tail[top - k], search[k])) return false;
    return true;
}

}  // namespace

std::string GetFieldOf(std::string text, int32_t skip, const std::string& separator, bool cutOff) {
    text.erase(0, SkipFields(text, skip, separator));
    if (!cutOff) return text;
    // An empty separator occurs at every position, so the cut walks down to nothing.
    if (separator.empty()) return std::string();
    // From the right: an occurrence counts only while it still lies wholly inside the text that
    // the cuts so far have left.
    size_t length = text.size();
    while (length >= separator.size()) {
        const size_t at = text.rfind(separator, length - separator.size());
        if (at == std::string::npos) break;
        length = at;
    }
    text.resize(length);
    return text;
}

std::string KeepFieldsOf(std::string text, int32_t skip, int32_t count,
                         const std::string& separator) {
    text.erase(0, SkipFields(text, skip, separator));
    if (count < 0) return text;
    const size_t size = text.size();
    if (count == 0) {
        // The running number is already 1 at the first position when the text begins with the
        // separator, and never comes back to 0.
        const bool beginsWithSeparator =
            size > 0 && text.compare(0, separator.size(), separator) == 0;
        return beginsWithSeparator ? text : std::string();
    }
    int32_t seen = 0;
    for (size_t at = text.find(separator); at != std::string::npos && at < size;
         at = text.find(separator, at + 1)) {
        if (++seen == count) {
            text.resize(at);
            break;
        }
    }
    return text;
}

std::string RemoveAllOf(const std::string& text, const std::string& search) {
    if (search.empty()) return text;
    std::string tail;
    tail.reserve(text.size());
    for (size_t p = text.size(); p-- > 0;) {
        tail.push_back(text[p]);
        if (FoldedOccurrenceOnTop(tail, search)) tail.resize(tail.size() - search.size());
    }
    return std::string(tail.rbegin(), tail.rend());
}

std::string ReplaceAllOf(const std::string& text, const std::string& search,
                         const std::string& replacement) {
    if (search.empty()) return text;
    std::string tail;
    tail.reserve(text.size());
    for (size_t p = text.size(); p-- > 0;) {
        tail.push_back(text[p]);
        if (FoldedOccurrenceOnTop(tail, search)) {
            tail.resize(tail.size() - search.size());
            tail.append(replacement.rbegin(), replacement.rend());
        }
    }
    return std::string(tail.rbegin(), tail.rend());
}

int32_t CountOf(const std::string& text, const std::string& search) {
    if (search.empty()) return static_cast<int32_t>(text.size());
    int32_t count = 0;
    for (auto at = text.begin();
         (at = std::search(at, text.end(), search.begin(), search.end(), SameFolded)) != text.end();
         ++at)
        ++count;
    return count;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), SameFolded);
}

std::string ScrambleText(const std::string& text) {
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        int64_t v = static_cast<unsigned char>(text[i]) + 2 * static_cast<int64_t>(i) + 50;
        if (v > 122) v -= 74 * ((v - 122 + 73) / 74);  // subtract 74 until at most 122
        out[i] = static_cast<char>(v);
    }
    return out;
}

std::string UnscrambleText(const std::string& text) {
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        int64_t v = static_cast<unsigned char>(text[i]) - 2 * static_cast<int64_t>(i) - 50;
        if (v < 48) v += 74 * ((48 - v + 73) / 74);  // add 74 until at least 48
        out[i] = static_cast<char>(v);
    }
    return out;
}

void AppendLineBreaks(int32_t count, std::string& text) {
    for (int32_t i = 0; i < count; ++i) text += "\n\r";
}

std::string LowerAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(Fold(c));
    return text;
}

}  // namespace text
