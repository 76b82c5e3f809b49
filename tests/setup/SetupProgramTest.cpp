// setup.exe itself, started from a folder of its own as a user starts it: its window comes up
// from its resources and setup.ini, and its ends carry their exit codes. The boxes it shows are
// answered through their windows, as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ProgramDriver.h"
#include "StandIn.h"

namespace {

using program_test::HostPath;
using program_test::ProgramDriver;

class SetupProgram : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "setup_program_" + std::to_string(GetCurrentProcessId()) +
                  "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        // The program binds the unzip library as it loads, from its own folder.
        const std::string program = HostPath(ZEMBLY_SETUP_PROGRAM);
        const std::string library = program.substr(0, program.rfind('\\') + 1) + "unzdll.dll";
        ASSERT_TRUE(CopyFileA(program.c_str(), (folder_ + "setup.exe").c_str(), FALSE)) << program;
        ASSERT_TRUE(CopyFileA(library.c_str(), (folder_ + "unzdll.dll").c_str(), FALSE));
        standIn_.Start();
        SetEnvironmentVariableA("ZEMBLY_MAKER_HOST", standIn_.Host().c_str());
    }
    void TearDown() override {
        program_.reset();
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

    ProgramDriver& Run() {
        program_ = std::make_unique<ProgramDriver>("\"" + folder_ + "setup.exe\"", folder_);
        EXPECT_TRUE(program_->Started());
        return *program_;
    }

    std::string folder_;
    std::unique_ptr<ProgramDriver> program_;
    standin::StandIn standIn_;
};

TEST_F(SetupProgram, StartsFromItsFolderAndCancelEndsWithZero) {
    WriteIni("[Tarnwick Installer v1.10]\r\nprogname=Foo\r\nversion=1\r\n");
    ProgramDriver& program = Run();
    HWND wizard = program.WaitForWindow("ZemblyWindow", "Tarnwick Installer v1.20");
    ASSERT_NE(wizard, nullptr);
    // The start-up asks the maker's site for its page, and the window stays live meanwhile.
    EXPECT_TRUE(program_test::WaitFor([&] {
        for (const std::string& line : standIn_.RequestLines())
            if (line.find(" /setup.htm ") != std::string::npos) return true;
        return false;
    }));
    ASSERT_TRUE(program.Press(wizard, "Cancel"));
    HWND question = program.WaitForWindow("#32770", "Are you sure you wish to cancel this setup?");
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST_F(SetupProgram, WithoutSetupIniItSaysSoAndEndsWithOne) {
    ProgramDriver& program = Run();
    HWND box = program.WaitForWindow("#32770", "Error in locating Setup components!");
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.WaitForExit(), 1u);
}

}  // namespace
