// What the install page shows while the unzip library works: its progress callback drives the
// status line and the two bars (in units of 32768 bytes), reports the library's error events in
// a message box, and lets the window's messages run after every event, so that the page repaints
// and Cancel answers during a long extraction.
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

// The callback the parameter record names; always 0.
int32_t UNZIP_CALL UnzipProgressCallback(UnzipCallbackRecord* record);

// One extraction run. While it exists, the library's events whose caller field is `caller` reach
// it; events for any other caller are ignored.
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

private:
    friend int32_t UNZIP_CALL UnzipProgressCallback(UnzipCallbackRecord* record);
    void FileBegins(uint32_t size, const std::string& text);

    const void* caller_;
    ProgressControls controls_;
    uint32_t currentFileSize_ = 0;
    bool entryFailed_ = false;
    UnzipProgress* previous_;
};

}  // namespace setup
