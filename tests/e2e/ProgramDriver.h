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
// The first of them on screen for which `match` holds, or nullptr.
HWND VisibleChild(HWND window, const std::function<bool(HWND)>& match);
// The text a window shows: a caption, a label's or an edit's text.
std::string WindowText(HWND window);
bool IsChecked(HWND button);
// Characters into a control, as the keyboard sends them.
void TypeInto(HWND control, const std::string& text);

// A path of the build machine as wine names it.
std::string HostPath(std::string path);

// The full path of the program file that a running process was started from, or empty.
std::string ProgramFileOf(DWORD processId);
// The same file, however each path spells it (case, doubled backslashes, a trailing one).
bool SamePath(const std::string& a, const std::string& b);
// A visible top-level window of that caption shown by a process of that program file, or
// nullptr: how to find a program that another one started.
HWND ProgramWindow(const std::string& programPath, const std::string& caption);

class ProgramProcess {
public:
    ProgramProcess() = default;
    virtual ~ProgramProcess();  // ends a process still running, and waits until it has
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // Starts the program in its own folder; it inherits this process's environment.
    bool Start(const std::string& programPath);
    // Starts a whole command line from this process's folder, as the shell runs an Add/Remove
    // Programs entry.
    bool StartCommand(const std::string& commandLine);
    // Takes on a process that another program started.
    bool Attach(DWORD processId);
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
    // The same click once the button is on screen and enabled, within the time.
    bool PressWhenEnabled(HWND window, const std::string& caption, int milliseconds) const;

protected:
    // The program's top-level window of that class and caption; an empty one matches any.
    HWND FindTopLevel(const std::string& className, const std::string& caption) const;

private:
    PROCESS_INFORMATION info_{};
};

// What the programs left in the registry: a string value ("(none)" without one), a key.
std::string StringValue(HKEY root, const std::string& key, const std::string& name);
bool KeyExists(HKEY root, const std::string& key);

// What the window shows on screen now, written as a PNG file.
bool SaveScreenshot(HWND window, const std::string& path);

}  // namespace e2e
