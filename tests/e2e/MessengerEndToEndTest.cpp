// The built program under wine against the stand-in, driven by messages only as a user would
// drive it: it logs on by itself from its settings file, lives in the tray, keeps its contacts
// file through the composer and ends from the tray's Exit with its settings rewritten; and it
// opens its pages in the browser (the recorder, registered as the command of HTML files).
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "KelTextHandler1.h"
#include "MessengerDriver.h"
#include "RecordingBrowser.h"
#include "StandIn.h"

namespace {

constexpr int kWait = 30000;
const std::string kContactsHeader = "[zembly SMS contacts 2.00]\r\n";

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The built program copied into a folder of the test's own under a file name that is not the
// shipped one, with the stand-in as its service.
class BuiltMessenger : public ::testing::Test {
protected:
    void SetUp() override {
        standIn_.Start();
        SetEnvironmentVariableA("ZEMBLY_SERVICE_HOST", standIn_.Host().c_str());
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "zembly-e2e-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        std::string built = "Z:" ZEMBLY_MESSENGER_EXE;
        for (char& c : built)
            if (c == '/') c = '\\';
        ASSERT_TRUE(CopyFileA(built.c_str(), Path("messenger.exe").c_str(), FALSE)) << built;
    }
    void TearDown() override {
        messenger_.reset();  // ends a program still running, so that its file can go
        for (const char* name : {"messenger.exe", "contacts.con", "zemblySMS.ini"})
            DeleteFileA(Path(name).c_str());
        RemoveDirectoryA(folder_.c_str());
        standIn_.Stop();
    }
    std::string Path(const std::string& name) const { return folder_ + name; }
    e2e::MessengerProcess& Start() {
        messenger_ = std::make_unique<e2e::MessengerProcess>();
        EXPECT_TRUE(messenger_->Start(Path("messenger.exe")));
        return *messenger_;
    }
    bool LoggedOn() const {
        return !messenger_->Visible("Account Logon") && messenger_->TrayWindow() != nullptr;
    }

    standin::StandIn standIn_;
    std::string folder_;
    std::unique_ptr<e2e::MessengerProcess> messenger_;
};

TEST_F(BuiltMessenger, LogsOnByItselfKeepsItsContactsAndExitsFromTheTray) {
    const std::string password = KelTextHandler::ScrambleText("demo");
    const std::string contacts = Path("contacts.con");
    std::ofstream(Path("zemblySMS.ini"), std::ios::binary)
        << "[zemblySMS 2.00]\r\n3rd Party=false\r\nUsername=demo\r\nPassword=" << password
        << "\r\nFrom Last=Me\r\n";
    e2e::MessengerProcess& messenger = Start();
    // The logon window may come and go between two looks: its existence is enough here.
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.Window("Account Logon") != nullptr; }, kWait))
        << "the logon window never came";
    ASSERT_TRUE(e2e::WaitUntil([&] { return LoggedOn(); }, kWait)) << "no automatic logon";
    const auto lines = standIn_.RequestLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines[0].find("/cgi-bin/userc.pl?40,demo,demo "), std::string::npos) << lines[0];

    const HWND composer = messenger.OpenComposer();
    ASSERT_NE(composer, nullptr) << "the composer did not open from the tray";
    ASSERT_TRUE(messenger.AddContact(composer, "Ann", "+44 1"));
    EXPECT_TRUE(
        e2e::WaitUntil([&] { return Read(contacts) == kContactsHeader + "Ann|+44 1\r\n"; }, kWait))
        << Read(contacts);
    // The contact chosen and a message typed, with the sender the settings file gave: Send may
    // be pressed.
    messenger.ClickFirstContact(composer);
    messenger.Type(composer, 252, 144, "Hi");
    const HWND send = FindWindowExA(composer, nullptr, nullptr, "Send");
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowEnabled(send) != FALSE; }, kWait));
    messenger.Press(composer, "Delete");
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.Visible("Confirm"); }, kWait));
    messenger.Press(messenger.Window("Confirm"), "&Yes");
    EXPECT_TRUE(e2e::WaitUntil([&] { return Read(contacts) == kContactsHeader; }, kWait))
        << Read(contacts);

    ASSERT_TRUE(messenger.ChooseTrayItemFromEnd(0)) << "the tray menu did not open";
    EXPECT_EQ(messenger.WaitForExit(kWait), 0u);
    EXPECT_EQ(
        Read(Path("zemblySMS.ini")),
        "[zemblySMS 2.00]\r\n3rd Party=false\r\nUsername=demo\r\nPassword=" + password +
            "\r\nFrom Default=\r\nFrom Last=Me\r\nSignature=[sent via zemblySMS!]\r\n"
            "Check Updates=1\r\nSound Startup=zSMS-Startup.wav\r\nSound Sent=zSMS-Sent.wav\r\n"
            "Sound Delivered=zSMS-Fail.wav\r\nService URL=https://www.\r\n"
            "Service Username=\r\nService Password=\r\n");
}

// The sign-up page from the logon window, the cart from the buy-credits window, and the
// download page from the notice of the stand-in's newer release, which ends the program.
TEST_F(BuiltMessenger, OpensItsPagesAndAnnouncesANewerRelease) {
    using Arguments = std::vector<std::string>;
    standIn_.Service().SetRelease("ZemblySMS v2.10");
    const std::string site = "http://" + standIn_.Host() + "/cgi-bin/default.pl?00,";
    testing_support::RecordingBrowser browser(folder_);
    testing_support::HtmlCommand command;
    command.Set("\"" + browser.path + "\" \"%1\"");

    e2e::MessengerProcess& messenger = Start();
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.Visible("Account Logon"); }, kWait));
    HWND logon = messenger.Window("Account Logon");
    ASSERT_TRUE(messenger.Press(logon, "New User?"));
    EXPECT_EQ(browser.WaitForArguments(), Arguments{site + "signup"});

    messenger.Type(logon, 130, 80, "demo");
    messenger.Type(logon, 130, 112, "demo");
    ASSERT_TRUE(messenger.Press(logon, "OK"));
    ASSERT_TRUE(e2e::WaitUntil([&] { return LoggedOn(); }, kWait));
    ASSERT_TRUE(messenger.ChooseTrayItemFromEnd(3)) << "the tray menu did not open";
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.Visible("PayPal"); }, 10000));
    ASSERT_TRUE(messenger.Press(messenger.Window("PayPal"), "OK"));
    const Arguments cart = browser.WaitForArguments();
    ASSERT_EQ(cart.size(), 1u);
    EXPECT_EQ(cart[0].rfind("https://www.paypal.com/cgi-bin/webscr?add=1&amount=10.00&", 0), 0u)
        << cart[0];
    EXPECT_NE(cart[0].find("&item_name=127.0.0.1%20credits%20([demo])&"), std::string::npos);

    // The check runs ten seconds after the start.
    ASSERT_TRUE(e2e::WaitUntil([&] { return messenger.Visible("New Release"); }, kWait));
    ASSERT_TRUE(messenger.Press(messenger.Window("New Release"), "Go to Download Page"));
    EXPECT_EQ(browser.WaitForArguments(), Arguments{site + "infozsms,"});
    EXPECT_EQ(messenger.WaitForExit(kWait), 0u);
    EXPECT_EQ(GetFileAttributesA(Path("zemblySMS.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
