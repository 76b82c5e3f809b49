#include <windows.h>

#include "UninstallEntryCleanup.h"

#include <vector>

#include "UninstallRegistration.h"

namespace setup {

namespace {

std::vector<std::string> SubkeyNames(HKEY key) {
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD length = sizeof name;
        const LONG result =
            RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) continue;  // no entry name of ours is that long
        if (result != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

bool ReadString(HKEY key, const char* subkey, const char* value, std::string& text) {
    DWORD size = 0;
    if (RegGetValueA(key, subkey, value, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return false;
    std::string data(size, '\0');
    if (RegGetValueA(key, subkey, value, RRF_RT_REG_SZ, nullptr, &data[0], &size) != ERROR_SUCCESS)
        return false;
    data.resize(size > 0 ? size - 1 : 0);  // less the closing NUL
    text = data;
    return true;
}

}  // namespace

int RemoveEntriesOfThisUninstall(const std::string& windowsFolder,
                                 const std::string& installFolder) {
    std::string base = kUninstallKeyBase;
    base.pop_back();  // the key itself, without the "\" that names follow
    HKEY entries = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, base.c_str(), 0,
                      KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE | DELETE,
                      &entries) != ERROR_SUCCESS)
        return 0;
    int removed = 0;
    // The names are read first: removing keys while enumerating would skip some.
    for (const std::string& name : SubkeyNames(entries)) {
        std::string command;
        if (!ReadString(entries, name.c_str(), "UninstallString", command)) continue;
        if (!NamesThisUninstall(command, windowsFolder, installFolder)) continue;
        // The tree call empties the entry; the key itself goes with it on some systems only.
        RegDeleteTreeA(entries, name.c_str());
        RegDeleteKeyA(entries, name.c_str());
        HKEY left = nullptr;
        if (RegOpenKeyExA(entries, name.c_str(), 0, KEY_READ, &left) == ERROR_SUCCESS)
            RegCloseKey(left);
        else
            ++removed;
    }
    RegCloseKey(entries);
    return removed;
}

}  // namespace setup
