// Drives a running zemblySMS.exe from another process, the way a user would: its windows found
// by caption, keys typed into its fields, its buttons pressed, its tray icon's mouse events sent
// to the icon's window, its tray menu answered with the keyboard, its windows photographed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace e2e {

// Handles no messages: the waits poll every 20 ms until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds);

class MessengerProcess {
public:
    MessengerProcess() = default;
    ~MessengerProcess();  // ends a process still running
    MessengerProcess(const MessengerProcess&) = delete;
    MessengerProcess& operator=(const MessengerProcess&) = delete;

    // Starts the program in its own folder; it inherits this process's environment.
    bool Start(const std::string& programPath);
    DWORD Id() const { return info_.dwProcessId; }
    // The exit code once it has ended within the time; STILL_ACTIVE otherwise.
    DWORD WaitForExit(int milliseconds);

    // The program's top-level window of that caption (visible or not), or nullptr.
    HWND Window(const std::string& caption) const;
    bool Visible(const std::string& caption) const;
    // The hidden window that receives the tray icon's mouse events; it exists once the icon has
    // been switched on.
    HWND TrayWindow() const;

    // Characters into the child control of `window` whose top-left corner is nearest (x, y).
    void Type(HWND window, int x, int y, const std::string& text) const;
    // A click on the child button of `window` with that caption.
    bool Press(HWND window, const std::string& caption) const;
    // The tray icon's mouse event (WM_LBUTTONDBLCLK, WM_RBUTTONUP), as the shell posts it.
    bool TrayEvent(UINT mouseMessage) const;
    // Pops the tray menu up and chooses the item `fromEnd` places above the last one (0: the
    // last) with the arrow keys and Enter.
    bool ChooseTrayItemFromEnd(int fromEnd) const;

private:
    PROCESS_INFORMATION info_{};
};

// What the window shows on screen now, written as a PNG file.
bool SaveScreenshot(HWND window, const std::string& path);

}  // namespace e2e
