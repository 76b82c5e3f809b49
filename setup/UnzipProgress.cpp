#include "UnzipProgress.h"

#include <cstring>
#include <string>

#include "Dialogs.h"
#include "MessagePump.h"

namespace setup {

namespace {

UnzipProgress* active = nullptr;

std::string TextOf(const UnzipCallbackRecord& record) {
    return std::string(record.text, strnlen(record.text, kUnzipTextSize));
}

}  // namespace

UnzipProgress::UnzipProgress(const void* caller, ProgressControls controls)
    : caller_(caller), controls_(controls), previous_(active) {
    active = this;
}

UnzipProgress::~UnzipProgress() {
    active = previous_;
}

void UnzipProgress::BeginEntry(uint32_t listedSize) {
    currentFileSize_ = listedSize;
    entryFailed_ = false;
}

void UnzipProgress::FileBegins(uint32_t size, const std::string& text) {
    gui::TProgressBar& file = *controls_.fileBar;
    gui::TProgressBar& overall = *controls_.overallBar;
    controls_.status->SetCaption(text);
    if (!file.Visible()) file.SetVisible(true);
    file.SetMax(FileBarMaximum(size));
    overall.SetStep(OverallStep(size, currentFileSize_));
    file.SetMin(1);
    file.SetStep(1);
    file.SetPosition(1);
    if (size < kProgressUnit && controls_.smallFiles->Add(size)) overall.StepIt();
}

void UnzipProgress::Handle(const UnzipCallbackRecord& record) {
    gui::TProgressBar& file = *controls_.fileBar;
    switch (record.action) {
        case kUnzipFileBegins:
            FileBegins(record.size, TextOf(record));
            break;
        case kUnzipBlockDone:
            if (file.Position() < file.Max()) {
                file.StepIt();
                controls_.overallBar->StepIt();
            }
            break;
        case kUnzipRestartFile:
            file.SetPosition(1);
            break;
        case kUnzipError:
            if (record.errorCode == 0) break;
            entryFailed_ = true;
            gui::ShowMessage(ErrorEventMessage(TextOf(record), record.errorCode));
            break;
        default:
            break;
    }
    gui::ProcessMessages();
}

int32_t UNZIP_CALL UnzipProgressCallback(UnzipCallbackRecord* record) {
    // Called from inside the library: nothing may be thrown back through its frames.
    try {
        if (record && active && record->caller == active->caller_) active->Handle(*record);
    } catch (...) {
        if (active) active->entryFailed_ = true;
    }
    return 0;
}

}  // namespace setup
