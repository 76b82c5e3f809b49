#include <windows.h>

#include "PlatformWrites.h"

#include <objidl.h>
#include <shlobj.h>

#include "LocalFiles.h"

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

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

// COM for one call on this thread, left as it was found.
class ComScope {
public:
    ComScope() : owned_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (owned_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool owned_;
};

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
    ComScope com;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    bool saved = false;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->SetPath(target.c_str())) &&
        SUCCEEDED(link->SetWorkingDirectory(workingFolder.c_str())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(Wide(linkFile).c_str(), FALSE));
        file->Release();
    }
    link->Release();
    return saved;
}

bool ReplaceFileWith(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".tmp";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool complete =
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
        written == content.size();
    const bool closed = CloseHandle(file) != 0;
    if (complete && closed &&
        MoveFileExA(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary.c_str());
    return false;
}

}  // namespace setup
