#include <windows.h>

#include "FolderTree.h"

#include <shellapi.h>

#include <vector>

namespace setup {

bool RemoveFolderTree(const std::string& given) {
    // The shell takes a folder named with a closing "\" for none it can find, and may still
    // report success; install folders are often typed that way.
    std::string path = given;
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    // An empty list of names would be a call that removes nothing and still succeeds; a drive
    // alone would name its current folder.
    if (path.empty() || (path.size() == 2 && path[1] == ':')) return false;
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
