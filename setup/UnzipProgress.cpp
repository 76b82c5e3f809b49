#include <windows.h>

#include "UnzipProgress.h"

#include <algorithm>
#include <cstring>

#include "Dialogs.h"
#include "MessagePump.h"

namespace setup {

namespace {

// Often enough for the bars to move smoothly.
constexpr uint32_t kFrameMilliseconds = 50;

UnzipProgress* active = nullptr;

uint32_t SystemClock() {
    return GetTickCount();
}
UnzipProgress::FrameClock frameClock = SystemClock;

std::string TextOf(const UnzipCallbackRecord& record) {
    return std::string(record.text, strnlen(record.text, kUnzipTextSize));
}

}  // namespace

BarValues::BarValues(const gui::TProgressBar& bar)
    : min_(bar.Min()), max_(bar.Max()), position_(bar.Position()), step_(bar.Step()) {}

void BarValues::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    SetPosition(position_);
}

void BarValues::SetPosition(int position) {
    position_ = std::clamp(position, min_, std::max(min_, max_));
}

void BarValues::StepIt() {
    const long long next = static_cast<long long>(position_) + step_;
    position_ = static_cast<int>(std::clamp<long long>(next, min_, std::max(min_, max_)));
}

void BarValues::ShowOn(gui::TProgressBar& bar) const {
    if (bar.Min() != min_ || bar.Max() != max_) bar.SetRange(min_, max_);
    if (bar.Step() != step_) bar.SetStep(step_);
    if (bar.Position() != position_) bar.SetPosition(position_);
}

UnzipProgress::UnzipProgress(const void* caller, ProgressControls controls)
    : caller_(caller),
      controls_(controls),
      file_(*controls.fileBar),
      overall_(*controls.overallBar),
      status_(controls.status->Caption()),
      fileBarShown_(controls.fileBar->Visible()),
      previous_(active) {
    active = this;
}

UnzipProgress::~UnzipProgress() {
    active = previous_;
    Present();
}

void UnzipProgress::BeginEntry(uint32_t listedSize) {
    currentFileSize_ = listedSize;
    entryFailed_ = false;
}

void UnzipProgress::FileBegins(uint32_t size, const std::string& text) {
    status_ = text;
    fileBarShown_ = true;
    overall_.SetStep(OverallStep(size, currentFileSize_));
    file_.SetRange(1, FileBarMaximum(size));
    file_.SetStep(1);
    file_.SetPosition(1);
    if (size < kProgressUnit && controls_.smallFiles->Add(size)) overall_.StepIt();
}

void UnzipProgress::Handle(const UnzipCallbackRecord& record) {
    switch (record.action) {
        case kUnzipFileBegins:
            FileBegins(record.size, TextOf(record));
            break;
        case kUnzipBlockDone:
            if (file_.Position() < file_.Max()) {
                file_.StepIt();
                overall_.StepIt();
            }
            break;
        case kUnzipRestartFile:
            file_.SetPosition(1);
            break;
        case kUnzipError:
            if (record.errorCode == 0) break;
            entryFailed_ = true;
            Present();  // the box shows over the page as it stands
            gui::ShowMessage(ErrorEventMessage(TextOf(record), record.errorCode));
            break;
        default:
            break;
    }
    const uint32_t now = frameClock();
    if (now - lastFrame_ >= kFrameMilliseconds) {
        lastFrame_ = now;
        Present();
    }
    gui::ProcessMessages();
}

void UnzipProgress::Present() {
    if (controls_.status->Caption() != status_) controls_.status->SetCaption(status_);
    if (fileBarShown_ && !controls_.fileBar->Visible()) controls_.fileBar->SetVisible(true);
    file_.ShowOn(*controls_.fileBar);
    overall_.ShowOn(*controls_.overallBar);
}

void UnzipProgress::SetFrameClock(FrameClock clock) {
    frameClock = clock ? clock : SystemClock;
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
