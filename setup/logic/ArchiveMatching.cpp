#include "ArchiveMatching.h"

#include "TextToolkit.h"

namespace setup {

namespace {

bool EndsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

}  // namespace

FileLineFields FieldsOfFileLine(const std::string& line) {
    FileLineFields fields;
    fields.type = text::GetFieldOf(line, 0, ",", true);
    fields.mask = text::GetFieldOf(line, 1, ",", true);
    const std::string third = text::GetFieldOf(line, 2, ",", true);
    fields.hasSubfolder = third != fields.mask;
    if (fields.hasSubfolder) fields.subfolder = third;
    return fields;
}

std::vector<std::string> FileLinesToInstall(const SetupConfig& config,
                                            const std::array<bool, kComponentBoxes>& checked) {
    std::vector<std::string> lines = config.requiredFileLines;
    for (int box = 0; box < kComponentBoxes; ++box) {
        if (!checked[box]) continue;
        const std::vector<std::string>& more = config.components[box].fileLines;
        lines.insert(lines.end(), more.begin(), more.end());
    }
    return lines;
}

EntryMask::EntryMask(const std::string& mask) {
    const std::string lower = text::LowerAscii(mask);
    const size_t star = lower.find('*');
    prefix_ = lower.substr(0, star);
    const bool oneStar =
        star != std::string::npos && lower.find('*', star + 1) == std::string::npos;
    if (!oneStar || prefix_.find('.') != std::string::npos) return;
    const std::string lastFour = lower.size() < 4 ? lower : lower.substr(lower.size() - 4);
    ending_ = lastFour.find('*') == std::string::npos ? lastFour : lower.substr(star + 1);
}

bool EntryMask::Matches(const std::string& entryName) const {
    const std::string name = text::LowerAscii(entryName);
    return name.compare(0, prefix_.size(), prefix_) == 0 && EndsWith(name, ending_);
}

std::string InstallEntry::Line() const {
    return type + "," + name + "," + subfolder + "," + std::to_string(size);
}

InstallListing ListInstallEntries(const std::vector<std::string>& fileLines,
                                  const std::vector<ArchiveEntry>& archive) {
    InstallListing listing;
    for (const std::string& line : fileLines) {
        const FileLineFields fields = FieldsOfFileLine(line);
        const EntryMask mask(fields.mask);
        const std::string subfolder = text::LowerAscii(fields.subfolder);
        for (const ArchiveEntry& entry : archive) {
            if (!mask.Matches(entry.name)) continue;
            listing.entries.push_back({fields.type, entry.name, subfolder, entry.size});
            listing.totalSize += entry.size;
        }
    }
    return listing;
}

}  // namespace setup
