// The archive read last, kept between calls: its directory and a span of its bytes. The wizard
// extracts an archive's entries one call at a time, and reading the whole directory again, or
// even opening the archive again, for each of thousands of entries would cost more than
// extracting them. Nothing is kept open between calls: the archive stays free to be replaced or
// removed, and a changed archive is read anew.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "ReadWindow.h"
#include "ZipReader.h"

namespace unz {

class DirectoryCache {
public:
    DirectoryCache();

    // Makes the archive at `path` the one read: kept from the last call when the path, the file's
    // size and its time of last writing are the same, read anew otherwise. Sets `systemError`
    // when the file cannot be opened.
    ZipError Load(const std::string& path, DWORD& systemError);

    // The first entry stored under these bytes or, failing that, the first whose decoded name
    // reads so in the ANSI code page, as the wizard's listing shows names outside ASCII.
    const ZipEntry* Find(const std::string& name);

    // The loaded archive's bytes. The file is opened only when a read needs it.
    ByteSource& Source() { return window_; }

    // Closes the file at the end of a call; what was read stays.
    void Release() { file_.reset(); }

private:
    bool SameFile(const std::string& path, const WIN32_FILE_ATTRIBUTE_DATA& data) const;
    ByteSource* OpenFile();

    std::string path_;
    WIN32_FILE_ATTRIBUTE_DATA file_data_{};
    bool loaded_ = false;
    std::unique_ptr<FileSource> file_;
    WindowSource window_;
    ZipArchive archive_;
    std::unordered_map<std::string, size_t> byStoredName_;
    std::unordered_map<std::string, size_t> byAnsiName_;  // filled on the first miss
};

}  // namespace unz
