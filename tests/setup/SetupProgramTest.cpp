// setup.exe itself, started from a folder of its own as a user starts it: its window comes up
// from its resources and setup.ini, and its ends carry their exit codes. The boxes it shows are
// answered through their windows, as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "StandIn.h"

namespace {

// The program's path as the build gives it (a path of the host, which wine shows as drive Z:).
std::string SetupProgramPath() {
    std::string path = ZEMBLY_SETUP_PROGRAM;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

struct Found {
    DWORD process;
    std::string className;
    std::string text;  // a window whose own or child's text contains it
    HWND window = nullptr;
};

BOOL CALLBACK ChildHasText(HWND child, LPARAM data) {
    auto* found = reinterpret_cast<Found*>(data);
    char text[512] = {};
    GetWindowTextA(child, text, sizeof text);
    if (std::string(text).find(found->text) != std::string::npos) {
        found->window = GetAncestor(child, GA_ROOT);
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK TopWindowOf(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<Found*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (process != found->process || !IsWindowVisible(window) || found->className != name)
        return TRUE;
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    if (std::string(text).find(found->text) != std::string::npos) {
        found->window = window;
        return FALSE;
    }
    EnumChildWindows(window, ChildHasText, data);
    return found->window ? FALSE : TRUE;
}

class SetupProgram : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "setup_program_" + std::to_string(GetCurrentProcessId()) +
                  "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(SetupProgramPath().c_str(), (folder_ + "setup.exe").c_str(), FALSE))
            << SetupProgramPath();
        // The program binds the unzip library as it loads, from its own folder.
        const std::string program = SetupProgramPath();
        const std::string library = program.substr(0, program.rfind('\\') + 1) + "unzdll.dll";
        ASSERT_TRUE(CopyFileA(library.c_str(), (folder_ + "unzdll.dll").c_str(), FALSE));
        standIn_.Start();
        SetEnvironmentVariableA("ZEMBLY_MAKER_HOST", standIn_.Host().c_str());
    }
    void TearDown() override {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0)
                TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        SetEnvironmentVariableA("ZEMBLY_MAKER_HOST", nullptr);
        for (const char* name : {"setup.exe", "unzdll.dll", "setup.ini"})
            DeleteFileA((folder_ + name).c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    void WriteIni(const std::string& content) {
        HANDLE file = CreateFileA((folder_ + "setup.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }

    void Run() {
        std::string command = "\"" + folder_ + "setup.exe\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   folder_.c_str(), &startup, &process_));
    }

    // A visible top-level window of the program, of that class, showing the text.
    HWND WaitForWindow(const std::string& className, const std::string& text) {
        for (int tries = 0; tries < 300; ++tries) {
            Found found{process_.dwProcessId, className, text};
            EnumWindows(TopWindowOf, reinterpret_cast<LPARAM>(&found));
            if (found.window) return found.window;
            Sleep(50);
        }
        return nullptr;
    }

    DWORD WaitForExit() {
        if (WaitForSingleObject(process_.hProcess, 15000) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    std::string folder_;
    PROCESS_INFORMATION process_{};
    standin::StandIn standIn_;
};

TEST_F(SetupProgram, StartsFromItsFolderAndCancelEndsWithZero) {
    WriteIni("[Tarnwick Installer v1.10]\r\nprogname=Foo\r\nversion=1\r\n");
    Run();
    HWND wizard = WaitForWindow("ZemblyWindow", "Tarnwick Installer v1.20");
    ASSERT_NE(wizard, nullptr);
    // The start-up asks the maker's site for its page, and the window stays live meanwhile.
    bool asked = false;
    for (int tries = 0; tries < 200 && !asked; ++tries) {
        for (const std::string& line : standIn_.RequestLines())
            if (line.find(" /setup.htm ") != std::string::npos) asked = true;
        Sleep(25);
    }
    EXPECT_TRUE(asked);
    HWND cancelButton = nullptr;
    EnumChildWindows(
        wizard,
        [](HWND child, LPARAM out) -> BOOL {
            char text[32] = {};
            GetWindowTextA(child, text, sizeof text);
            if (std::string(text) != "Cancel") return TRUE;
            *reinterpret_cast<HWND*>(out) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&cancelButton));
    ASSERT_NE(cancelButton, nullptr);
    PostMessageA(cancelButton, BM_CLICK, 0, 0);
    HWND question = WaitForWindow("#32770", "Are you sure you wish to cancel this setup?");
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    EXPECT_EQ(WaitForExit(), 0u);
}

TEST_F(SetupProgram, WithoutSetupIniItSaysSoAndEndsWithOne) {
    Run();
    HWND box = WaitForWindow("#32770", "Error in locating Setup components!");
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForExit(), 1u);
}

}  // namespace
