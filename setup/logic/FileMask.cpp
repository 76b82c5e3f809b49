#include "FileMask.h"

#include "TextToolkit.h"

namespace setup {

namespace {

// Greedy match with one remembered "*": linear in the lengths, whatever the pattern holds.
bool MatchesPattern(const std::string& name, const std::string& pattern) {
    size_t n = 0, p = 0;
    size_t starAt = std::string::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool MatchesOne(const std::string& name, const std::string& pattern) {
    if (pattern.empty()) return false;
    if (MatchesPattern(name, pattern)) return true;
    const bool anyExtension =
        pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0;
    return anyExtension && name.find('.') == std::string::npos &&
           MatchesPattern(name, pattern.substr(0, pattern.size() - 2));
}

}  // namespace

bool MatchesFileMask(const std::string& name, const std::string& mask) {
    const std::string lowerName = text::LowerAscii(name);
    const std::string lowerMask = text::LowerAscii(mask);
    size_t begin = 0;
    while (true) {
        const size_t end = lowerMask.find(';', begin);
        if (MatchesOne(lowerName, lowerMask.substr(begin, end - begin))) return true;
        if (end == std::string::npos) return false;
        begin = end + 1;
    }
}

}  // namespace setup
