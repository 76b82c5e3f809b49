// What the install page shows while the unzip library works: its progress callback drives the
// status line and the two bars (in units of 32768 bytes), reports the library's error events in
// a message box, and lets the window's messages run after every event, so that the page stays
// live and Cancel answers during a long extraction.
//
// The events set the bars' values as they come; the bars and the status line themselves take
// them once per frame (and when the run ends). Every change of a bar is a message and a repaint,
// and a large install sends thousands of events a second: shown one by one they would cost more
// than the extraction itself.
#pragma once

#include <cstdint>
#include <string>

#include "ExtCtrls.h"
#include "ExtractionProgress.h"
#include "StdCtrls.h"
#include "UnzipRecords.h"

namespace setup {

struct ProgressControls {
    gui::TLabel* status = nullptr;
    gui::TProgressBar* fileBar = nullptr;
    gui::TProgressBar* overallBar = nullptr;
    // Kept by the window for the program's whole run: small files carry their remainder over
    // from one file, and one install, to the next.
    SmallFileSum* smallFiles = nullptr;
};

// A bar's range, step and position, held to the range as the bar itself holds them.
class BarValues {
public:
    explicit BarValues(const gui::TProgressBar& bar);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    void SetRange(int min, int max);
    void SetStep(int step) { step_ = step; }
    void SetPosition(int position);
    void StepIt();

    // Writes what differs into the bar.
    void ShowOn(gui::TProgressBar& bar) const;

private:
    int min_, max_, position_, step_;
};

// The callback the parameter record names; always 0.
int32_t UNZIP_CALL UnzipProgressCallback(UnzipCallbackRecord* record);

// One extraction run. While it exists, the library's events whose caller field is `caller` reach
// it; events for any other caller are ignored. The controls show the last values when it ends.
class UnzipProgress {
public:
    UnzipProgress(const void* caller, ProgressControls controls);
    ~UnzipProgress();
    UnzipProgress(const UnzipProgress&) = delete;
    UnzipProgress& operator=(const UnzipProgress&) = delete;

    // Before each library call, with the entry's size as the listing gave it.
    void BeginEntry(uint32_t listedSize);
    // An error event has arrived since BeginEntry.
    bool EntryFailed() const { return entryFailed_; }

    void Handle(const UnzipCallbackRecord& record);
    // Writes the values the events set into the controls; done once per frame by itself.
    void Present();

    // The millisecond clock that frames are counted on; nullptr restores the system's.
    using FrameClock = uint32_t (*)();
    static void SetFrameClock(FrameClock clock);

private:
    friend int32_t UNZIP_CALL UnzipProgressCallback(UnzipCallbackRecord* record);
    void FileBegins(uint32_t size, const std::string& text);

    const void* caller_;
    ProgressControls controls_;
    BarValues file_;
    BarValues overall_;
    std::string status_;
    bool fileBarShown_;
    uint32_t lastFrame_ = 0;
    uint32_t currentFileSize_ = 0;
    bool entryFailed_ = false;
    UnzipProgress* previous_;
};

}  // namespace setup
