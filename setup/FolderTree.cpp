#include <windows.h>

#include "FolderTree.h"

#include <shellapi.h>

#include <vector>

namespace setup {

bool RemoveFolderTree(const std::string& path) {
    // An empty list of names would be a call that removes nothing and still succeeds.
    if (path.empty()) return false;
    try {
        // The shell takes a list of names, each ending in a zero, closed by one more zero.
        std::vector<char> names(path.size() + 2, '\0');
        path.copy(names.data(), path.size());
        SHFILEOPSTRUCTA operation = {};
        operation.hwnd = nullptr;
        operation.wFunc = FO_DELETE;
        operation.pFrom = names.data();
        operation.pTo = nullptr;
        operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT;
        return SHFileOperationA(&operation) == 0;
    } catch (...) {
        return false;
    }
}

}  // namespace setup
