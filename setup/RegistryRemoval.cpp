#include <windows.h>

#include "RegistryRemoval.h"

#include "UninstallRegistration.h"

namespace setup {

namespace {

using Result = RegistryEditor::Result;

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

bool Missing(LONG status) {
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

class OpenKey {
public:
    OpenKey(HKEY root, const std::string& path, REGSAM access)
        : status_(RegOpenKeyExA(root, path.c_str(), 0, access, &key_)) {}
    ~OpenKey() {
        if (status_ == ERROR_SUCCESS) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    LONG Status() const { return status_; }
    HKEY Handle() const { return key_; }

private:
    HKEY key_ = nullptr;
    LONG status_;
};

Result DeleteTree(HKEY root, const std::string& path) {
    if (path.empty()) return Result::Failed;  // never the root itself
    const LONG tree = RegDeleteTreeA(root, path.c_str());
    if (Missing(tree)) return Result::Missing;
    // Some systems empty the key without removing it.
    RegDeleteKeyA(root, path.c_str());
    OpenKey left(root, path, KEY_READ);
    if (Missing(left.Status())) return Result::Done;
    return Result::Failed;
}

}  // namespace

Result WindowsRegistryEditor::DeleteValue(RegistryRoot root, const std::string& key,
                                          const std::string& name) {
    OpenKey open(RootKey(root), key, KEY_SET_VALUE);
    if (Missing(open.Status())) return Result::Missing;
    if (open.Status() != ERROR_SUCCESS) return Result::Failed;
    const LONG status = RegDeleteValueA(open.Handle(), name.c_str());
    if (status == ERROR_SUCCESS) return Result::Done;
    return Missing(status) ? Result::Missing : Result::Failed;
}

bool WindowsRegistryEditor::IsKeyEmpty(RegistryRoot root, const std::string& key) {
    OpenKey open(RootKey(root), key, KEY_QUERY_VALUE);
    if (open.Status() != ERROR_SUCCESS) return false;
    DWORD subkeys = 0, values = 0;
    if (RegQueryInfoKeyA(open.Handle(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                         &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    return subkeys == 0 && values == 0;
}

Result WindowsRegistryEditor::DeleteKey(RegistryRoot root, const std::string& key) {
    return DeleteTree(RootKey(root), key);
}

Result RemoveUninstallEntry(const std::string& entryName) {
    return DeleteTree(HKEY_LOCAL_MACHINE, std::string(kUninstallKeyBase) + entryName);
}

}  // namespace setup
