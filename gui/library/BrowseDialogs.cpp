#include <windows.h>

#include "BrowseDialogs.h"
// (the shell and dialog headers need the types of windows.h first)
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace gui {

namespace {

BrowseAnswerer& Answerer() {
    static BrowseAnswerer answerer;
    return answerer;
}

std::string WithoutQuotes(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

bool OpenFileDialog(const BrowseRequest& request, std::string& chosen) {
    // The dialog wants the filter's parts separated by NUL characters and ended by two.
    std::string filter = request.filter;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    filter.append(2, '\0');
    std::vector<char> file(32768, '\0');
    std::string start = WithoutQuotes(request.name);
    if (start.size() < file.size()) std::copy(start.begin(), start.end(), file.begin());

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
    dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    dialog.Flags =
        OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetOpenFileNameA(&dialog)) return false;
    chosen = file.data();
    return true;
}

int CALLBACK FolderDialogEvent(HWND dialog, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED && start) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, start);
    return 0;
}

bool FolderDialog(const BrowseRequest& request, std::string& chosen) {
    std::string start = request.name.empty() ? request.initialDir : request.name;
    char display[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = request.owner;
    info.pszDisplayName = display;
    info.lpszTitle = request.title.empty() ? nullptr : request.title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = FolderDialogEvent;
    info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
    LPITEMIDLIST folder = SHBrowseForFolderA(&info);
    if (!folder) return false;
    char path[MAX_PATH] = {};
    bool ok = SHGetPathFromIDListA(folder, path) != FALSE;
    CoTaskMemFree(folder);
    if (ok) chosen = path;
    return ok;
}

}  // namespace

void SetBrowseAnswerer(BrowseAnswerer answerer) {
    Answerer() = std::move(answerer);
}

bool RunBrowseDialog(const BrowseRequest& request, std::string& chosen) {
    if (Answerer()) return Answerer()(request, chosen);
    return request.kind == BrowseKind::Folder ? FolderDialog(request, chosen)
                                              : OpenFileDialog(request, chosen);
}

BrowseRecorder::BrowseRecorder() : previous_(Answerer()) {
    Answerer() = [this](const BrowseRequest& request, std::string& chosen) {
        asked_.push_back(request);
        if (answers_.empty()) return false;
        std::optional<std::string> answer = answers_.front();
        answers_.erase(answers_.begin());
        if (!answer) return false;
        chosen = *answer;
        return true;
    };
}

BrowseRecorder::~BrowseRecorder() {
    Answerer() = std::move(previous_);
}

}  // namespace gui
