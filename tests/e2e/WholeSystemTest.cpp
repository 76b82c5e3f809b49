// The whole system under wine, each program a process of its own driven through its windows: the
// messenger installed from the package through the wizard's pages, started by Finish, used
// against the stand-in service and ended from the tray, then removed by the uninstaller that its
// Add/Remove Programs entry names, with feedback.
#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "MessengerDriver.h"
#include "StandIn.h"
#include "WizardDriver.h"

namespace {

namespace fs = std::filesystem;
using e2e::KeyExists;
using e2e::StringValue;

constexpr int kWait = 30000;
constexpr const char* kEntry =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\zemblySMS v2.00";
constexpr const char* kProductKey = "Software\\Tarnwick\\zemblySMS";
constexpr const char* kFeedback = "Easy to install\rand to remove";

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string SpecialFolder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::string(path) + "\\";
}

std::set<std::string> FileNames(const std::string& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        names.insert(entry.path().filename().string());
    return names;
}

struct Link {
    std::string target;
    std::string workingFolder;
};

// What a shortcut file points at, read back through the shell's own link object.
Link ReadLink(const std::string& path) {
    Link link;
    IShellLinkA* shell = nullptr;
    IPersistFile* file = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shell))))
        return link;
    shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    char text[MAX_PATH] = {}, folder[MAX_PATH] = {};
    if (file && SUCCEEDED(file->Load(std::wstring(path.begin(), path.end()).c_str(), STGM_READ)) &&
        SUCCEEDED(shell->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
        SUCCEEDED(shell->GetWorkingDirectory(folder, MAX_PATH)))
        link = {text, folder};
    if (file) file->Release();
    shell->Release();
    return link;
}

// The recycle bin of the prefix's home: a note per deleted item in "info", named after the item
// in "files" with ".trashinfo" added, telling where it was.
std::string Trash() {
    const std::string home = getenv("WINEHOMEDIR") ? getenv("WINEHOMEDIR") : "";  // "\\??\\Z:\\..."
    return home.size() > 4 ? home.substr(4) + "\\.local\\share\\Trash\\" : std::string();
}
std::set<std::string> TrashNotes() {
    std::set<std::string> notes;
    std::error_code error;
    for (const auto& note : fs::directory_iterator(Trash() + "info", error))
        notes.insert(note.path().filename().string());
    return notes;
}
std::string TrashedItem(const std::string& note) {
    return Trash() + "files\\" + note.substr(0, note.size() - std::string(".trashinfo").size());
}

class WholeSystem : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        standIn_.Start();
        // The wizard and the messenger it starts inherit where the maker's site and the account
        // service are.
        SetEnvironmentVariableA("ZEMBLY_MAKER_HOST", standIn_.Host().c_str());
        SetEnvironmentVariableA("ZEMBLY_SERVICE_HOST", standIn_.Host().c_str());
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        scratchName_ = "zembly-system-" + std::to_string(GetTickCount());
        scratch_ = std::string(temp) + scratchName_;
        CreateDirectoryA(scratch_.c_str(), nullptr);
        install_ = scratch_ + "\\Tarnwick\\zemblySMS";
        RemoveWhatAnInstallLeaves();
        trashBefore_ = TrashNotes();
    }

    void TearDown() override {
        RemoveWhatAnInstallLeaves();
        std::error_code error;
        fs::remove_all(scratch_, error);
        // The test runs alone: what the bin got meanwhile is the uninstall's.
        for (const std::string& note : TrashNotes()) {
            if (trashBefore_.count(note)) continue;
            fs::remove_all(TrashedItem(note), error);
            fs::remove(Trash() + "info\\" + note, error);
        }
        standIn_.Stop();
        CoUninitialize();
    }

    // What a run that stopped half-way would leave for the next one.
    void RemoveWhatAnInstallLeaves() {
        for (const std::string& link : {desktop_ + "zemblySMS.lnk", startup_ + "zemblySMS.lnk"})
            DeleteFileA(link.c_str());
        std::error_code error;
        fs::remove_all(menu_, error);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kEntry);
        RegDeleteTreeA(HKEY_CURRENT_USER, kProductKey);
    }

    std::string Installed(const std::string& name) const { return install_ + "\\" + name; }
    std::vector<std::string> Links() const {
        return {desktop_ + "zemblySMS.lnk", startup_ + "zemblySMS.lnk", menu_ + "\\zemblySMS.lnk"};
    }

    void InstallThroughThePages();
    void CheckWhatTheInstallMade();
    void UseTheMessengerThatFinishStarts();
    void UninstallWithFeedback();
    void CheckWhatTheUninstallLeft();

    standin::StandIn standIn_;
    const std::string package_ = e2e::HostPath(ZEMBLY_PACKAGE_DIR) + "\\";
    const std::string desktop_ = SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY);
    const std::string startup_ = SpecialFolder(CSIDL_COMMON_STARTUP);
    const std::string menu_ = SpecialFolder(CSIDL_COMMON_PROGRAMS) + "zemblySMS";
    const std::string uninstaller_ = SpecialFolder(CSIDL_WINDOWS) + "$twUninstallV1$\\";
    std::string scratchName_;
    std::string scratch_;
    std::string install_;
    std::set<std::string> trashBefore_;
    e2e::WizardProcess setup_;
};

void WholeSystem::InstallThroughThePages() {
    ASSERT_TRUE(setup_.Start(package_ + "setup.exe"));
    ASSERT_TRUE(setup_.WaitForPage("Welcome", kWait)) << "the wizard never showed";
    // Until start-up has read setup.ini and the maker's page has answered, Next on the Location
    // page would pass the Type page by.
    ASSERT_TRUE(e2e::WaitUntil([&] { return !setup_.ComponentBoxes().empty(); }, kWait));
    EXPECT_EQ(setup_.ComponentBoxes(), std::vector<std::string>{"Read Me"});
    const HWND wizard = setup_.Wizard();

    ASSERT_TRUE(setup_.PressWhenEnabled(wizard, "Next", kWait));
    ASSERT_TRUE(setup_.WaitForPage("License", kWait));
    ASSERT_TRUE(setup_.Press(wizard, "I agree to these terms and conditions"));
    ASSERT_TRUE(setup_.PressWhenEnabled(wizard, "Next", kWait)) << "agreeing did not enable Next";
    ASSERT_TRUE(setup_.WaitForPage("Location", kWait));

    // The folder that setup.ini makes, replaced by one of the test's own, pasted in.
    const HWND folder = e2e::VisibleChild(wizard, [](HWND child) {
        const std::string text = e2e::WindowText(child);
        return text.size() > 19 && text.substr(text.size() - 19) == "\\Tarnwick\\zemblySMS";
    });
    ASSERT_NE(folder, nullptr) << "no install folder of company and product on the Location page";
    SendMessageA(folder, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(install_.c_str()));
    ASSERT_TRUE(setup_.PressWhenEnabled(wizard, "Next", kWait));
    const HWND question = setup_.WaitForMessageBox(kWait);
    ASSERT_NE(question, nullptr) << "no question about the new folder";
    EXPECT_EQ(e2e::MessageText(question), "This folder does not currently exist, ok to create it?");
    setup_.Press(question, "&Yes");
    ASSERT_TRUE(setup_.WaitForPage("Type", kWait));

    ASSERT_TRUE(setup_.Press(wizard, "Custom Installation"));
    HWND readMe = nullptr;
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            readMe = e2e::VisibleChild(
                wizard, [](HWND child) { return e2e::WindowText(child) == "Read Me"; });
            return readMe && IsWindowEnabled(readMe);
        },
        kWait))
        << "Custom did not free the component boxes";
    ASSERT_TRUE(setup_.Press(wizard, "Read Me"));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !e2e::IsChecked(readMe); }, kWait));

    ASSERT_TRUE(setup_.PressWhenEnabled(wizard, "Next", kWait));
    ASSERT_TRUE(setup_.WaitForPage("Folder", kWait));
    ASSERT_TRUE(setup_.PressWhenEnabled(wizard, "Next", kWait));
    ASSERT_TRUE(setup_.WaitForPage("Summary", kWait));
    ASSERT_TRUE(setup_.PressWhenEnabled(wizard, "Next", kWait));
    ASSERT_TRUE(setup_.WaitForPage("Finished", 2 * kWait)) << "the install did not end";
}

void WholeSystem::CheckWhatTheInstallMade() {
    // The program and its sounds as the package zipped them; the read-me was left out.
    const std::string zipped = e2e::HostPath(ZEMBLY_PACKAGE_SOURCES) + "\\";
    EXPECT_EQ(FileNames(install_),
              (std::set<std::string>{"zemblySMS.exe", "zSMS-Startup.wav", "zSMS-Sent.wav",
                                     "zSMS-Fail.wav", "setup.ini", "setup.ico", "setup.lst"}));
    for (const char* name : {"zemblySMS.exe", "zSMS-Startup.wav", "zSMS-Sent.wav", "zSMS-Fail.wav"})
        EXPECT_TRUE(Read(Installed(name)) == Read(zipped + name)) << name << " differs";
    EXPECT_EQ(Read(Installed("setup.ini")), Read(package_ + "setup.ini"));

    // The one shortcut target, on the desktop, in Startup and in its own program-menu folder.
    EXPECT_EQ(FileNames(menu_), std::set<std::string>{"zemblySMS.lnk"});
    for (const std::string& path : Links()) {
        const Link link = ReadLink(path);
        EXPECT_TRUE(e2e::SamePath(link.target, Installed("zemblySMS.exe")))
            << path << " leads to " << link.target;
        EXPECT_TRUE(e2e::SamePath(link.workingFolder, install_))
            << path << " starts in " << link.workingFolder;
    }

    EXPECT_EQ(StringValue(HKEY_CURRENT_USER, kProductKey, "Version"), "2.00");
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kEntry, "DisplayName"), "zemblySMS (Remove Only)");
    EXPECT_TRUE(e2e::SamePath(StringValue(HKEY_LOCAL_MACHINE, kEntry, "DisplayIcon"),
                              Installed("setup.ico")));
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kEntry, "Publisher"), "Tarnwick");
    // The uninstaller copy, told that the install made its folder.
    const std::string command = StringValue(HKEY_LOCAL_MACHINE, kEntry, "UninstallString");
    const std::string program = command.substr(0, command.find(' '));
    EXPECT_TRUE(e2e::SamePath(program, uninstaller_ + "setup.exe")) << command;
    EXPECT_EQ(command.substr(program.size()), " /uninstall: 1," + install_);
    EXPECT_EQ(Read(program), Read(package_ + "setup.exe"));
}

void WholeSystem::UseTheMessengerThatFinishStarts() {
    ASSERT_TRUE(setup_.PressWhenEnabled(setup_.Wizard(), "Finish", kWait));
    EXPECT_EQ(setup_.WaitForExit(kWait), 0u);
    HWND logon = nullptr;
    ASSERT_TRUE(e2e::WaitUntil(
        [&] { return (logon = e2e::ProgramWindow(Installed("zemblySMS.exe"), "Account Logon")); },
        kWait))
        << "Finish did not start the installed messenger";
    DWORD id = 0;
    GetWindowThreadProcessId(logon, &id);
    e2e::MessengerProcess messenger;
    ASSERT_TRUE(messenger.Attach(id));

    // The user name and password fields, by their places in the window.
    messenger.Type(logon, 130, 80, "demo");
    messenger.Type(logon, 130, 112, "demo");
    messenger.Press(logon, "OK");
    ASSERT_TRUE(e2e::WaitUntil(
        [&] { return !messenger.Visible("Account Logon") && messenger.TrayWindow(); }, kWait))
        << "the logon did not go through";

    const HWND composer = messenger.OpenComposer();
    ASSERT_NE(composer, nullptr) << "the composer did not open from the tray";
    const std::string contacts = Installed("contacts.con");
    ASSERT_TRUE(messenger.AddContact(composer, "Ann", "447700900001"));
    ASSERT_TRUE(e2e::WaitUntil(
        [&] { return Read(contacts) == "[zembly SMS contacts 2.00]\r\nAnn|447700900001\r\n"; },
        kWait))
        << Read(contacts);

    messenger.ClickFirstContact(composer);
    messenger.Type(composer, 300, 95, "Me");
    messenger.Type(composer, 252, 144, "Hi Ann,\rsee you");
    ASSERT_TRUE(messenger.PressWhenEnabled(composer, "Send", kWait));
    // Send ends with its button enabled again, once the poll has found nothing pending.
    const HWND send =
        e2e::VisibleChild(composer, [](HWND child) { return e2e::WindowText(child) == "Send"; });
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            const auto sent = standIn_.Service().Messages();
            return sent.size() == 1 &&
                   sent[0].state != standin::AccountService::Message::State::Pending &&
                   IsWindowEnabled(send);
        },
        kWait))
        << "Send did not end";
    // The submit carries the logon's user and password, the sender, the number with its ";" and
    // the message with the signature, escaped; the poll the user and fields 1 and 2 of the
    // submit's reply "Success,1,1".
    std::vector<std::string> commands;
    for (const std::string& line : standIn_.RequestLines())
        if (line.find("?30,") != std::string::npos || line.find("?31,") != std::string::npos)
            commands.push_back(line);
    EXPECT_EQ(commands, (std::vector<std::string>{
                            "GET /cgi-bin/userc.pl?30,demo,demo,Me,447700900001;,"
                            "Hi%20Ann%2C%0Asee%20you%0A[sent%20via%20zemblySMS!] HTTP/1.1",
                            "GET /cgi-bin/userc.pl?31,demo,1,1 HTTP/1.1"}));
    EXPECT_EQ(standIn_.Service().Credits("demo"), 99);

    ASSERT_TRUE(messenger.ChooseTrayItemFromEnd(0)) << "the tray menu did not open";
    ASSERT_EQ(messenger.WaitForExit(kWait), 0u) << "Exit did not end the messenger";
    const std::string settings = Read(Installed("zemblySMS.ini"));
    EXPECT_EQ(
        settings.rfind("[zemblySMS 2.00]\r\n3rd Party=false\r\nUsername=demo\r\nPassword=\r\n", 0),
        0u)
        << settings;
    EXPECT_NE(settings.find("\r\nFrom Last=Me\r\n"), std::string::npos) << settings;
    // Exit writes no contacts: they stay as the dialog's OK left them.
    EXPECT_EQ(Read(contacts), "[zembly SMS contacts 2.00]\r\nAnn|447700900001\r\n");
}

void WholeSystem::UninstallWithFeedback() {
    const std::string command = StringValue(HKEY_LOCAL_MACHINE, kEntry, "UninstallString");
    e2e::WizardProcess uninstall;
    ASSERT_TRUE(uninstall.StartCommand(command)) << command;
    ASSERT_EQ(uninstall.Uninstall(kFeedback, kWait), "") << "the uninstall stopped there";
    EXPECT_EQ(uninstall.WaitForExit(kWait), 0u);
}

void WholeSystem::CheckWhatTheUninstallLeft() {
    const auto feedback = standIn_.Service().FeedbackReceived();
    ASSERT_EQ(feedback.size(), 1u);
    EXPECT_EQ(feedback[0].id, "2");
    EXPECT_EQ(feedback[0].product, "zemblySMS");
    EXPECT_EQ(feedback[0].text, "Easy to install\r<br>\nand to remove");

    EXPECT_FALSE(Exists(install_));
    for (const std::string& path : Links()) EXPECT_FALSE(Exists(path)) << path;
    EXPECT_FALSE(Exists(menu_));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProductKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEntry));

    // What stays: the folder level above the install folder, the uninstaller, and the install
    // folder with the user's settings in the recycle bin.
    EXPECT_TRUE(Exists(scratch_ + "\\Tarnwick"));
    for (const char* file : {"setup.exe", "unzdll.dll"})
        EXPECT_TRUE(Exists(uninstaller_ + file)) << file;
    std::string trashed;
    for (const std::string& note : TrashNotes())
        if (!trashBefore_.count(note) &&
            Read(Trash() + "info\\" + note).find("/" + scratchName_ + "/") != std::string::npos)
            trashed = TrashedItem(note);
    for (const char* file : {"zemblySMS.ini", "contacts.con"})
        EXPECT_TRUE(Exists(trashed + "\\" + file)) << file << " is not in the bin";
}

TEST_F(WholeSystem, InstalledUsedAndRemovedThroughTheirWindows) {
    ASSERT_NO_FATAL_FAILURE(InstallThroughThePages());
    ASSERT_NO_FATAL_FAILURE(CheckWhatTheInstallMade());
    ASSERT_NO_FATAL_FAILURE(UseTheMessengerThatFinishStarts());
    ASSERT_NO_FATAL_FAILURE(UninstallWithFeedback());
    CheckWhatTheUninstallLeft();
}

}  // namespace
