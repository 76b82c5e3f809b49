#include <windows.h>

#include "ProgramLaunch.h"

namespace setup {

namespace {

ProgramStarter& Starter() {
    static ProgramStarter starter;
    return starter;
}

}  // namespace

void StartProgram(const std::string& commandLine) {
    if (Starter()) {
        Starter()(commandLine);
        return;
    }
    WinExec(commandLine.c_str(), SW_SHOWNORMAL);
}

void SetProgramStarter(ProgramStarter starter) {
    Starter() = std::move(starter);
}

StartRecorder::StartRecorder() : previous_(Starter()) {
    Starter() = [this](const std::string& commandLine) { started_.push_back(commandLine); };
}

StartRecorder::~StartRecorder() {
    Starter() = std::move(previous_);
}

}  // namespace setup
