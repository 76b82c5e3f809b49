// Times programs' starts: from the process's creation to its window of a given caption shown
// with the program's message loop idle. Each run ends the program; one unmeasured run of each
// comes first so that every measured one starts with the files in the cache, and the programs
// then take turns.
//
//   startup_timer <runs> <window caption> <program.exe> [<window caption> <program.exe>...]
// prints, for each program, its file name, one line per run and then "median <ms>".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Program {
    std::string path;
    const char* caption;
    std::vector<double> times;
};

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
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(
            stderr,
            "usage: startup_timer <runs> <caption> <program.exe> [<caption> <program.exe>...]\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<Program> programs;
    for (int i = 2; i + 1 < argc; i += 2) programs.push_back({argv[i + 1], argv[i], {}});
    for (const Program& program : programs)
        if (TimeOneStart(program.path, program.caption) < 0) {
            std::fprintf(stderr, "startup_timer: no window \"%s\" from %s\n", program.caption,
                         program.path.c_str());
            return 1;
        }
    // Run by run in turn, so that a machine that gets busier or quieter meanwhile weighs on every
    // program alike.
    for (int i = 0; i < runs; ++i)
        for (Program& program : programs) {
            const double ms = TimeOneStart(program.path, program.caption);
            if (ms < 0) {
                std::fprintf(stderr, "startup_timer: run %d of %s failed\n", i + 1,
                             program.path.c_str());
                return 1;
            }
            program.times.push_back(ms);
        }
    for (Program& program : programs) {
        std::printf("%s\n", program.path.substr(program.path.rfind('\\') + 1).c_str());
        for (size_t i = 0; i < program.times.size(); ++i)
            std::printf("run %zu: %.1f ms\n", i + 1, program.times[i]);
        std::vector<double> times = program.times;
        std::sort(times.begin(), times.end());
        const size_t n = times.size();
        const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
        std::printf("median %.1f\n", median);
    }
    return 0;
}
