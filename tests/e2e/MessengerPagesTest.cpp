// The built program under wine opens its pages in the browser (the recorder, registered as the
// command of HTML files): the sign-up page from the logon window, the cart from the buy-credits
// window, and the download page from the notice of the stand-in's newer release, which ends it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MessengerDriver.h"
#include "RecordingBrowser.h"
#include "StandIn.h"

namespace {

using Arguments = std::vector<std::string>;

TEST(MessengerEndToEnd, OpensItsPagesAndAnnouncesANewerRelease) {
    standin::StandIn standIn;
    standIn.Start();
    standIn.Service().SetRelease("ZemblySMS v2.10");
    SetEnvironmentVariableA("ZEMBLY_SERVICE_HOST", standIn.Host().c_str());
    const std::string site = "http://" + standIn.Host() + "/cgi-bin/default.pl?00,";

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "zembly-e2e-pages\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    // Goes last, once the browser's copy has gone.
    struct RemoveFolder {
        std::string folder;
        ~RemoveFolder() { RemoveDirectoryA(folder.c_str()); }
    } removeFolder{folder};
    const std::string program = folder + "messenger.exe";
    std::string built = "Z:" ZEMBLY_MESSENGER_EXE;
    for (char& c : built)
        if (c == '/') c = '\\';
    ASSERT_TRUE(CopyFileA(built.c_str(), program.c_str(), FALSE)) << built;
    testing_support::RecordingBrowser browser(folder);
    testing_support::HtmlCommand command;
    command.Set("\"" + browser.path + "\" \"%1\"");

    e2e::MessengerProcess messenger;
    ASSERT_TRUE(messenger.Start(program));
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.Visible("Account Logon"); }, 30000));
    HWND logon = messenger.Window("Account Logon");
    ASSERT_TRUE(messenger.Press(logon, "New User?"));
    EXPECT_EQ(browser.WaitForArguments(), Arguments{site + "signup"});

    messenger.Type(logon, 130, 80, "demo");
    messenger.Type(logon, 130, 112, "demo");
    ASSERT_TRUE(messenger.Press(logon, "OK"));
    ASSERT_TRUE(e2e::WaitUntil(
        [&] { return !messenger.Visible("Account Logon") && messenger.TrayWindow(); }, 30000));
    ASSERT_TRUE(messenger.ChooseTrayItemFromEnd(3)) << "the tray menu did not open";
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.Visible("PayPal"); }, 10000));
    ASSERT_TRUE(messenger.Press(messenger.Window("PayPal"), "OK"));
    const Arguments cart = browser.WaitForArguments();
    ASSERT_EQ(cart.size(), 1u);
    EXPECT_EQ(cart[0].rfind("https://www.paypal.com/cgi-bin/webscr?add=1&amount=10.00&", 0), 0u)
        << cart[0];
    EXPECT_NE(cart[0].find("&item_name=127.0.0.1%20credits%20([demo])&"), std::string::npos);

    // The check runs ten seconds after the start.
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.Visible("New Release"); }, 30000));
    ASSERT_TRUE(messenger.Press(messenger.Window("New Release"), "Go to Download Page"));
    EXPECT_EQ(browser.WaitForArguments(), Arguments{site + "infozsms,"});
    EXPECT_EQ(messenger.WaitForExit(30000), 0u);
    EXPECT_EQ(GetFileAttributesA((folder + "zemblySMS.ini").c_str()), INVALID_FILE_ATTRIBUTES);

    DeleteFileA(program.c_str());
    standIn.Stop();
}

}  // namespace
