// The directory of the archive read last, kept between calls: the wizard extracts an archive's
// entries one call at a time, and reading the whole directory again for each of thousands of
// entries would cost more than extracting them.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>

#include "ZipReader.h"

namespace unz {

class DirectoryCache {
public:
    // The directory of the archive at `path`, whose bytes `source` reads; read again only when
    // the path, the file's size or its time of last writing differ from the last call's.
    ZipError Load(const std::string& path, ByteSource& source);

    // The first entry stored under these bytes or, failing that, the first whose decoded name
    // reads so in the ANSI code page, as the wizard's listing shows names outside ASCII.
    const ZipEntry* Find(const std::string& name);

private:
    bool SameFile(const std::string& path, const WIN32_FILE_ATTRIBUTE_DATA& data) const;

    std::string path_;
    WIN32_FILE_ATTRIBUTE_DATA file_{};
    bool loaded_ = false;
    ZipArchive archive_;
    std::unordered_map<std::string, size_t> byStoredName_;
    std::unordered_map<std::string, size_t> byAnsiName_;  // filled on the first miss
};

}  // namespace unz
