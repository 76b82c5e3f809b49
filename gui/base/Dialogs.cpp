#include <windows.h>

#include "Dialogs.h"

#include "Application.h"

namespace gui {

namespace {
DialogAnswerer& Answerer() {
    static DialogAnswerer answerer;
    return answerer;
}

UINT BoxFlags(TMsgDlgType type, TMsgDlgButtons buttons) {
    UINT flags = MB_OK;
    if ((buttons & mbYesNoCancel) == mbYesNoCancel)
        flags = MB_YESNOCANCEL;
    else if ((buttons & (mbYes | mbNo)) == (mbYes | mbNo))
        flags = MB_YESNO;
    else if ((buttons & mbAbortRetryIgnore) == mbAbortRetryIgnore)
        flags = MB_ABORTRETRYIGNORE;
    else if ((buttons & (mbRetry | mbCancel)) == (mbRetry | mbCancel))
        flags = MB_RETRYCANCEL;
    else if ((buttons & mbOKCancel) == mbOKCancel)
        flags = MB_OKCANCEL;
    switch (type) {
        case mtWarning:
            flags |= MB_ICONWARNING;
            break;
        case mtError:
            flags |= MB_ICONERROR;
            break;
        case mtInformation:
            flags |= MB_ICONINFORMATION;
            break;
        case mtConfirmation:
            flags |= MB_ICONQUESTION;
            break;
        case mtCustom:
            break;
    }
    return flags;
}

TModalResult ResultOf(int id) {
    switch (id) {
        case IDOK:
            return mrOk;
        case IDCANCEL:
            return mrCancel;
        case IDABORT:
            return mrAbort;
        case IDRETRY:
            return mrRetry;
        case IDIGNORE:
            return mrIgnore;
        case IDYES:
            return mrYes;
        case IDNO:
            return mrNo;
        default:
            return mrNone;
    }
}

TModalResult Show(const DialogRequest& request) {
    if (Answerer()) return Answerer()(request);
    HWND owner = GetActiveWindow();
    return ResultOf(MessageBoxA(owner, request.text.c_str(), request.caption.c_str(),
                                BoxFlags(request.type, request.buttons) | MB_SETFOREGROUND));
}

std::string TitleCaption() {
    std::string title = Application.Title();
    if (title.empty()) {
        title = Application.ExeName();
        size_t slash = title.find_last_of("\\/");
        if (slash != std::string::npos) title.erase(0, slash + 1);
        size_t dot = title.rfind('.');
        if (dot != std::string::npos) title.erase(dot);
    }
    return title;
}
}  // namespace

void SetDialogAnswerer(DialogAnswerer answerer) {
    Answerer() = std::move(answerer);
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int) {
    static const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirm"};
    DialogRequest request;
    request.caption = type == mtCustom ? TitleCaption() : kCaptions[type];
    request.text = text;
    request.type = type;
    request.buttons = buttons;
    return Show(request);
}

void ShowMessage(const std::string& text) {
    DialogRequest request;
    request.caption = TitleCaption();
    request.text = text;
    Show(request);
}

TModalResult ShowMessageBox(const std::string& text, const std::string& caption, TMsgDlgType type,
                            TMsgDlgButtons buttons) {
    DialogRequest request{caption, text, type, buttons};
    return Show(request);
}

DialogRecorder::DialogRecorder(TModalResult answer) : answer_(answer), previous_(Answerer()) {
    SetDialogAnswerer([this](const DialogRequest& request) {
        shown_.push_back(request);
        if (!queue_.empty()) {
            TModalResult next = queue_.front();
            queue_.erase(queue_.begin());
            return next;
        }
        return answer_;
    });
}

DialogRecorder::~DialogRecorder() {
    SetDialogAnswerer(previous_);
}

}  // namespace gui
