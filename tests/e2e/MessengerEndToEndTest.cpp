// The built program under wine against the stand-in: it logs on by itself from its settings
// file, lives in the tray, and Exit in the tray menu ends it with its settings rewritten.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "KelTextHandler1.h"
#include "MessengerDriver.h"
#include "StandIn.h"

namespace {

// The built program, as the host names it (set by CMake).
std::string BuiltProgram() {
    std::string path = "Z:" ZEMBLY_MESSENGER_EXE;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(MessengerEndToEnd, LogsOnByItselfAndExitsFromTheTray) {
    standin::StandIn standIn;
    standIn.Start();
    SetEnvironmentVariableA("ZEMBLY_SERVICE_HOST", standIn.Host().c_str());

    // A program folder of its own, under a program file name that is not the shipped one.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "zembly-e2e\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string program = folder + "messenger.exe";
    const std::string settings = folder + "zemblySMS.ini";
    ASSERT_TRUE(CopyFileA(BuiltProgram().c_str(), program.c_str(), FALSE)) << BuiltProgram();
    const std::string password = KelTextHandler::ScrambleText("demo");
    std::ofstream(settings, std::ios::binary)
        << "[zemblySMS 2.00]\r\n3rd Party=false\r\nUsername=demo\r\nPassword=" << password
        << "\r\nFrom Last=Me\r\n";

    e2e::MessengerProcess messenger;
    ASSERT_TRUE(messenger.Start(program));
    // The logon window may come and go between two looks: its existence is enough here.
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.Window("Account Logon") != nullptr; }, 30000))
        << "the logon window never came";
    ASSERT_TRUE(e2e::WaitUntil(
        [&] { return !messenger.Visible("Account Logon") && messenger.TrayWindow(); }, 30000))
        << "no automatic logon";
    const auto lines = standIn.RequestLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines[0].find("/cgi-bin/userc.pl?40,demo,demo "), std::string::npos) << lines[0];

    ASSERT_TRUE(messenger.ChooseTrayItemFromEnd(0)) << "the tray menu did not open";
    EXPECT_EQ(messenger.WaitForExit(30000), 0u);
    EXPECT_EQ(
        Read(settings),
        "[zemblySMS 2.00]\r\n3rd Party=false\r\nUsername=demo\r\nPassword=" + password +
            "\r\nFrom Default=\r\nFrom Last=Me\r\nSignature=[sent via zemblySMS!]\r\n"
            "Check Updates=1\r\nSound Startup=zSMS-Startup.wav\r\nSound Sent=zSMS-Sent.wav\r\n"
            "Sound Delivered=zSMS-Fail.wav\r\nService URL=https://www.\r\n"
            "Service Username=\r\nService Password=\r\n");
    DeleteFileA(settings.c_str());
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
    standIn.Stop();
}

}  // namespace
