// What the install actually extracts: the archive listing with everything left out that could
// write outside the install folder or that the unzip library cannot be handed, each refusal
// noted, and where each entry goes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ArchiveMatching.h"

namespace setup {

// An archive entry as the archive component lists it. `nameSafe` is false when the entry's name,
// in any of its readings, could leave the folder it is extracted to.
struct ListedEntry {
    std::string name;
    uint32_t size = 0;
    bool nameSafe = true;
};

struct ExtractionListing {
    InstallListing listing;
    // The last entry (or file line subfolder) left out; empty when none was.
    std::string refusalNote;
};

// The matching of ListInstallEntries, in its order, leaving out (and noting) every matched entry
// whose name is unsafe or does not fit the library's name buffer, and every entry of a file line
// whose subfolder is absolute, holds a drive, a stream, a ".." part or a device name.
ExtractionListing ListEntriesToExtract(const std::vector<std::string>& fileLines,
                                       const std::vector<ListedEntry>& archive);

// The archive path as the library's buffer takes it: the source folder (ending in "\") and
// "\setup.tws"; none when it does not fit the buffer.
std::optional<std::string> ArchiveBufferText(const std::string& sourceFolder);

// The name the archive component opens.
std::string ArchivePath(const std::string& sourceFolder);

// The note of an archive that cannot be read.
constexpr const char* kArchiveNote = "setup.tws";

}  // namespace setup
