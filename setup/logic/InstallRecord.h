// The list of what an install made, kept in the install folder: the full path of every file it
// extracted and every link it saved, one a line. The uninstall removes what it names and nothing
// else; an install made without it falls back to the masks alone.
#pragma once

#include <string>
#include <vector>

namespace setup {

// After the install folder.
constexpr const char* kInstallRecordFile = "\\setup.lst";

// One path a line, each ending in CR LF. A path holding a line break could not be read back as
// itself, so it is left out.
std::string InstallRecordText(const std::vector<std::string>& paths);

class InstallRecord {
public:
    // Empty lines are skipped.
    static InstallRecord Read(const std::string& content);

    const std::vector<std::string>& Paths() const { return paths_; }

    // The recorded files directly in `folder` whose names match the mask, each once, in the order
    // they are deleted: by name (any case), the last first.
    std::vector<std::string> FilesIn(const std::string& folder, const std::string& mask) const;

    // The recorded links (names ending in ".lnk", any case).
    std::vector<std::string> Links() const;

private:
    std::vector<std::string> paths_;
};

}  // namespace setup
