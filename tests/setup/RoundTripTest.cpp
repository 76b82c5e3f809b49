// The whole road: a product installed from a real archive through the wizard's pages, then
// removed by the uninstaller copy that the install left, started as its own process with the
// Add/Remove Programs entry's command line and walked through its pages with feedback.
#include <windows.h>

#include <set>

#include "KelTextHandler1.h"
#include "UninstallRegistration.h"
#include "WizardDriver.h"
#include "WizardTestSupport.h"
#include "ZipTestWriter.h"

namespace {

using e2e::HostPath;
using e2e::StringValue;
using wizard_test::Exists;
using wizard_test::WizardTest;

constexpr const char* kProduct = "Round Trip";
constexpr const char* kTestKey = "Software\\ZemblyRoundTrip";
const std::string kShared = std::string(kTestKey) + "\\Shared";
const std::string kOwn = std::string(kTestKey) + "\\Product";
const std::string kEntry = std::string(setup::kUninstallKeyBase) + kProduct + " v1";
// The Add/Remove Programs list itself.
const std::string kEntries = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Every value name and string of a key, and its subkeys' names.
std::set<std::string> Contents(HKEY root, const std::string& key) {
    std::set<std::string> contents;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return contents;
    char name[512];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        contents.insert("key " + std::string(name));
    }
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumValueA(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        contents.insert("value " + std::string(name) + "=" + StringValue(root, key, name));
    }
    RegCloseKey(handle);
    return contents;
}

class RoundTrip : public WizardTest {
protected:
    void TearDown() override {
        SetEnvironmentVariableA("ZEMBLY_MAKER_HOST", nullptr);
        SetEnvironmentVariableA("ZEMBLY_SERVICE_HOST", nullptr);
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kEntry.c_str());
        for (const std::string& link :
             {desktop_ + kProduct + ".lnk", desktop_ + "tray.lnk", startup_ + "tray.lnk"})
            DeleteFileA(link.c_str());
        WizardTest::TearDown();
    }

    KelTextHandler kth_{nullptr};
    const std::string desktop_ = kth_.GetSpecialFolder("allDesktop");
    const std::string startup_ = kth_.GetSpecialFolder("allStartup");
    const std::string menu_ = kth_.GetSpecialFolder("allPrograms") + kProduct;
};

TEST_F(RoundTrip, WhatTheInstallMadeIsGoneAndOnlyTheUninstallerStays) {
    wizard_test::SetString(HKEY_CURRENT_USER, kShared, "OtherProgram", "keep me");
    const std::set<std::string> sharedBefore = Contents(HKEY_CURRENT_USER, kShared);
    const std::set<std::string> entriesBefore = Contents(HKEY_LOCAL_MACHINE, kEntries);
    const std::set<std::string> softwareBefore = Contents(HKEY_CURRENT_USER, "Software");
    const std::string trash = wizard_test::RecycleBin();

    // The wizard's folder as the maker ships it.
    ASSERT_TRUE(
        CopyFileA(HostPath(ZEMBLY_SETUP_PROGRAM).c_str(), Path("setup.exe").c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA(HostPath(ZEMBLY_UNZIP_LIBRARY).c_str(), Path("unzdll.dll").c_str(), FALSE));
    Write("setup.ico", "icon");
    Write("setup.tws", ziptest::Build({{"road.exe", std::string(70000, 'r')},
                                       {"tray.exe", "tray"},
                                       {"docs/readme.txt", "read me"},
                                       {"unused.dat", "not asked for"}})
                           .bytes);
    Write("setup.ini", wizard_test::Ini(std::vector<std::string>{
                           "progname=Round Trip", "company=Acme", "version=1", "feedback=5",
                           "app=road.exe", "startup=tray.exe", "[Documents]", "file=docs/*,Docs",
                           "key=HKEY_CURRENT_USER\\" + kShared + ",string,Round Trip,road",
                           "key=HKEY_CURRENT_USER\\" + kOwn + ",integer,Runs,1"}));
    // A name of its own, so that the bin holds no other folder of that name.
    const std::string parent = MakeFolder("Acme");
    const std::string install = parent + "\\Round Trip " + std::to_string(GetTickCount());

    // The uninstaller inherits where the maker's site and its service are.
    SetEnvironmentVariableA("ZEMBLY_MAKER_HOST", standIn_.Host().c_str());
    SetEnvironmentVariableA("ZEMBLY_SERVICE_HOST", standIn_.Host().c_str());

    Start();
    InstallThroughPages(install);
    ASSERT_EQ(7, Page());
    EXPECT_EQ("", form_->Label24->Caption());
    Close();

    const std::vector<std::string> made = {install + "\\road.exe",
                                           install + "\\tray.exe",
                                           install + "\\Docs\\docs\\readme.txt",
                                           install + "\\setup.ini",
                                           install + "\\setup.ico",
                                           install + "\\setup.lst",
                                           desktop_ + kProduct + ".lnk",
                                           desktop_ + "tray.lnk",
                                           startup_ + "tray.lnk",
                                           menu_ + "\\" + kProduct + ".lnk",
                                           menu_ + "\\tray.lnk"};
    for (const std::string& path : made) EXPECT_TRUE(Exists(path)) << path;
    EXPECT_FALSE(Exists(install + "\\unused.dat"));
    EXPECT_EQ("road", StringValue(HKEY_CURRENT_USER, kShared, "Round Trip"));
    const std::string uninstaller =
        setup::UninstallerFolder(kth_.GetSpecialFolder("windows")) + "\\";
    const std::string command = StringValue(HKEY_LOCAL_MACHINE, kEntry, "UninstallString");
    EXPECT_EQ(uninstaller + "setup.exe /uninstall: 1," + install, command);

    e2e::WizardProcess uninstall;
    ASSERT_TRUE(uninstall.StartCommand(command)) << command;
    ASSERT_EQ("", uninstall.Uninstall("Works\rfine", 20000)) << "the uninstall stopped there";
    EXPECT_EQ(0u, uninstall.WaitForExit(20000));

    ASSERT_EQ(1u, standIn_.Service().FeedbackReceived().size());
    const standin::AccountService::Feedback feedback = standIn_.Service().FeedbackReceived()[0];
    EXPECT_EQ("5", feedback.id);
    EXPECT_EQ(kProduct, feedback.product);
    EXPECT_EQ("Works\r<br>\nfine", feedback.text);

    for (const std::string& path : made) EXPECT_FALSE(Exists(path)) << path;
    EXPECT_FALSE(Exists(install));
    EXPECT_FALSE(Exists(menu_));
    EXPECT_TRUE(Exists(parent));
    const std::string trashed = install.substr(install.rfind('\\') + 1);
    EXPECT_TRUE(Exists(trash + "\\" + trashed)) << trashed;
    EXPECT_EQ(sharedBefore, Contents(HKEY_CURRENT_USER, kShared));
    EXPECT_FALSE(e2e::KeyExists(HKEY_CURRENT_USER, kOwn));
    EXPECT_EQ(entriesBefore, Contents(HKEY_LOCAL_MACHINE, kEntries));
    EXPECT_EQ(softwareBefore, Contents(HKEY_CURRENT_USER, "Software"));
    EXPECT_TRUE(Exists(uninstaller + "setup.exe"));
    EXPECT_TRUE(Exists(uninstaller + "unzdll.dll"));
}

}  // namespace
