// The whole road: a product installed from a real archive through the wizard's pages, then
// removed by the uninstaller copy that the install left, started as its own process with the
// Add/Remove Programs entry's command line and walked through its pages with feedback.
#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <set>

#include "KelTextHandler1.h"
#include "UninstallRegistration.h"
#include "WindowDriver.h"
#include "WizardTestSupport.h"
#include "ZipTestWriter.h"

namespace {

using wizard_test::WizardTest;

constexpr const char* kProduct = "Round Trip";
constexpr const char* kTestKey = "Software\\ZemblyRoundTrip";
const std::string kShared = std::string(kTestKey) + "\\Shared";
const std::string kOwn = std::string(kTestKey) + "\\Product";
const std::string kEntry = std::string(setup::kUninstallKeyBase) + kProduct + " v1";
// The Add/Remove Programs list itself.
const std::string kEntries = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// A path of the build machine as wine names it.
std::string HostPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string StringValue(HKEY root, const std::string& key, const std::string& name) {
    char data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS)
        return "(none)";
    return data;
}

bool KeyExists(HKEY root, const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

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

void SetString(HKEY root, const std::string& key, const std::string& name,
               const std::string& data) {
    HKEY handle = nullptr;
    RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
    RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
    RegCloseKey(handle);
}

// The uninstaller as a process of its own, driven through its windows as a user drives it.
class UninstallerProcess {
public:
    explicit UninstallerProcess(std::string commandLine) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_);
    }
    ~UninstallerProcess() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    bool Started() const { return started_; }

    // The wizard's visible window, once it is up.
    bool WaitForWizard() {
        return WaitFor([this] {
            EnumWindows(
                [](HWND window, LPARAM self) -> BOOL {
                    auto* me = reinterpret_cast<UninstallerProcess*>(self);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(window, &owner);
                    char text[64] = {};
                    GetWindowTextA(window, text, sizeof text);
                    if (owner != me->process_.dwProcessId || !IsWindowVisible(window) ||
                        std::string(text) != "Tarnwick Installer v1.20")
                        return TRUE;
                    me->wizard_ = window;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(this));
            return wizard_ != nullptr;
        });
    }
    // The visible child of that window class whose text is `text` (any text when empty).
    HWND Child(const std::string& className, const std::string& text) {
        struct Search {
            std::string className, text;
            HWND found = nullptr;
        } search{className, text};
        EnumChildWindows(
            wizard_,
            [](HWND child, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                char name[64] = {}, caption[64] = {};
                GetClassNameA(child, name, sizeof name);
                GetWindowTextA(child, caption, sizeof caption);
                if (!IsWindowVisible(child) || _stricmp(name, s->className.c_str()) != 0 ||
                    (!s->text.empty() && s->text != caption))
                    return TRUE;
                s->found = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    // Presses the visible button of that caption once it is there and enabled.
    bool Press(const std::string& caption) {
        HWND button = nullptr;
        if (!WaitFor(
                [&] { return (button = Child("Button", caption)) && IsWindowEnabled(button); }))
            return false;
        PostMessageA(button, BM_CLICK, 0, 0);
        return true;
    }
    void Type(HWND edit, const std::string& text) {
        for (char c : text) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    DWORD WaitForExit() {
        if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    template <class Condition>
    static bool WaitFor(Condition condition) {
        for (int tries = 0; tries < 400; ++tries) {
            if (condition()) return true;
            Sleep(50);
        }
        return false;
    }

    bool started_ = false;
    PROCESS_INFORMATION process_{};
    HWND wizard_ = nullptr;
};

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
    SetString(HKEY_CURRENT_USER, kShared, "OtherProgram", "keep me");
    const std::set<std::string> sharedBefore = Contents(HKEY_CURRENT_USER, kShared);
    const std::set<std::string> entriesBefore = Contents(HKEY_LOCAL_MACHINE, kEntries);
    const std::set<std::string> softwareBefore = Contents(HKEY_CURRENT_USER, "Software");
    const char* home = getenv("WINEHOMEDIR");
    ASSERT_NE(home, nullptr);
    const std::string trash = std::string(home).substr(4) + "\\.local\\share\\Trash\\files";
    SHCreateDirectoryExA(nullptr, trash.c_str(), nullptr);

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
    Write(
        "setup.ini",
        wizard_test::Ini({"progname=Round Trip", "company=Acme", "version=1", "feedback=5",
                          "app=road.exe", "startup=tray.exe", "[Documents]", "file=docs/*,Docs",
                          ("key=HKEY_CURRENT_USER\\" + kShared + ",string,Round Trip,road").c_str(),
                          ("key=HKEY_CURRENT_USER\\" + kOwn + ",integer,Runs,1").c_str()}));
    // A name of its own, so that the bin holds no other folder of that name.
    const std::string parent = MakeFolder("Acme");
    const std::string install = parent + "\\Round Trip " + std::to_string(GetTickCount());

    // The uninstaller inherits where the maker's site and its service are.
    SetEnvironmentVariableA("ZEMBLY_MAKER_HOST", standIn_.Host().c_str());
    SetEnvironmentVariableA("ZEMBLY_SERVICE_HOST", standIn_.Host().c_str());

    TForm1& form = Start();
    Press(*form.Button2);
    testing_support::Click(*form.CheckBox1);
    Press(*form.Button2);
    form.DirectoryEdit1->SetText(install);
    for (int page = 2; page < 6; page = Page()) Press(*form.Button2);  // on to the Install page
    ASSERT_EQ(7, Page());
    EXPECT_EQ("", form.Label24->Caption());
    form_->Free();
    form_ = nullptr;

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

    UninstallerProcess uninstall(command);
    ASSERT_TRUE(uninstall.Started()) << command;
    ASSERT_TRUE(uninstall.WaitForWizard());
    ASSERT_TRUE(uninstall.Press("Next"));
    HWND memo = nullptr;
    for (int tries = 0; tries < 200 && !(memo = uninstall.Child("Edit", "")); ++tries) Sleep(50);
    ASSERT_NE(memo, nullptr);
    uninstall.Type(memo, "Works\rfine");
    ASSERT_TRUE(uninstall.Press("Next"));
    ASSERT_TRUE(uninstall.Press("Finish"));
    EXPECT_EQ(0u, uninstall.WaitForExit());

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
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kOwn));
    EXPECT_EQ(entriesBefore, Contents(HKEY_LOCAL_MACHINE, kEntries));
    EXPECT_EQ(softwareBefore, Contents(HKEY_CURRENT_USER, "Software"));
    EXPECT_TRUE(Exists(uninstaller + "setup.exe"));
    EXPECT_TRUE(Exists(uninstaller + "unzdll.dll"));
}

}  // namespace
