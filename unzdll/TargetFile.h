// One extracted file under the current directory. The bytes go to a temporary file beside the
// final one, which takes the real name only once the reader has checked the whole entry: a failed
// or interrupted extraction never leaves a truncated file under that name.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "ZipReader.h"

namespace unz {

// Makes every folder of a relative path ("a\b\c.txt" makes a and a\b; "a\b\" makes both).
// Existing folders are fine. Sets `systemError` when a level cannot be made.
ZipError MakeFolders(const std::wstring& path, DWORD& systemError);

class TargetFile : public ByteSink {
public:
    // `blockDone` runs once for every 32768 bytes written.
    explicit TargetFile(std::function<void()> blockDone) : blockDone_(std::move(blockDone)) {}
    ~TargetFile() override;
    TargetFile(const TargetFile&) = delete;
    TargetFile& operator=(const TargetFile&) = delete;

    // Makes the folders of `path` (backslashes, relative) and opens the temporary file.
    ZipError Create(const std::wstring& path);
    bool Write(const unsigned char* data, size_t size) override;
    // Gives the temporary file the real name, replacing an older file unless that one is
    // read-only, and closes it.
    ZipError Commit();

    // The system's error code of the last failure, 0 when the failure was not the system's.
    DWORD SystemError() const { return systemError_; }

private:
    // Gives the open file the real name; sets the system's error when it cannot.
    bool Rename(bool replace);
    void Discard();

    std::function<void()> blockDone_;
    std::wstring path_;
    std::wstring temporary_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    uint64_t written_ = 0;
    DWORD systemError_ = 0;
};

}  // namespace unz
