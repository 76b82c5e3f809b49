// Times a program's start: from the process's creation to its window of a given caption shown
// with the program's message loop idle. Each run ends the program; one unmeasured run comes first
// so that every measured one starts with the files in the cache.
//
//   startup_timer <runs> <window caption> <program.exe>
// prints one line per run and then "median <ms>".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Target {
    DWORD process;
    const char* caption;
    bool shown = false;
};

BOOL CALLBACK FindShown(HWND window, LPARAM data) {
    auto* target = reinterpret_cast<Target*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (process == target->process && IsWindowVisible(window) &&
        std::string(caption) == target->caption) {
        target->shown = true;
        return FALSE;
    }
    return TRUE;
}

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds to the shown, idle window; a negative value when it never came.
double TimeOneStart(const std::string& program, const char* caption) {
    const std::string folder = program.substr(0, program.rfind('\\') + 1);
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double start = Now();
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info))
        return -1;
    double elapsed = -1;
    for (;;) {
        Target target{info.dwProcessId, caption};
        // Idle: the program waits in its message loop with nothing left to handle.
        if (WaitForInputIdle(info.hProcess, 0) == 0) {
            EnumWindows(&FindShown, reinterpret_cast<LPARAM>(&target));
            if (target.shown) {
                elapsed = Now() - start;
                break;
            }
        }
        if (Now() - start > 60000 || WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(1);
    }
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: startup_timer <runs> <window caption> <program.exe>\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    if (TimeOneStart(argv[3], argv[2]) < 0) {
        std::fprintf(stderr, "startup_timer: no window \"%s\" from %s\n", argv[2], argv[3]);
        return 1;
    }
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = TimeOneStart(argv[3], argv[2]);
        if (ms < 0) {
            std::fprintf(stderr, "startup_timer: run %d failed\n", i + 1);
            return 1;
        }
        std::printf("run %d: %.1f ms\n", i + 1, ms);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::printf("median %.1f\n", median);
    return 0;
}
