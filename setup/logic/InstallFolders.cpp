#include "InstallFolders.h"

#include "FolderPaths.h"

namespace setup {

namespace {

// Every part between separators, empty ones included.
std::vector<std::string> AllParts(const std::string& path) {
    std::vector<std::string> parts(1);
    for (char c : path) {
        if (IsPathSeparator(c))
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

}  // namespace

std::vector<std::string> InstallFolderLevels(const std::string& installFolder) {
    const std::vector<std::string> parts = AllParts(installFolder);
    // A network path "\\host\share\..." has its host and share as parts 2 and 3.
    const bool network = IsAbsolutePath(installFolder) && IsPathSeparator(installFolder[0]);
    const size_t firstLevel = network ? 4 : 1;
    std::string level;
    if (network)
        level = "\\\\" + parts[2] + "\\" + (parts.size() > 3 ? parts[3] : "") + "\\";
    else
        level = parts[0] + "\\";
    std::vector<std::string> levels;
    for (size_t i = firstLevel; i < parts.size(); ++i) {
        if (parts[i].empty()) continue;
        level += parts[i] + "\\";
        levels.push_back(level);
    }
    return levels;
}

std::vector<std::string> EntryFolderLevels(const std::string& installFolder,
                                           const std::string& subfolder) {
    std::vector<std::string> levels;
    std::string level = installFolder + "\\";
    for (const std::string& part : AllParts(subfolder)) {
        level += part + "\\";
        levels.push_back(level);
    }
    return levels;
}

}  // namespace setup
