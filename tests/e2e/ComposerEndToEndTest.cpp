// The built program under wine: a contact added, chosen and deleted in the composer opened from
// the tray, with the contacts file on disk after each step and Send enabled once the three inputs
// are filled in.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "KelTextHandler1.h"
#include "MessengerDriver.h"
#include "StandIn.h"

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

HWND Child(HWND window, const char* className, const char* caption) {
    return FindWindowExA(window, nullptr, className, caption);
}

TEST(ComposerEndToEnd, AddChooseAndDeleteAContact) {
    standin::StandIn standIn;
    standIn.Start();
    SetEnvironmentVariableA("ZEMBLY_SERVICE_HOST", standIn.Host().c_str());
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "zembly-e2e-composer\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string program = folder + "messenger.exe";
    const std::string contacts = folder + "contacts.con";
    std::string built = "Z:" ZEMBLY_MESSENGER_EXE;
    for (char& c : built)
        if (c == '/') c = '\\';
    ASSERT_TRUE(CopyFileA(built.c_str(), program.c_str(), FALSE)) << built;
    DeleteFileA(contacts.c_str());
    std::ofstream(folder + "zemblySMS.ini", std::ios::binary)
        << "[zemblySMS 2.00]\r\n3rd Party=false\r\nUsername=demo\r\nPassword="
        << KelTextHandler::ScrambleText("demo") << "\r\n";

    e2e::MessengerProcess messenger;
    ASSERT_TRUE(messenger.Start(program));
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.TrayWindow() != nullptr; }, 30000));
    messenger.TrayEvent(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.Visible("zemblySMS v2.00"); }, 30000));
    HWND composer = messenger.Window("zemblySMS v2.00");

    messenger.Press(composer, "Add");
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.Visible("Contacts"); }, 30000));
    HWND dialog = messenger.Window("Contacts");
    messenger.Type(dialog, 80, 44, "Ann");
    messenger.Type(dialog, 80, 80, "+44 1");
    messenger.Press(dialog, "OK");
    const std::string header = "[zembly SMS contacts 2.00]\r\n";
    EXPECT_TRUE(e2e::WaitUntil([&] { return Read(contacts) == header + "Ann|+44 1\r\n"; }, 30000))
        << Read(contacts);

    // The contact chosen, a sender and a message typed: Send may be pressed.
    HWND list = Child(composer, "SysListView32", nullptr);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 12));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(20, 12));
    messenger.Type(composer, 300, 95, "Me");
    messenger.Type(composer, 252, 144, "Hi");
    HWND send = Child(composer, nullptr, "Send");
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowEnabled(send) != FALSE; }, 30000));

    messenger.Press(composer, "Delete");
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.Visible("Confirm"); }, 30000));
    messenger.Press(messenger.Window("Confirm"), "&Yes");
    EXPECT_TRUE(e2e::WaitUntil([&] { return Read(contacts) == header; }, 30000)) << Read(contacts);

    ASSERT_TRUE(messenger.ChooseTrayItemFromEnd(0));
    EXPECT_EQ(messenger.WaitForExit(30000), 0u);
    for (const char* name : {"messenger.exe", "contacts.con", "zemblySMS.ini"})
        DeleteFileA((folder + name).c_str());
    RemoveDirectoryA(folder.c_str());
    standIn.Stop();
}

}  // namespace
