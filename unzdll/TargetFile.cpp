#include "TargetFile.h"

namespace unz {
namespace {

constexpr uint64_t kBlock = 32768;
constexpr int kTemporaryNameTries = 1000;

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

ZipError MakeFolders(const std::wstring& path, DWORD& systemError) {
    for (size_t at = path.find(L'\\'); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
        const std::wstring folder = path.substr(0, at);
        if (CreateDirectoryW(folder.c_str(), nullptr)) continue;
        const DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS && IsFolder(folder)) continue;
        systemError = error;
        return ZipError::FolderFailed;
    }
    return ZipError::None;
}

TargetFile::~TargetFile() {
    Discard();
}

ZipError TargetFile::Create(const std::wstring& path) {
    path_ = path;
    const ZipError error = MakeFolders(path, systemError_);
    if (error != ZipError::None) return error;
    // Replacing a read-only file fails on Windows only at the rename; refuse it before writing.
    const DWORD existing = GetFileAttributesW(path.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) {
        systemError_ = ERROR_ACCESS_DENIED;
        return ZipError::WriteFailed;
    }
    // Beside the final file, so that the rename stays on one volume and cannot half-happen.
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
    const std::wstring stem = folder + L"~unz" + std::to_wstring(GetCurrentProcessId()) + L"_";
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        temporary_ = stem + std::to_wstring(attempt) + L".tmp";
        file_ = CreateFileW(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ != INVALID_HANDLE_VALUE) return ZipError::None;
        systemError_ = GetLastError();
        if (systemError_ != ERROR_FILE_EXISTS && systemError_ != ERROR_ALREADY_EXISTS) break;
    }
    temporary_.clear();
    return ZipError::WriteFailed;
}

bool TargetFile::Write(const unsigned char* data, size_t size) {
    while (size > 0) {
        DWORD wrote = 0;
        const DWORD chunk = static_cast<DWORD>(size < 0x40000000 ? size : 0x40000000);
        if (!WriteFile(file_, data, chunk, &wrote, nullptr) || wrote == 0) {
            systemError_ = GetLastError();
            return false;
        }
        const uint64_t blocksBefore = written_ / kBlock;
        written_ += wrote;
        for (uint64_t block = blocksBefore; block < written_ / kBlock; ++block) blockDone_();
        data += wrote;
        size -= wrote;
    }
    return true;
}

ZipError TargetFile::Commit() {
    const bool closed = CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    if (!closed || !MoveFileExW(temporary_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        systemError_ = GetLastError();
        Discard();
        return ZipError::WriteFailed;
    }
    temporary_.clear();
    return ZipError::None;
}

void TargetFile::Discard() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
    temporary_.clear();
}

}  // namespace unz
