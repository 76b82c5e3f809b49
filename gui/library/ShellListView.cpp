#include <windows.h>

#include "ShellListView.h"
// (the shell headers need the types of windows.h first)
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

namespace gui {

namespace {

struct Folder {
    std::string displayName;
    std::string path;
    int image = -1;
};

// The shell's list of small icons, shared by every program: never ours to destroy.
HIMAGELIST SystemSmallImages() {
    SHFILEINFOA info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

std::vector<Folder> ReadFolders(const std::string& root) {
    std::vector<Folder> folders;
    if (root.empty()) return folders;
    std::string base = root;
    if (base.back() != '\\' && base.back() != '/') base += '\\';
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((base + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return folders;
    do {
        std::string name = found.cFileName;
        // As the shell shows them: hidden folders stay out of sight.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) || name == "." || name == "..")
            continue;
        Folder folder;
        folder.path = base + name;
        SHFILEINFOA info{};
        if (SHGetFileInfoA(folder.path.c_str(), 0, &info, sizeof info,
                           SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON) &&
            info.szDisplayName[0]) {
            folder.displayName = info.szDisplayName;
            folder.image = info.iIcon;
        } else {
            folder.displayName = name;
        }
        folders.push_back(std::move(folder));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(folders.begin(), folders.end(), [](const Folder& a, const Folder& b) {
        return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.displayName.c_str(), -1,
                              b.displayName.c_str(), -1) == CSTR_LESS_THAN;
    });
    return folders;
}

}  // namespace

TShellListView::TShellListView(TComponent* owner) : TListView(owner) {
    SetClassName("TShellListView");
    SetViewStyle(vsList);
    SetHideSelection(false);
    SetReadOnly(true);
}

std::string TShellListView::RootFolder() const {
    if (!root_.empty() && !SameText(root_, "rfPrograms")) return root_;
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path)))
        return std::string();
    return path;
}

void TShellListView::SetRoot(const std::string& folder) {
    root_ = folder;
    if (!Loading()) Reload();
}

void TShellListView::Reload() {
    read_ = true;
    std::vector<Folder> folders = ReadFolders(RootFolder());
    paths_.clear();
    Items().BeginUpdate();
    Items().Clear();
    for (Folder& folder : folders) {
        TListItem* item = Items().Add();
        item->SetCaption(folder.displayName);
        item->SetImageIndex(folder.image);
        paths_.push_back(std::move(folder.path));
    }
    Items().EndUpdate();
}

void TShellListView::Loaded() {
    TListView::Loaded();
    ApplySystemImages();
    if (!read_) Reload();
}

void TShellListView::CreateWnd() {
    if (!read_) Reload();
    TListView::CreateWnd();
    ApplySystemImages();
}

void TShellListView::ApplySystemImages() {
    // The list view's own style shares its image lists, so it leaves the system's alone.
    if (HandleAllocated())
        SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(SystemSmallImages()));
}

bool TShellListView::SetProperty(const std::string& name, const PropertyValue& value) {
    auto fixed = [&name](bool built) {
        if (!built) throw Exception("TShellListView: " + name + " is not built yet");
    };
    if (SameText(name, "Root")) {
        SetRoot(value.AsString());
    } else if (SameText(name, "AutoNavigate") || SameText(name, "AutoContextMenus")) {
        fixed(!value.AsBool());
    } else if (SameText(name, "Sorted")) {
        fixed(value.AsBool());
    } else if (SameText(name, "ObjectTypes")) {
        fixed(value.AsSet({"otFolders", "otNonFolders", "otHidden"}) == 1);
    } else {
        return TListView::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
