// The dialogs behind the browse buttons of the file-name and folder edits. Every dialog goes
// through one seam: a test installs an answerer that sees what would be asked and gives the
// answer, so no test ever waits on a dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace gui {

enum class BrowseKind { OpenFile, Folder };

struct BrowseRequest {
    BrowseKind kind = BrowseKind::OpenFile;
    std::string title;       // empty: the dialog's own title
    std::string filter;      // "Text (*.txt)|*.txt|Any file (*.*)|*.*" (open-file dialog only)
    std::string initialDir;  // empty: the dialog's own choice
    std::string name;        // the file or folder the dialog starts on, without quotes
    HWND owner = nullptr;
};

// True with the chosen file or folder in `chosen` when the user picked one; false when the
// dialog was cancelled. nullptr puts the real dialogs back.
using BrowseAnswerer = std::function<bool(const BrowseRequest& request, std::string& chosen)>;
void SetBrowseAnswerer(BrowseAnswerer answerer);

// Shows the open-file dialog or the folder dialog (or asks the installed answerer). The open-file
// dialog leaves the process's current folder where it was: relative names the program keeps
// (sound files) must still mean the same file afterwards.
bool RunBrowseDialog(const BrowseRequest& request, std::string& chosen);

// For tests: answers every dialog with the next queued answer (a cancel once the queue is empty)
// and keeps what was asked. Restores the previous answerer when it goes.
class BrowseRecorder {
public:
    BrowseRecorder();
    ~BrowseRecorder();
    BrowseRecorder(const BrowseRecorder&) = delete;
    BrowseRecorder& operator=(const BrowseRecorder&) = delete;

    void Choose(const std::string& name) { answers_.push_back(name); }
    void Cancel() { answers_.push_back(std::nullopt); }
    const std::vector<BrowseRequest>& Asked() const { return asked_; }

private:
    std::vector<std::optional<std::string>> answers_;
    std::vector<BrowseRequest> asked_;
    BrowseAnswerer previous_;
};

}  // namespace gui
