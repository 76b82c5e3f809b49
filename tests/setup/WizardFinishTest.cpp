// The install road's second half and Finish through the wizard's window, against the registry,
// files and shell links of a scratch tree that stands in for the Windows and link folders.
#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "FinishAction.h"
#include "FolderResolver.h"
#include "InstallFinishing.h"
#include "KelTextHandler1.h"
#include "LocalFiles.h"
#include "TextToolkit.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"
#include "WizardTestSupport.h"
#include "ZipTestWriter.h"

namespace {

using wizard_test::WizardTest;
using Value = std::pair<DWORD, std::string>;       // type, data (a number in decimal)
using Link = std::pair<std::string, std::string>;  // target, working folder

const char kHead[] = "WARNING:\n\r\n\rSetup reported an error whilst writing: ";
const char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ed v3";
const char kDesktopKey[] = "Control Panel\\Desktop";

std::optional<std::string> Read(const std::string& path) {
    return setup::ReadWholeFile(path);
}

std::optional<Value> ReadValue(HKEY root, const std::string& key, const std::string& name) {
    char data[1024] = {};
    DWORD type = 0, size = sizeof data;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_ANY, &type, data, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    DWORD number = 0;
    std::memcpy(&number, data, sizeof number);
    return Value{type, type == REG_DWORD ? std::to_string(number) : std::string(data)};
}

std::optional<Link> ReadLink(const std::string& file) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return std::nullopt;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
    char target[MAX_PATH] = {}, folder[MAX_PATH] = {};
    const bool loaded =
        SUCCEEDED(persist->Load(std::wstring(file.begin(), file.end()).c_str(), STGM_READ));
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetWorkingDirectory(folder, MAX_PATH);
    persist->Release();
    link->Release();
    return loaded ? std::optional<Link>(Link{target, folder}) : std::nullopt;
}

// The shell keeps a link's target as the file system names it.
std::string FullPath(const std::string& path) {
    char full[MAX_PATH];
    return std::string(full, GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr));
}

// The special folders of the scratch tree.
class ScratchFolders : public text::FolderSources {
public:
    std::string root, windows;
    std::string Environment(const std::string& name) override {
        return text::LowerAscii(name) == "windir" ? windows : std::string();
    }
    std::string ShellFolder(int csidl) override {
        switch (csidl) {
            case text::csidl::kCommonDesktopDirectory:
                return root + "desktop";
            case text::csidl::kCommonStartup:
                return root + "startup";
            case text::csidl::kCommonPrograms:
                return root + "programs";
            case text::csidl::kSystem:
                return root + "system32";
            default:
                return std::string();
        }
    }
    SizedText WindowsDirectory() override { return {}; }
    int64_t TempPathSize() override { return 0; }
    std::string TempPath(int64_t) override { return std::string(); }
    std::string RegistryString(text::RegistryRoot, const std::string&,
                               const std::string&) override {
        return std::string();
    }
    bool DirectoryExists(const std::string&) override { return false; }
};

class WizardFinish : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        for (const char* file : {"setup.exe", "unzdll.dll", "setup.ico"}) Write(file, file);
        const std::string installed = text::LowerAscii(MakeFolder("my apps\\ed"));
        folders_.root = installed.substr(0, installed.size() - std::strlen("my apps\\ed"));
        for (const char* folder : {"windows", "desktop", "startup", "programs", "programs\\Ed"})
            CreateDirectoryA((folders_.root + folder).c_str(), nullptr);
        folders_.windows = folders_.root + "windows";
        install_ = folders_.root + "my apps\\ed";
        key_ = "Software\\Zembly Finish " + std::to_string(GetCurrentProcessId());
        GetCurrentDirectoryA(MAX_PATH, startFolder_);
        setup::SetDisplaySettingsOpener([this](const std::string& at) { opened_.push_back(at); });
    }
    void TearDown() override {
        SetCurrentDirectoryA(startFolder_);
        setup::SetDisplaySettingsOpener(nullptr);
        for (const std::string& key : {key_, std::string(kEntry)}) {
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
            RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
            RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, "HKEY_CURRENT_USER");
        RegDeleteKeyA(HKEY_CURRENT_USER, "HKEY_CURRENT_USER");
        WizardTest::TearDown();
    }

    // The wizard for the product Ed, with these setup.ini lines, on a page.
    TForm1& OnPage(int page, std::vector<std::string> lines = {}) {
        lines.insert(lines.begin(), {"progname=Ed", "company=Acme", "version=3"});
        Write("setup.ini", wizard_test::Ini(lines));
        Start();
        form_->KTH->SetFolderSources(&folders_);
        form_->DirectoryEdit1->SetText(install_);
        form_->Notebook1->SetPageIndex(page);
        return *form_;
    }

    // The road's second half on the Install page, with these InstallEntryList lines.
    TForm1& Finish(std::vector<std::string> entries, std::string note = "",
                   std::vector<std::string> lines = {}, bool created = false) {
        TForm1& form = OnPage(6, lines);
        form.ListBox13->Items().Assign(entries);
        form.InstallFolderCreated = created;
        setup::InstallFinishing(form).Run({note, {install_ + "\\readme.txt"}});
        return form;
    }

    ScratchFolders folders_;
    std::string install_, key_;
    char startFolder_[MAX_PATH] = {};
    std::vector<std::string> opened_;
};

TEST_F(WizardFinish, KeyLinesWriteEachTypeUnderTheRootOfTheirLine) {
    const std::string k = key_;
    Finish({"0,readme.txt,,10"}, "",
           {"key=HKCU\\" + k + ",string,First,1",  // a misspelt first root: the current user
            "key=HKEY_LOCAL_MACHINE\\" + k + ",bool,On,True",
            "key=HKEY_LOCALMACHINE\\" + k + ",bool,Off,FALSE",  // misspelt: the root before
            "key=HKEY_CURRENT_USER\\" + k + ",integer,Count,12x",
            "key=HKEY_CURRENT_USER\\" + k + ",bool,Maybe,yes",
            "key=HKEY_CURRENT_USER\\" + k + ",integer,Size,-12",
            "key=HKEY_CURRENT_USER,string,Name,Ed"});
    EXPECT_EQ(Value(REG_SZ, "1"), ReadValue(HKEY_CURRENT_USER, k, "First"));
    EXPECT_EQ(Value(REG_DWORD, "1"), ReadValue(HKEY_LOCAL_MACHINE, k, "On"));
    EXPECT_EQ(Value(REG_DWORD, "0"), ReadValue(HKEY_LOCAL_MACHINE, k, "Off"));
    EXPECT_EQ(Value(REG_DWORD, "4294967284"), ReadValue(HKEY_CURRENT_USER, k, "Size"));
    EXPECT_EQ(Value(REG_SZ, "Ed"), ReadValue(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Name"));
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, k, "Maybe"));
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, k, "Count"));
    // The failing line stays the note although good lines follow it.
    EXPECT_EQ(kHead + ("HKEY_CURRENT_USER\\" + k + "\\Count."), form_->Label24->Caption());
}

TEST_F(WizardFinish, UninstallEntryAndCopiesForACreatedAndAnExistingFolder) {
    const std::string uninstaller = folders_.windows + "\\\\$twUninstallV1$";
    for (bool created : {true, false}) {
        Finish({"0,readme.txt,,10"}, "", {}, created);
        EXPECT_EQ("", form_->Label24->Caption());
        EXPECT_EQ(Value(REG_SZ, uninstaller + "\\setup.exe /uninstall: " + (created ? "1," : "0,") +
                                    install_),
                  ReadValue(HKEY_LOCAL_MACHINE, kEntry, "UninstallString"));
        Close();
    }
    EXPECT_EQ(Value(REG_SZ, "Ed (Remove Only)"),
              ReadValue(HKEY_LOCAL_MACHINE, kEntry, "DisplayName"));
    EXPECT_EQ(Value(REG_SZ, install_ + "\\setup.ico"),
              ReadValue(HKEY_LOCAL_MACHINE, kEntry, "DisplayIcon"));
    EXPECT_EQ(Value(REG_SZ, "Acme"), ReadValue(HKEY_LOCAL_MACHINE, kEntry, "Publisher"));
    EXPECT_EQ(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY,
              GetFileAttributesA(uninstaller.c_str()));
    EXPECT_EQ("unzdll.dll", Read(uninstaller + "\\unzdll.dll"));
    EXPECT_EQ("setup.ico", Read(install_ + "\\setup.ico"));
    EXPECT_TRUE(Read(install_ + "\\setup.ini"));

    // Without the uninstaller's library, or a folder to put it in, the product cannot be removed.
    DeleteFileA(Path("unzdll.dll").c_str());
    DeleteFileA(Path("setup.ico").c_str());  // a product without an icon is no failure
    Finish({"0,readme.txt,,10"});
    EXPECT_EQ(kHead + uninstaller + "\\unzdll.dll.", form_->Label24->Caption());
    Close();
    folders_.windows = folders_.root + "gone\\windows";
    Finish({"0,readme.txt,,10"});
    EXPECT_EQ(kHead + folders_.windows + "\\\\$twUninstallV1$.", form_->Label24->Caption());
}

TEST_F(WizardFinish, ShortcutsReadBackAndTheRecordNamesWhatWasMade) {
    const std::string desktop = folders_.root + "desktop\\", startup = folders_.root + "startup\\";
    const std::string menu = folders_.root + "programs\\Ed\\";
    const std::string ed = install_ + "\\\\ed.exe", run = install_ + "\\\\tools/run.exe";
    const std::string viewer = install_ + "\\bin\\viewer.exe";
    for (const char* folder : {"\\tools", "\\bin"})
        CreateDirectoryA((install_ + folder).c_str(), 0);
    for (const std::string& file : {ed, run, viewer}) Write(file, "MZ");
    for (bool onDesktop : {true, false}) {
        TForm1& form = OnPage(6);
        form.CheckBox9->SetChecked(onDesktop);
        form.ListBox13->Items().Assign(
            {"3,ed.exe,,100", "0,readme.txt,,10", "1,tools/run.exe,,5", "3,viewer.exe,bin,7"});
        setup::InstallFinishing(form).Run({"", {install_ + "\\readme.txt"}});
        EXPECT_EQ(ed, form.Tasks->Caption());
        std::vector<Link> links = {{menu + "Ed.lnk", ed},
                                   {startup + "run.lnk", run},
                                   {menu + "run.lnk", run},
                                   {menu + "viewer.lnk", viewer}};
        if (onDesktop) {
            links.insert(links.begin() + 3, {desktop + "viewer.lnk", viewer});
            links.insert(links.begin() + 1, {desktop + "run.lnk", run});
            links.insert(links.begin(), {desktop + "Ed.lnk", ed});
        }
        std::string record = install_ + "\\readme.txt\r\n";
        for (const auto& [file, target] : links) {
            EXPECT_EQ(Link(FullPath(target), target.substr(0, target.rfind('\\') + 1)),
                      ReadLink(file))
                << file;
            record += file + "\r\n";
        }
        EXPECT_EQ(record, Read(install_ + "\\setup.lst"));
        if (!onDesktop) {
            EXPECT_FALSE(Read(desktop + "Ed.lnk"));
        }
        for (const auto& link : links) DeleteFileA(link.first.c_str());
        Close();
    }
}

TEST_F(WizardFinish, NothingListedWinsOverTheNoteAndMakesNoShortcut) {
    Finish({}, "bin");
    EXPECT_EQ("WARNING:\n\r\n\rSetup reported an error: No files found for extraction.",
              form_->Label24->Caption());
    EXPECT_EQ("Tasks", form_->Tasks->Caption());
    EXPECT_EQ(7, Page());  // its buttons are checked on the page walk (WizardPagesTest)
}

TEST_F(WizardFinish, AnInstallThroughThePagesAndFinishStartsTheProduct) {
    std::string recorder = "Z:" START_RECORDER_PATH;
    std::replace(recorder.begin(), recorder.end(), '/', '\\');
    const std::string program = Read(recorder).value_or("");
    // Unquoted, the blank in the product's name would start "start.exe" instead.
    Write("setup.tws", ziptest::Build({{"start recorder.exe", program},
                                       {"start.exe", program},
                                       {"docs/read me.txt", "read me"}})
                           .bytes);
    // The registry and the uninstaller's entry and copies are checked line by line above and on
    // the whole road (RoundTripTest).
    OnPage(0, {"app=start recorder.exe", "file=start.exe", "file=docs/*,Docs"});
    InstallThroughPages(install_);
    EXPECT_EQ(7, Page());
    EXPECT_EQ("", form_->Label24->Caption());
    const std::string target = install_ + "\\\\start recorder.exe";
    const std::string link = folders_.root + "desktop\\Ed.lnk";
    EXPECT_EQ(Link(FullPath(target), install_ + "\\\\"), ReadLink(link));
    EXPECT_EQ(install_ + "\\start recorder.exe\r\n" + install_ + "\\start.exe\r\n" + install_ +
                  "\\docs\\docs\\read me.txt\r\n" + link + "\r\n" + folders_.root +
                  "programs\\Ed\\Ed.lnk\r\n",
              Read(install_ + "\\setup.lst"));

    setup::SetProgramStarter(nullptr);
    Press(*form_->Button2);
    EXPECT_EQ(0, exits_.Code());
    const std::string record = install_ + "\\start recorder.exe.record";
    EXPECT_TRUE(testing_support::PumpUntil([&] { return Read(record).has_value(); }, 10000));
    EXPECT_EQ(install_ + "\r\n\"" + target + "\"\r\n", Read(record));
    EXPECT_FALSE(Read(install_ + "\\start.exe.record"));
}

TEST_F(WizardFinish, NothingIsStartedWithoutATargetOrAfterTheUninstall) {
    const std::string program = install_ + "\\\\ed.exe";
    const struct {
        std::string target;
        int page;
        bool run;
    } cases[] = {{"Tasks", 7, true}, {program, 7, false}, {program, 11, true}};
    for (const auto& c : cases) {
        OnPage(c.page).Tasks->SetCaption(c.target);
        form_->CheckBox6->SetChecked(c.run);
        const int ends = exits_.Count();
        Press(*form_->Button2);
        EXPECT_EQ(ends + 1, exits_.Count()) << c.target << " " << c.page;
        EXPECT_EQ(0, exits_.Code());
        Close();
    }
    EXPECT_TRUE(starts_.Started().empty());
    EXPECT_TRUE(dialogs_.Shown().empty());

    // A folder that cannot be entered: an error, and the page stays until the box is cleared.
    OnPage(7).Tasks->SetCaption(folders_.root + "gone\\\\ed.exe");
    Press(*form_->Button2);
    ASSERT_EQ(1u, dialogs_.Shown().size());
    EXPECT_EQ(gui::mtError, dialogs_.Shown()[0].type);
    EXPECT_EQ(3, exits_.Count());
    EXPECT_EQ(7, Page());
    testing_support::Click(*form_->CheckBox6);
    Press(*form_->Button2);
    EXPECT_EQ(4, exits_.Count());
    EXPECT_TRUE(starts_.Started().empty());
}

TEST_F(WizardFinish, AScreenSaverIsRecordedByItsShortNameOnlyWhenLong) {
    const std::string folder = install_ + "\\\\";
    for (const auto& [file, recorded] :
         {std::pair<std::string, std::string>{"OceanWaves.scr", "OceanW~1.scr"},
          {"Ocean.SCR", "Ocean.SCR"}}) {
        OnPage(7).Tasks->SetCaption(folder + file);
        Press(*form_->Button2);
        EXPECT_EQ(Value(REG_SZ, folder + recorded),
                  ReadValue(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE"));
        Close();
    }
    EXPECT_EQ(2, exits_.Count());
    EXPECT_EQ(std::vector<std::string>(2, folders_.root + "system32\\"), opened_);
    EXPECT_TRUE(starts_.Started().empty());
}

}  // namespace
