#include "FolderPaths.h"

#include <vector>

#include "TextToolkit.h"

namespace setup {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDriveAbsolute(const std::string& path) {
    return path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && IsPathSeparator(path[2]);
}

bool IsNetworkPath(const std::string& path) {
    return path.size() >= 3 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]) &&
           !IsPathSeparator(path[2]);
}

// The non-empty parts between separators.
std::vector<std::string> PartsOf(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (IsPathSeparator(c)) {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

std::string WithoutTrailingDotsAndBlanks(std::string part) {
    while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
    return part;
}

}  // namespace

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAbsolutePath(const std::string& path) {
    return IsDriveAbsolute(path) || IsNetworkPath(path);
}

bool IsDriveRoot(const std::string& path) {
    if (IsDriveAbsolute(path)) return PartsOf(path).size() == 1;  // the drive "X:" alone
    if (IsNetworkPath(path)) return PartsOf(path).size() <= 2;    // host and share
    return false;
}

bool HasRelativeParts(const std::string& path) {
    for (const std::string& part : PartsOf(path))
        if (WithoutTrailingDotsAndBlanks(part).empty()) return true;
    return false;
}

std::string ComparablePath(const std::string& path) {
    std::string result = IsNetworkPath(path) ? "\\" : "";
    for (const std::string& part : PartsOf(path)) {
        if (!result.empty() || IsPathSeparator(path.empty() ? 0 : path[0])) result += '\\';
        result += WithoutTrailingDotsAndBlanks(part);
    }
    return text::LowerAscii(result);
}

bool IsAtOrBelow(const std::string& path, const std::string& folder) {
    const std::string inner = ComparablePath(path);
    const std::string outer = ComparablePath(folder);
    if (inner == outer) return true;
    return inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0 &&
           inner[outer.size()] == '\\';
}

std::string FolderPartOf(const std::string& path) {
    const size_t at = path.find_last_of("\\/");
    return at == std::string::npos ? std::string() : path.substr(0, at);
}

std::string NamePartOf(const std::string& path) {
    const size_t at = path.find_last_of("\\/");
    return at == std::string::npos ? path : path.substr(at + 1);
}

}  // namespace setup
