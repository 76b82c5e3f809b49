// The uninstall road as the uninstaller runs it: started with the uninstall command on a folder
// the test fills as an install would, walked by Next, with the feedback going to the stand-in and
// the links, registry values and the Add/Remove Programs entry in the wine prefix's own places.
#include <windows.h>

#include <shlobj.h>

#include "InstallRecord.h"
#include "KelTextHandler1.h"
#include "UninstallRegistration.h"
#include "WindowDriver.h"
#include "WizardTestSupport.h"

namespace {

using wizard_test::Ini;
using wizard_test::WizardTest;

constexpr const char* kTestKey = "Software\\ZemblyRoadTest";

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

HKEY CreateKey(HKEY root, const std::string& key) {
    HKEY handle = nullptr;
    RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
    return handle;
}

void SetValue(HKEY root, const std::string& key, const std::string& name) {
    HKEY handle = CreateKey(root, key);
    RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    RegCloseKey(handle);
}

bool HasValue(HKEY root, const std::string& key, const std::string& name) {
    return RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

bool HasKey(HKEY root, const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

class UninstallRoadTest : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        desktop_ = kth_.GetSpecialFolder("allDesktop");
        startup_ = kth_.GetSpecialFolder("allStartup");
        programs_ = kth_.GetSpecialFolder("allPrograms");
        for (const std::string& folder : {desktop_, startup_, programs_})
            SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::string& path : made_) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        for (const std::string& folder : madeFolders_) RemoveDirectoryA(folder.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, EntryKey().c_str());
        WizardTest::TearDown();
    }

    // A file the test made outside the folders WizardTest removes.
    void Make(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        Write(path, "");
        SetFileAttributesA(path.c_str(), attributes);
        made_.push_back(path);
    }
    void MakeFolderAt(const std::string& path) {
        CreateDirectoryA(path.c_str(), nullptr);
        madeFolders_.push_back(path);
    }
    // The Add/Remove Programs entry an install of "Road v1" leaves.
    static std::string EntryKey() { return std::string(setup::kUninstallKeyBase) + "Road v1"; }
    void MakeEntry() { SetValue(HKEY_LOCAL_MACHINE, EntryKey(), "UninstallString"); }

    // Starts the uninstaller on `installed` and presses Next until the road has run, typing the
    // feedback on the feedback page when there is one.
    TForm1& Uninstall(const std::string& installed, bool created, const std::string& feedback) {
        TForm1& form = Start(std::string("/uninstall: ") + (created ? "1," : "0,") + installed);
        EXPECT_EQ(Page(), 8);
        Press(*form.Button2);
        if (Page() == 9) {
            testing_support::Type(*form.Memo2, feedback);
            Press(*form.Button2);
        }
        EXPECT_EQ(Page(), 11);
        return form;
    }

    std::string Warning(const std::string& note) const {
        return "WARNING:\n\r\n\rSetup reported an error whilst removing: " + note + ".";
    }

    KelTextHandler kth_{nullptr};
    std::string desktop_, startup_, programs_;  // each ends in "\"
    std::vector<std::string> made_, madeFolders_;
};

TEST_F(UninstallRoadTest, WhatTheRecordNamesGoesWithTheFeedbackAndEveryStage) {
    const std::string installed = MakeFolder("Acme\\Road");
    const std::string shared = std::string(kTestKey) + "\\Run";
    const std::string own = std::string(kTestKey) + "\\Road";
    Write(installed + "\\setup.ini",
          Ini({"progname=Road", "version=1", "feedback=7", "app=road.exe", "file=*.txt", "[Tools]",
               "startup=my.app.exe", "app=ocean*,bin",
               ("key=HKEY_CURRENT_USER\\" + shared + ",string,Road,c:\\road.exe").c_str(),
               ("key=HKEY_CURRENT_USER\\" + own + ",integer,size,3").c_str()}));
    Write(installed + "\\setup.ico", "");
    CreateDirectoryA((installed + "\\bin").c_str(), nullptr);
    // The user named the program-menu folder otherwise at install time.
    const std::string menu = programs_ + "Road Tools";
    MakeFolderAt(menu);
    const std::vector<std::string> installedFiles = {
        installed + "\\\\road.exe", installed + "\\\\readme.txt", installed + "\\\\my.app.exe",
        installed + "\\bin\\ocean1.exe", installed + "\\bin\\ocean2.exe"};
    const std::vector<std::string> links = {desktop_ + "Road.lnk", menu + "\\Road.lnk",
                                            desktop_ + "my.app.lnk", startup_ + "my.app.lnk",
                                            menu + "\\my.app.lnk"};
    for (const std::string& path : installedFiles) Write(path, "");
    for (const std::string& path : links) Make(path);
    std::vector<std::string> record = installedFiles;
    record.insert(record.end(), links.begin(), links.end());
    Write(installed + setup::kInstallRecordFile, setup::InstallRecordText(record));
    // Matched by the masks, never installed.
    Write(installed + "\\notes.txt", "");
    Write(installed + "\\bin\\ocean.cfg", "");
    Make(desktop_ + "Other.lnk");
    SetValue(HKEY_CURRENT_USER, shared, "Road");
    SetValue(HKEY_CURRENT_USER, shared, "OtherProgram");
    SetValue(HKEY_CURRENT_USER, own, "size");
    MakeEntry();

    TForm1& form = Uninstall(installed, false, "ab\rcd");

    ASSERT_EQ(standIn_.Service().FeedbackReceived().size(), 1u);
    const standin::AccountService::Feedback sent = standIn_.Service().FeedbackReceived()[0];
    EXPECT_EQ(sent.id, "7");
    EXPECT_EQ(sent.product, "Road");
    EXPECT_EQ(sent.text, "ab\r<br>\ncd");

    EXPECT_EQ(form.Label35->Caption(), "");
    EXPECT_EQ(form.ListBox13->Items().Items(),
              (std::vector<std::string>{"3,road.exe", "0,*.txt", "1,my.app.exe", "3,ocean*,bin",
                                        "0,setup.ini", "0,setup.ico"}));
    for (const std::string& path : installedFiles) EXPECT_FALSE(Exists(path)) << path;
    for (const std::string& path : links) EXPECT_FALSE(Exists(path)) << path;
    for (const char* copy : {"\\setup.ini", "\\setup.ico", setup::kInstallRecordFile})
        EXPECT_FALSE(Exists(installed + copy)) << copy;
    EXPECT_TRUE(Exists(installed + "\\notes.txt"));
    EXPECT_TRUE(Exists(installed + "\\bin\\ocean.cfg"));
    EXPECT_TRUE(Exists(desktop_ + "Other.lnk"));
    EXPECT_TRUE(Exists(menu));
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, shared, "Road"));
    EXPECT_TRUE(HasValue(HKEY_CURRENT_USER, shared, "OtherProgram"));
    EXPECT_FALSE(HasKey(HKEY_CURRENT_USER, own));
    EXPECT_FALSE(HasKey(HKEY_LOCAL_MACHINE, EntryKey()));

    // The stages as they were left, and the end page's buttons.
    for (gui::TImage* done : {form.Image6, form.Image7, form.Image8}) EXPECT_TRUE(done->Visible());
    EXPECT_FALSE(form.RxGIF->Visible());
    EXPECT_EQ(form.RxGIF->Left(), 366);
    EXPECT_EQ(form.ProgressBar3->Position(), 100);
    EXPECT_EQ(form.Cursor(), gui::crDefault);
    EXPECT_FALSE(form.Button1->Enabled());
    EXPECT_TRUE(form.Button2->Enabled());
    EXPECT_EQ(form.Button2->Caption(), "Finish");
}

TEST_F(UninstallRoadTest, WithoutARecordTheNamingRulesAndMasksDecideAndTheLastFailureShows) {
    const std::string installed = MakeFolder("Acme\\Road");
    Write(installed + "\\setup.ini",
          Ini({"progname=Road", "version=1", "feedback=7", "file=readme.txt", "app=ocean.exe",
               "startup=clock.exe", "app=ocean*,bin", "file=locked.dll,bin", "file=*.txt,.."}));
    CreateDirectoryA((installed + "\\bin").c_str(), nullptr);
    for (const char* name : {"\\readme.txt", "\\readme.txt.bak", "\\ocean.exe", "\\clock.exe",
                             "\\bin\\ocean1.exe", "\\bin\\ocean.cfg"})
        Write(installed + name, "");
    Write(installed + "\\bin\\locked.dll", "");
    const std::string outside = installed.substr(0, installed.rfind('\\')) + "\\outside.txt";
    Write(outside, "");
    SetFileAttributesA((installed + "\\bin\\locked.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((installed + "\\setup.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string menu = programs_ + "Road";
    MakeFolderAt(menu);
    Make(menu + "\\Road.lnk");
    for (const char* link : {"Road.lnk", "ocean.lnk", "clock.lnk"}) Make(desktop_ + link);
    Make(startup_ + "clock.lnk");
    MakeEntry();

    TForm1& form = Uninstall(installed, false, "abcde");

    EXPECT_TRUE(standIn_.Service().FeedbackReceived().empty());
    // Line 0 is a plain file: no link is named after the product.
    EXPECT_TRUE(Exists(desktop_ + "Road.lnk"));
    for (const std::string& gone :
         {desktop_ + "ocean.lnk", desktop_ + "clock.lnk", startup_ + "clock.lnk", menu})
        EXPECT_FALSE(Exists(gone)) << gone;
    for (const char* gone : {"\\readme.txt", "\\ocean.exe", "\\clock.exe", "\\bin\\ocean1.exe",
                             "\\bin\\ocean.cfg", "\\setup.ico"})
        EXPECT_FALSE(Exists(installed + gone)) << gone;
    // A mask without "*" names one file exactly.
    EXPECT_TRUE(Exists(installed + "\\readme.txt.bak"));
    EXPECT_TRUE(Exists(installed + "\\bin\\locked.dll"));
    EXPECT_TRUE(Exists(outside));
    // Two failures: the last one is named, and with setup.ini kept the entry stays.
    EXPECT_TRUE(Exists(installed + "\\setup.ini"));
    EXPECT_EQ(form.Label35->Caption(), Warning("setup.ini"));
    EXPECT_TRUE(HasKey(HKEY_LOCAL_MACHINE, EntryKey()));
    SetFileAttributesA((installed + "\\bin\\locked.dll").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA((installed + "\\setup.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(UninstallRoadTest, AProgramsFolderIsNeverTakenAndACreatedFolderGoesToTheRecycleBin) {
    // The trash of the test's home ("\\??\\Z:\\..." as wine names it); the shell uses it once
    // it exists.
    const char* home = getenv("WINEHOMEDIR");
    ASSERT_NE(home, nullptr);
    const std::string trash = std::string(home).substr(4) + "\\.local\\share\\Trash\\files";
    SHCreateDirectoryExA(nullptr, trash.c_str(), nullptr);
    // A name of its own, so that the bin holds no other folder of that name.
    const std::string installed = MakeFolder("Acme\\Road" + std::to_string(GetTickCount()));
    const std::string parent = installed.substr(0, installed.rfind('\\'));
    // Without a product name the program-menu folder is the Programs folder itself.
    Write(installed + "\\setup.ini", Ini({"progname=", "version=1", "file=a.txt"}));
    Write(installed + "\\a.txt", "");
    Make(programs_ + "kept.lnk");

    TForm1& form = Uninstall(installed, true, "");

    EXPECT_TRUE(standIn_.Service().FeedbackReceived().empty());
    EXPECT_TRUE(Exists(programs_ + "kept.lnk"));
    EXPECT_EQ(form.Label35->Caption(), Warning(programs_));
    EXPECT_FALSE(Exists(installed));
    EXPECT_TRUE(Exists(parent));
    const std::string name = installed.substr(installed.rfind('\\') + 1);
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((trash + "\\" + name + "*").c_str(), &found);
    EXPECT_NE(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

}  // namespace
