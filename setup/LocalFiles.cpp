#include <windows.h>

#include "LocalFiles.h"

#include "FileStore.h"

namespace setup {

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    try {
        std::string content;
        if (files::ReadWholeFile(path, content)) return content;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

}  // namespace setup
