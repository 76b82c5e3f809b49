// Message dialogs. Every box goes through one seam: a test installs an answerer that sees what
// would be shown and gives the answer, so no test ever waits on a box.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace gui {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32,
                         mbIgnore = 64;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel, mbOKCancel = mbOK | mbCancel,
                         mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                       mrYes = 6, mrNo = 7;

struct DialogRequest {
    std::string caption;
    std::string text;
    TMsgDlgType type = mtCustom;
    TMsgDlgButtons buttons = mbOK;
};

// Returns the button the "user" pressed. nullptr puts the real message boxes back.
using DialogAnswerer = std::function<TModalResult(const DialogRequest& request)>;
void SetDialogAnswerer(DialogAnswerer answerer);

// The class library's message dialog: caption "Warning", "Error", "Information" or "Confirm"
// (the application title for mtCustom), the type's icon and the given buttons.
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                        int helpContext = 0);
// A box with the text and OK, captioned with the application title.
void ShowMessage(const std::string& text);
// A box with our own caption; buttons and icon as for MessageDlg.
TModalResult ShowMessageBox(const std::string& text, const std::string& caption,
                            TMsgDlgType type = mtCustom, TMsgDlgButtons buttons = mbOK);

// For tests: answers every box with a fixed answer (or the next of a queue) and keeps what was
// shown. Restores the previous answerer when it goes.
class DialogRecorder {
public:
    explicit DialogRecorder(TModalResult answer = mrOk);
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    // Answers given before the fixed one, first queued first.
    void Queue(TModalResult answer) { queue_.push_back(answer); }
    const std::vector<DialogRequest>& Shown() const { return shown_; }
    void Clear() { shown_.clear(); }

private:
    TModalResult answer_;
    std::vector<TModalResult> queue_;
    std::vector<DialogRequest> shown_;
    DialogAnswerer previous_;
};

}  // namespace gui
