// The end of a program. Every road that ends a program (a Cancel, an Exit, a Finish, a fatal
// start-up) goes through EndProcess, which ends the process at once with its exit code and closes
// nothing. Tests put an ender of their own in its place, as they answer message boxes: it records
// the code and EndProcess returns, so callers do nothing after it.
#pragma once

#include <functional>

namespace gui {

using ProcessEnder = std::function<void(int exitCode)>;
// nullptr puts the real end back.
void SetProcessEnder(ProcessEnder ender);
void EndProcess(int exitCode);

// For tests: records the ends asked for instead of ending, and puts the previous ender back when
// it goes.
class ExitRecorder {
public:
    ExitRecorder();
    ~ExitRecorder();
    ExitRecorder(const ExitRecorder&) = delete;
    ExitRecorder& operator=(const ExitRecorder&) = delete;

    bool Ended() const { return count_ > 0; }
    int Count() const { return count_; }
    int Code() const { return code_; }  // of the last end asked for

private:
    int count_ = 0;
    int code_ = -1;
    ProcessEnder previous_;
};

}  // namespace gui
