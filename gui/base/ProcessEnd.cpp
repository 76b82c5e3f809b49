#include <windows.h>

#include "ProcessEnd.h"

#include <cstdio>
#include <utility>

namespace gui {

namespace {
ProcessEnder& Ender() {
    static ProcessEnder ender;
    return ender;
}
}  // namespace

void SetProcessEnder(ProcessEnder ender) {
    Ender() = std::move(ender);
}

void EndProcess(int exitCode) {
    if (Ender()) {
        Ender()(exitCode);
        return;
    }
    std::fflush(nullptr);
    ExitProcess(static_cast<UINT>(exitCode));
}

ExitRecorder::ExitRecorder() : previous_(Ender()) {
    SetProcessEnder([this](int exitCode) {
        ++count_;
        code_ = exitCode;
    });
}

ExitRecorder::~ExitRecorder() {
    SetProcessEnder(std::move(previous_));
}

}  // namespace gui
