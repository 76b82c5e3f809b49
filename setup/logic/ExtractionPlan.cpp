#include "ExtractionPlan.h"

#include "EntryName.h"
#include "TextToolkit.h"
#include "UnzipRecords.h"

namespace setup {

namespace {

// The library takes names NUL-terminated in buffers of this size.
bool FitsBuffer(const std::string& text) {
    return text.size() < kUnzipBufferSize;
}

// An empty subfolder is the install folder itself.
bool SubfolderStaysInside(const std::string& subfolder) {
    return subfolder.empty() || unz::IsSafeEntryName(subfolder);
}

}  // namespace

ExtractionListing ListEntriesToExtract(const std::vector<std::string>& fileLines,
                                       const std::vector<ListedEntry>& archive) {
    ExtractionListing result;
    InstallListing& listing = result.listing;
    for (const std::string& line : fileLines) {
        const FileLineFields fields = FieldsOfFileLine(line);
        const EntryMask mask(fields.mask);
        const bool lineSafe = SubfolderStaysInside(fields.subfolder);
        const std::string subfolder = text::LowerAscii(fields.subfolder);
        for (const ListedEntry& entry : archive) {
            if (!mask.Matches(entry.name)) continue;
            if (!lineSafe) {
                result.refusalNote = fields.subfolder;
                continue;
            }
            if (!entry.nameSafe || !FitsBuffer(entry.name)) {
                result.refusalNote = entry.name;
                continue;
            }
            listing.entries.push_back({fields.type, entry.name, subfolder, entry.size});
            listing.totalSize += entry.size;
        }
    }
    return result;
}

std::optional<std::string> ArchiveBufferText(const std::string& sourceFolder) {
    std::string path = sourceFolder + "\\" + kArchiveNote;
    if (!FitsBuffer(path)) return std::nullopt;
    return path;
}

std::string ArchivePath(const std::string& sourceFolder) {
    return sourceFolder + kArchiveNote;
}

}  // namespace setup
