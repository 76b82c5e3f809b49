// A program started as a process of its own and driven through its windows by messages only, as
// a user drives it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

namespace program_test {

// A path of the build machine as wine names it.
inline std::string HostPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path.empty() || path[0] != '\\' ? path : "Z:" + path;
}

// Polls the condition for up to twenty seconds.
inline bool WaitFor(const std::function<bool()>& condition) {
    for (int tries = 0; tries < 400; ++tries) {
        if (condition()) return true;
        Sleep(50);
    }
    return false;
}

class ProgramDriver {
public:
    // Starts the command line with `folder` as its current folder (the test's own when empty).
    explicit ProgramDriver(std::string commandLine, const std::string& folder = std::string()) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.empty() ? nullptr : folder.c_str(), &startup, &process_);
    }
    ~ProgramDriver() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    bool Started() const { return started_; }

    // A visible top-level window of the program of that class whose own text, or a child's,
    // contains `text`, once it is there.
    HWND WaitForWindow(const std::string& className, const std::string& text) {
        Search search{process_.dwProcessId, className, text};
        WaitFor([&] {
            EnumWindows(TopWindowContains, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        });
        return search.found;
    }
    // A visible child of that class whose text is `text` (any text when empty).
    static HWND Child(HWND window, const std::string& className, const std::string& text) {
        Search search{0, className, text};
        EnumChildWindows(window, ChildIs, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    // Clicks the visible button of that caption once it is there and enabled.
    static bool Press(HWND window, const std::string& caption) {
        HWND button = nullptr;
        if (!WaitFor([&] {
                return (button = Child(window, "Button", caption)) && IsWindowEnabled(button);
            }))
            return false;
        PostMessageA(button, BM_CLICK, 0, 0);
        return true;
    }
    static void Type(HWND edit, const std::string& text) {
        for (char c : text) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    // The exit code, or STILL_ACTIVE when the program has not ended within twenty seconds.
    DWORD WaitForExit() {
        if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    struct Search {
        DWORD process;
        std::string className, text;
        HWND found = nullptr;
    };

    static std::string TextOf(HWND window) {
        char text[512] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    static BOOL CALLBACK TopWindowContains(HWND window, LPARAM data) {
        auto* search = reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (process != search->process || !IsWindowVisible(window) || search->className != name)
            return TRUE;
        if (TextOf(window).find(search->text) != std::string::npos) {
            search->found = window;
            return FALSE;
        }
        EnumChildWindows(window, ChildContains, data);
        return search->found ? FALSE : TRUE;
    }
    static BOOL CALLBACK ChildContains(HWND child, LPARAM data) {
        auto* search = reinterpret_cast<Search*>(data);
        if (TextOf(child).find(search->text) == std::string::npos) return TRUE;
        search->found = GetAncestor(child, GA_ROOT);
        return FALSE;
    }
    static BOOL CALLBACK ChildIs(HWND child, LPARAM data) {
        auto* search = reinterpret_cast<Search*>(data);
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (!IsWindowVisible(child) || _stricmp(name, search->className.c_str()) != 0 ||
            (!search->text.empty() && search->text != TextOf(child)))
            return TRUE;
        search->found = child;
        return FALSE;
    }

    bool started_ = false;
    PROCESS_INFORMATION process_{};
};

}  // namespace program_test
