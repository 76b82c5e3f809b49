#include <windows.h>

#include "PlatformFolderSources.h"
// after windows.h
#include <shlobj.h>

#include <cstring>
#include <vector>

namespace text {

namespace {
constexpr DWORD kPathBuffer = 260;

// The characters of a buffer the platform wrote, up to `length` and never past the first NUL.
std::string Written(const char* buffer, size_t capacity, size_t length) {
    return std::string(buffer, strnlen(buffer, length < capacity ? length : capacity));
}
}  // namespace

std::string PlatformFolderSources::Environment(const std::string& name) {
    std::vector<char> buffer(kPathBuffer);
    for (;;) {
        const DWORD needed =
            GetEnvironmentVariableA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (needed == 0) return std::string();
        if (needed < buffer.size()) return Written(buffer.data(), buffer.size(), needed);
        buffer.assign(needed + 1, '\0');  // too small: `needed` counts the NUL; ask again
    }
}

std::string PlatformFolderSources::ShellFolder(int csidl) {
    char buffer[kPathBuffer] = {};
    // The return code is not examined: a failed call leaves the buffer empty.
    SHGetFolderPathA(nullptr, csidl, nullptr, 0, buffer);
    return Written(buffer, sizeof buffer, sizeof buffer);
}

FolderSources::SizedText PlatformFolderSources::WindowsDirectory() {
    char buffer[kPathBuffer] = {};
    const UINT length = GetWindowsDirectoryA(buffer, kPathBuffer);
    return {static_cast<int64_t>(length), Written(buffer, sizeof buffer, length)};
}

int64_t PlatformFolderSources::TempPathSize() {
    return GetTempPathA(0, nullptr);
}

std::string PlatformFolderSources::TempPath(int64_t size) {
    if (size <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
    const DWORD length = GetTempPathA(static_cast<DWORD>(size), buffer.data());
    return Written(buffer.data(), buffer.size() - 1, length);
}

std::string PlatformFolderSources::RegistryString(RegistryRoot root, const std::string& key,
                                                  const std::string& value) {
    HKEY opened = nullptr;
    const HKEY rootKey =
        root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    // Read-only, and nothing is created when the key is missing.
    if (RegOpenKeyExA(rootKey, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return std::string();
    }
    std::string result;
    std::vector<char> data(kPathBuffer);
    for (;;) {
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(data.size());
        const LONG rc = RegQueryValueExA(opened, value.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(data.data()), &size);
        if (rc == ERROR_MORE_DATA) {
            data.assign(size + 1, '\0');
            continue;
        }
        // A value that is not a string counts as missing; string data is read as stored (no
        // expansion), up to its first NUL.
        if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
            result = Written(data.data(), data.size(), size);
        }
        break;
    }
    RegCloseKey(opened);
    return result;
}

bool PlatformFolderSources::DirectoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace text
