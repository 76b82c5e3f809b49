#include "InstallRecord.h"

#include <algorithm>
#include <set>

#include "FileMask.h"
#include "FolderPaths.h"
#include "StringList.h"
#include "TextToolkit.h"

namespace setup {

std::string InstallRecordText(const std::vector<std::string>& paths) {
    std::string content;
    for (const std::string& path : paths)
        if (path.find_first_of("\r\n") == std::string::npos) content += path + "\r\n";
    return content;
}

InstallRecord InstallRecord::Read(const std::string& content) {
    InstallRecord record;
    for (std::string& line : gui::SplitLines(content))
        if (!line.empty()) record.paths_.push_back(std::move(line));
    return record;
}

std::vector<std::string> InstallRecord::FilesIn(const std::string& folder,
                                                const std::string& mask) const {
    const std::string wanted = ComparablePath(folder);
    std::set<std::string> seen;
    std::vector<std::string> files;
    for (const std::string& path : paths_) {
        if (ComparablePath(FolderPartOf(path)) != wanted) continue;
        if (!MatchesFileMask(NamePartOf(path), mask)) continue;
        if (seen.insert(ComparablePath(path)).second) files.push_back(path);
    }
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return text::LowerAscii(NamePartOf(a)) > text::LowerAscii(NamePartOf(b));
    });
    return files;
}

std::vector<std::string> InstallRecord::Links() const {
    std::vector<std::string> links;
    for (const std::string& path : paths_) {
        const std::string lower = text::LowerAscii(path);
        if (lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".lnk") == 0)
            links.push_back(path);
    }
    return links;
}

}  // namespace setup
