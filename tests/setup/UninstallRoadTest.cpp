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

using wizard_test::Exists;
using wizard_test::Ini;
using wizard_test::WizardTest;

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
    void MakeEntry() { wizard_test::SetString(HKEY_LOCAL_MACHINE, EntryKey(), "UninstallString"); }

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

// The feedback and the registry lines' undoing are checked on the whole road (RoundTripTest).
TEST_F(UninstallRoadTest, WhatTheRecordNamesGoesAndEveryStageShows) {
    const std::string installed = MakeFolder("Acme\\Road");
    Write(installed + "\\setup.ini",
          Ini({"progname=Road", "version=1", "app=road.exe", "file=*.txt", "[Tools]",
               "startup=my.app.exe", "app=ocean*,bin"}));
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

    TForm1& form = Uninstall(installed, false, "");

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

    // The stages as they were left, and the end page's buttons.
    for (gui::TImage* done : {form.Image6, form.Image7, form.Image8}) EXPECT_TRUE(done->Visible());
    EXPECT_FALSE(form.RxGIF->Visible());
    EXPECT_EQ(form.RxGIF->Left(), 366);
    EXPECT_EQ(form.ProgressBar3->Position(), 100);
    EXPECT_EQ(form.Cursor(), gui::crDefault);
    EXPECT_FALSE(form.Button1->Enabled());
    EXPECT_FALSE(form.Button3->Enabled());
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
    EXPECT_TRUE(wizard_test::KeyExists(HKEY_LOCAL_MACHINE, EntryKey()));
    SetFileAttributesA((installed + "\\bin\\locked.dll").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA((installed + "\\setup.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// That the created folder goes to the recycle bin is checked on the whole road (RoundTripTest).
TEST_F(UninstallRoadTest, AProgramsFolderIsNeverTakenAndACreatedFolderGoes) {
    const std::string installed = MakeFolder("Acme\\Road");
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
}

}  // namespace
