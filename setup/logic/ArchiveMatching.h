// Which archive entries an install takes: the file lines of the required list and of the checked
// components, each line's mask matched against every entry name, and the list of matched entries
// with their subfolders and sizes that the extraction and the shortcuts work from.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "SetupIni.h"

namespace setup {

// One stored file line: type digit, mask, and a subfolder when a third field differs from the
// mask (fields as the field toolkit cuts them at ",", so a missing field repeats the last one).
struct FileLineFields {
    std::string type;
    std::string mask;
    std::string subfolder;  // empty without one
    bool hasSubfolder = false;
};
FileLineFields FieldsOfFileLine(const std::string& line);

// The required lines, then the lines of every checked component in box order.
std::vector<std::string> FileLinesToInstall(const SetupConfig& config,
                                            const std::array<bool, kComponentBoxes>& checked);

// A mask is a name prefix up to its first "*" (the whole mask without one) and, when it holds a
// single "*" and its prefix no ".", an ending: its last four characters, or the text after the
// "*" where those four hold the "*" itself ("ab*" and "*" are plain prefixes, "*.js" ends in
// ".js"). Letters compare in any case.
class EntryMask {
public:
    explicit EntryMask(const std::string& mask);
    bool Matches(const std::string& entryName) const;

private:
    std::string prefix_;
    std::string ending_;
};

struct ArchiveEntry {
    std::string name;   // as the archive lists it
    uint32_t size = 0;  // uncompressed
};

// One matched entry to extract.
struct InstallEntry {
    std::string type;       // the file line's type digit
    std::string name;       // case kept
    std::string subfolder;  // lower-cased; empty without one
    uint32_t size = 0;

    // type "," name "," subfolder "," size: "3,prog.exe,bin,1234", "0,readme.txt,,10".
    std::string Line() const;
};

struct InstallListing {
    // File lines in order, and for each the entries in archive order; an entry that two lines
    // match is listed twice.
    std::vector<InstallEntry> entries;
    uint64_t totalSize = 0;  // duplicates counted again
};
InstallListing ListInstallEntries(const std::vector<std::string>& fileLines,
                                  const std::vector<ArchiveEntry>& archive);

}  // namespace setup
