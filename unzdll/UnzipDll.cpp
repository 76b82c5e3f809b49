// unzdll.dll: extracts one named entry of a ZIP archive into the current directory and reports
// its progress and failures through the caller's callback.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "DirectoryCache.h"
#include "EntryName.h"
#include "TargetFile.h"
#include "UnzipRecords.h"
#include "ZipReader.h"

namespace {

using unz::ZipError;

class EventReporter {
public:
    EventReporter(UnzipProgressFunction callback, void* caller)
        : callback_(callback), caller_(caller) {}

    void FileBegins(const std::string& name, uint32_t size) {
        Send(kUnzipFileBegins, 0, size, name);
    }
    void BlockDone() { Send(kUnzipBlockDone, 0, 0, std::string()); }

    // "<entry>: <what failed>[ (<archive>)][ (system error N)]"; returns the error's code.
    int32_t Fail(ZipError error, const std::string& subject, const std::string& archive = "",
                 DWORD systemError = 0) {
        std::string text = subject + ": " + unz::Describe(error);
        if (!archive.empty()) text += " (" + archive + ")";
        if (systemError != 0) text += " (system error " + std::to_string(systemError) + ")";
        const int32_t code = static_cast<int32_t>(error);
        Send(kUnzipError, code, 0, text);
        return code;
    }

private:
    void Send(int32_t action, int32_t code, uint32_t size, const std::string& text) {
        if (!callback_) return;
        UnzipCallbackRecord record;
        std::memset(&record, 0, sizeof record);
        record.caller = caller_;
        record.action = action;
        record.errorCode = code;
        record.size = size;
        std::memcpy(record.text, text.data(), std::min(text.size(), kUnzipTextSize - 1));
        callback_(&record);
    }

    UnzipProgressFunction callback_;
    void* caller_;
};

// Counts the calls under way and closes the archive when one ends.
class CallScope {
public:
    CallScope(int& depth, unz::DirectoryCache& directory) : depth_(depth), directory_(directory) {
        ++depth_;
    }
    ~CallScope() {
        directory_.Release();
        --depth_;
    }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

private:
    int& depth_;
    unz::DirectoryCache& directory_;
};

// The text of a caller's 256-byte buffer; none when the pointer is null or no NUL ends it there.
std::optional<std::string> BufferText(const char* buffer) {
    if (!buffer) return std::nullopt;
    const size_t length = strnlen(buffer, kUnzipBufferSize);
    if (length == kUnzipBufferSize) return std::nullopt;
    return std::string(buffer, length);
}

int32_t Extract(const UnzipParameterRecord& parameters) {
    EventReporter report(parameters.callback, parameters.caller);
    const std::optional<std::string> archivePath = BufferText(parameters.archivePath);
    const std::optional<std::string> name = BufferText(parameters.entryName);
    if (!archivePath || !name || name->empty()) {
        return report.Fail(ZipError::BadRequest, name.value_or(""), archivePath.value_or(""));
    }

    // The wizard calls from its one thread; a callback that calls the library again gets an
    // archive of its own, as the outer call is still reading the shared one.
    static unz::DirectoryCache shared;
    static int depth = 0;
    std::unique_ptr<unz::DirectoryCache> own;
    if (depth > 0) own = std::make_unique<unz::DirectoryCache>();
    unz::DirectoryCache& directory = own ? *own : shared;
    const CallScope scope(depth, directory);

    DWORD systemError = 0;
    ZipError error = directory.Load(*archivePath, systemError);
    if (error != ZipError::None) return report.Fail(error, *name, *archivePath, systemError);
    const unz::ZipEntry* found = directory.Find(*name);
    if (!found) return report.Fail(ZipError::EntryNotFound, *name, *archivePath);
    const unz::ZipEntry entry = *found;

    const auto decoded = unz::DecodeEntryName(entry.name, entry.utf8);
    if (!decoded) return report.Fail(ZipError::BadNameEncoding, *name);
    if (!unz::IsSafeEntryName(entry.name) || !unz::IsSafeEntryName(*decoded)) {
        return report.Fail(ZipError::UnsafeName, *name);
    }
    error = unz::ZipArchive::CheckSupported(entry);
    if (error != ZipError::None) return report.Fail(error, *name);

    std::wstring path(reinterpret_cast<const wchar_t*>(decoded->c_str()), decoded->size());
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    report.FileBegins(*name, entry.uncompressedSize);
    if (entry.IsFolder()) {
        error = unz::MakeFolders(path, systemError);
        return error == ZipError::None ? 0 : report.Fail(error, *name, "", systemError);
    }
    unz::TargetFile target([&report] { report.BlockDone(); });
    error = target.Create(path);
    if (error == ZipError::None)
        error = unz::ZipArchive::Extract(directory.Source(), entry, target);
    if (error == ZipError::None) error = target.Commit();
    if (error == ZipError::None) return 0;
    const bool systemFault = error == ZipError::WriteFailed || error == ZipError::FolderFailed;
    return report.Fail(error, *name, "", systemFault ? target.SystemError() : 0);
}

}  // namespace

extern "C" int32_t UNZIP_CALL UnzipExtractEntry(UnzipParameterRecord* parameters) {
    if (!parameters) return static_cast<int32_t>(ZipError::BadRequest);
    // Nothing may escape into the caller's frame: it has no way to handle a C++ exception.
    try {
        return Extract(*parameters);
    } catch (...) {
        try {
            EventReporter report(parameters->callback, parameters->caller);
            report.Fail(ZipError::OutOfMemory, BufferText(parameters->entryName).value_or(""));
        } catch (...) {
        }
        return static_cast<int32_t>(ZipError::OutOfMemory);
    }
}
