#include "DirectoryCache.h"

#include "EntryName.h"

namespace unz {
namespace {

// Spans this long hold dozens of small entries each, at a memory cost that even the 32-bit
// wizard does not notice.
constexpr size_t kWindowBytes = 1 << 20;

std::string AnsiName(const std::u16string& name) {
    const auto* wide = reinterpret_cast<const wchar_t*>(name.c_str());
    const int wideLength = static_cast<int>(name.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, wideLength, &ansi[0], length, nullptr, nullptr);
    return ansi;
}

}  // namespace

DirectoryCache::DirectoryCache() : window_(kWindowBytes, [this] { return OpenFile(); }) {}

bool DirectoryCache::SameFile(const std::string& path,
                              const WIN32_FILE_ATTRIBUTE_DATA& data) const {
    return loaded_ && path == path_ && data.nFileSizeHigh == file_data_.nFileSizeHigh &&
           data.nFileSizeLow == file_data_.nFileSizeLow &&
           CompareFileTime(&data.ftLastWriteTime, &file_data_.ftLastWriteTime) == 0;
}

ByteSource* DirectoryCache::OpenFile() {
    if (!file_) file_ = FileSource::Open(path_.c_str());
    return file_.get();
}

ZipError DirectoryCache::Load(const std::string& path, DWORD& systemError) {
    file_.reset();
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        systemError = GetLastError();
        loaded_ = false;
        return ZipError::OpenFailed;
    }
    if (SameFile(path, data)) return ZipError::None;
    loaded_ = false;
    byStoredName_.clear();
    byAnsiName_.clear();
    path_ = path;
    if (!OpenFile()) {
        systemError = GetLastError();
        return ZipError::OpenFailed;
    }
    window_.Reset(file_->Size());
    const ZipError error = archive_.Open(window_);
    if (error != ZipError::None) return error;
    const auto& entries = archive_.Entries();
    for (size_t i = 0; i < entries.size(); ++i) byStoredName_.emplace(entries[i].name, i);
    file_data_ = data;
    loaded_ = true;
    return ZipError::None;
}

const ZipEntry* DirectoryCache::Find(const std::string& name) {
    const auto& entries = archive_.Entries();
    auto found = byStoredName_.find(name);
    if (found != byStoredName_.end()) return &entries[found->second];
    if (byAnsiName_.empty()) {
        for (size_t i = 0; i < entries.size(); ++i) {
            const auto decoded = DecodeEntryName(entries[i].name, entries[i].utf8);
            if (decoded) byAnsiName_.emplace(AnsiName(*decoded), i);
        }
    }
    found = byAnsiName_.find(name);
    return found != byAnsiName_.end() ? &entries[found->second] : nullptr;
}

}  // namespace unz
