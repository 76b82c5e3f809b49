// setup.exe itself, started from a folder of its own as a user starts it: its window comes up
// from its resources and setup.ini, and its ends carry their exit codes. The boxes it shows are
// answered through their windows, as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "StandIn.h"
#include "WizardDriver.h"

namespace {

constexpr int kWait = 20000;

class SetupProgram : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "setup_program_" + std::to_string(GetCurrentProcessId()) +
                  "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        // The program binds the unzip library as it loads, from its own folder.
        const std::string program = e2e::HostPath(ZEMBLY_SETUP_PROGRAM);
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

    // Started in its own folder, as a user starts it.
    e2e::WizardProcess& Run() {
        program_ = std::make_unique<e2e::WizardProcess>();
        EXPECT_TRUE(program_->Start(folder_ + "setup.exe"));
        return *program_;
    }

    std::string folder_;
    std::unique_ptr<e2e::WizardProcess> program_;
    standin::StandIn standIn_;
};

TEST_F(SetupProgram, StartsFromItsFolderAndCancelEndsWithZero) {
    WriteIni("[Tarnwick Installer v1.10]\r\nprogname=Foo\r\nversion=1\r\n");
    e2e::WizardProcess& program = Run();
    ASSERT_TRUE(program.WaitForPage("Welcome", kWait));
    // The start-up asks the maker's site for its page, and the window stays live meanwhile.
    EXPECT_TRUE(e2e::WaitUntil(
        [&] {
            for (const std::string& line : standIn_.RequestLines())
                if (line.find(" /setup.htm ") != std::string::npos) return true;
            return false;
        },
        kWait));
    ASSERT_TRUE(program.PressWhenEnabled(program.Wizard(), "Cancel", kWait));
    HWND question = program.WaitForMessageBox(kWait);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(e2e::MessageText(question), "Are you sure you wish to cancel this setup?");
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    EXPECT_EQ(program.WaitForExit(kWait), 0u);
}

TEST_F(SetupProgram, WithoutSetupIniItSaysSoAndEndsWithOne) {
    e2e::WizardProcess& program = Run();
    HWND box = program.WaitForMessageBox(kWait);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageText(box), "Error in locating Setup components!");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.WaitForExit(kWait), 1u);
}

}  // namespace
