// Windows path texts as the wizard judges them without asking the file system: absolute or not,
// a drive root or not, and whether one path lies at or below another. Both "\" and "/" separate
// parts, as they do for the file API.
#pragma once

#include <string>

namespace setup {

bool IsPathSeparator(char c);

// "X:\..." (or "X:/...") with an ASCII drive letter, or a network path "\\host\share...".
bool IsAbsolutePath(const std::string& path);

// An absolute path that names no folder below its drive or share: "C:\", "c:\\", "\\host\share".
bool IsDriveRoot(const std::string& path);

// True when a part is "." or ".." (or any other run of dots and blanks, which the file API reads
// the same way), so the text alone cannot tell where the path leads.
bool HasRelativeParts(const std::string& path);

// The form in which two paths are compared: lower case, "\" only, runs of separators as one
// (a network path keeps its leading pair), no trailing separator, and each part without the
// trailing dots and blanks that the file API drops.
std::string ComparablePath(const std::string& path);

// `path` is `folder` itself or lies somewhere below it (compared in the form above).
bool IsAtOrBelow(const std::string& path, const std::string& folder);

// The text before the last separator, and the text after it (the whole path when it has none).
std::string FolderPartOf(const std::string& path);
std::string NamePartOf(const std::string& path);

}  // namespace setup
