#include "TargetFile.h"

#include <vector>

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
    // Most levels exist already, and asking is one round to the file system where a refused
    // creation is two.
    for (size_t at = path.find(L'\\'); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
        const std::wstring folder = path.substr(0, at);
        if (IsFolder(folder) || CreateDirectoryW(folder.c_str(), nullptr)) continue;
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
    // Beside the final file, so that the rename stays on one volume and cannot half-happen.
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
    const std::wstring stem = folder + L"~unz" + std::to_wstring(GetCurrentProcessId()) + L"_";
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        temporary_ = stem + std::to_wstring(attempt) + L".tmp";
        // DELETE: the file is given its real name through this handle.
        file_ = CreateFileW(temporary_.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
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
    // Renamed through the handle that wrote it: moving the file by its name would open it again,
    // which costs about as much as writing a small file.
    bool renamed = Rename(false);
    if (!renamed && (systemError_ == ERROR_ALREADY_EXISTS || systemError_ == ERROR_FILE_EXISTS)) {
        // Windows refuses to replace a read-only file, but not every system that runs us does.
        const DWORD existing = GetFileAttributesW(path_.c_str());
        if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) {
            systemError_ = ERROR_ACCESS_DENIED;
        } else {
            renamed = Rename(true);
        }
    }
    if (!renamed) {
        Discard();
        return ZipError::WriteFailed;
    }
    // Every byte has gone through WriteFile already: closing cannot lose any of them.
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    temporary_.clear();
    return ZipError::None;
}

bool TargetFile::Rename(bool replace) {
    // Given in full, so that how a relative name is read is left to no system.
    const DWORD size = GetFullPathNameW(path_.c_str(), 0, nullptr, nullptr);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + size * sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    const DWORD length =
        size == 0 ? 0 : GetFullPathNameW(path_.c_str(), size, rename->FileName, nullptr);
    if (length == 0 || length >= size) {
        systemError_ = length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    rename->ReplaceIfExists = replace;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = length * sizeof(wchar_t);
    if (SetFileInformationByHandle(file_, FileRenameInfo, rename,
                                   static_cast<DWORD>(buffer.size()))) {
        return true;
    }
    systemError_ = GetLastError();
    return false;
}

void TargetFile::Discard() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
    temporary_.clear();
}

}  // namespace unz
