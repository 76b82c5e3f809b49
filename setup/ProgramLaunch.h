// Starting another program (the web browser from the header, the installed product at Finish):
// one seam, so that tests see the command line instead of a program starting. The wizard never
// waits for what it starts and never looks at the result.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace setup {

// Starts the command line shown normally; a program that is missing starts nothing.
void StartProgram(const std::string& commandLine);

using ProgramStarter = std::function<void(const std::string& commandLine)>;
// nullptr puts the real start back.
void SetProgramStarter(ProgramStarter starter);

// For tests: keeps the command lines instead of starting them, and puts the previous starter back
// when it goes.
class StartRecorder {
public:
    StartRecorder();
    ~StartRecorder();
    StartRecorder(const StartRecorder&) = delete;
    StartRecorder& operator=(const StartRecorder&) = delete;

    const std::vector<std::string>& Started() const { return started_; }

private:
    std::vector<std::string> started_;
    ProgramStarter previous_;
};

}  // namespace setup
