#include <windows.h>

#include "PlatformWrites.h"

#include "FileStore.h"
#include "LocalFiles.h"
#include "ShellLink.h"

namespace setup {

namespace {

HKEY KeyOf(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

bool WriteValue(HKEY key, const NamedValue& value) {
    switch (value.value.kind) {
        case RegistryWrite::Kind::Nothing:
            return true;
        case RegistryWrite::Kind::Dword: {
            const DWORD data = value.value.dword;
            return RegSetValueExA(key, value.name.c_str(), 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&data),
                                  sizeof data) == ERROR_SUCCESS;
        }
        case RegistryWrite::Kind::String: {
            const std::string& text = value.value.text;
            return RegSetValueExA(key, value.name.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
        }
    }
    return false;
}

}  // namespace

bool EnsureFolder(const std::string& path) {
    return FolderExists(path) || CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool CopyReplacing(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool HideFolder(const std::string& path) {
    return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN) != 0;
}

bool WriteKeyValues(RegistryRoot root, const std::string& key,
                    const std::vector<NamedValue>& values) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(KeyOf(root), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return false;
    bool written = true;
    for (const NamedValue& value : values) written = WriteValue(opened, value) && written;
    RegCloseKey(opened);
    return written;
}

NamedValue StringValue(const std::string& name, const std::string& text) {
    NamedValue value{name, {}};
    value.value.kind = RegistryWrite::Kind::String;
    value.value.text = text;
    return value;
}

bool SaveShellLink(const std::string& target, const std::string& workingFolder,
                   const std::string& linkFile) {
    return files::SaveShellLink(linkFile, target, workingFolder).empty();
}

bool ReplaceFileWith(const std::string& path, const std::string& content) {
    try {
        files::ReplaceFile(path, content);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace setup
