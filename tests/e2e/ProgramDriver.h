// Drives a running program from another process, the way a user would: its windows found by
// caption, keys typed into its fields, its buttons pressed, its windows photographed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Handles no messages: the waits poll every 20 ms until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds);

// The window's children at every depth.
std::vector<HWND> Children(HWND window);

class ProgramProcess {
public:
    ProgramProcess() = default;
    virtual ~ProgramProcess();  // ends a process still running
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // Starts the program in its own folder; it inherits this process's environment.
    bool Start(const std::string& programPath);
    DWORD Id() const { return info_.dwProcessId; }
    // The exit code once it has ended within the time; STILL_ACTIVE otherwise.
    DWORD WaitForExit(int milliseconds);

    // The program's top-level window of that caption (visible or not), or nullptr.
    HWND Window(const std::string& caption) const;
    bool Visible(const std::string& caption) const;

    // Characters into the child control of `window` whose top-left corner is nearest (x, y).
    void Type(HWND window, int x, int y, const std::string& text) const;
    // A click on the child button (push button, check box or radio button) of `window` with
    // that caption.
    bool Press(HWND window, const std::string& caption) const;

protected:
    // The program's top-level window of that class and caption; an empty one matches any.
    HWND FindTopLevel(const std::string& className, const std::string& caption) const;

private:
    PROCESS_INFORMATION info_{};
};

// What the window shows on screen now, written as a PNG file.
bool SaveScreenshot(HWND window, const std::string& path);

}  // namespace e2e
