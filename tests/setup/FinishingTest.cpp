// The install's finishing against the real registry, file system and shell links, in a scratch
// folder that stands in for the Windows folder, the link folders and the install folder.
#include <windows.h>

#include <gtest/gtest.h>
#include <objidl.h>
#include <shlobj.h>

#include "FinishingScratch.h"
#include "InstallFinishing.h"
#include "KelTextHandler1.h"

namespace {

using setup::FinishingInput;
using setup::FinishingOutcome;
using setup::InstallEntry;
using testing_support::ReadRegistry;
using testing_support::RegistryValue;

const std::string kEntryKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ed v1.0";
const char kHead[] = "WARNING:\n\r\n\rSetup reported an error whilst writing: ";

struct LinkRead {
    std::string target;
    std::string workingFolder;
};

// The link as the shell reads it back, or nothing when it cannot be loaded.
std::optional<LinkRead> ReadLink(const std::string& file) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return std::nullopt;
    std::optional<LinkRead> read;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        std::wstring wide(file.begin(), file.end());
        char target[MAX_PATH] = {}, folder[MAX_PATH] = {};
        if (SUCCEEDED(persist->Load(wide.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
            SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH)))
            read = LinkRead{target, folder};
        persist->Release();
    }
    link->Release();
    return read;
}

// The shell keeps a link's target in the form the file system gives it.
std::string FullPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return std::string(full, length);
}

class Finishing : public ::testing::Test {
protected:
    Finishing() {
        folders_.SetFolderSources(&scratch_.Sources());
        input_.sourceFolder = scratch_.Source();
        input_.installFolder = scratch_.Install();
        input_.programMenuName = "Ed";
        input_.progName = "Ed";
        input_.title = "Ed v1.0 Setup";
        input_.company = "Acme";
        input_.tasks = "Tasks";
        input_.entries = {{"0", "readme.txt", "", 10}};
        scratch_.RemoveKeyAtEnd(HKEY_LOCAL_MACHINE, kEntryKey);
        scratch_.RemoveKeyAtEnd(HKEY_CURRENT_USER, "HKEY_CURRENT_USER");
    }

    FinishingOutcome Finish() {
        statuses_.clear();
        return setup::FinishInstall(input_, folders_,
                                    [this](const std::string& text) { statuses_.push_back(text); });
    }

    testing_support::FinishingScratch scratch_;
    KelTextHandler folders_{nullptr};
    FinishingInput input_;
    std::vector<std::string> statuses_;
};

TEST_F(Finishing, KeyLinesWriteEachTypeUnderTheRootOfTheirLine) {
    const std::string key = scratch_.RegistryKey();
    input_.keyLines = {
        "HKCU\\" + key + ",string,First,1",  // a misspelt first root: the current user
        "HKEY_LOCAL_MACHINE\\" + key + ",bool,On,True",
        "HKEY_LOCALMACHINE\\" + key + ",bool,Off,FALSE",  // misspelt: the root before
        "HKEY_CURRENT_USER\\" + key + ",integer,Count,12x",
        "HKEY_CURRENT_USER\\" + key + ",bool,Maybe,yes",
        "HKEY_CURRENT_USER\\" + key + ",integer,Size,-12",
        "HKEY_CURRENT_USER,string,Name,Ed",
        "HKEY_CURRENT_USER\\" + key + "\\Empty,none,Odd,1",
    };
    const FinishingOutcome outcome = Finish();

    EXPECT_EQ((RegistryValue{REG_SZ, "1"}), ReadRegistry(HKEY_CURRENT_USER, key, "First"));
    EXPECT_EQ((RegistryValue{REG_DWORD, "1"}), ReadRegistry(HKEY_LOCAL_MACHINE, key, "On"));
    EXPECT_EQ((RegistryValue{REG_DWORD, "0"}), ReadRegistry(HKEY_LOCAL_MACHINE, key, "Off"));
    EXPECT_FALSE(ReadRegistry(HKEY_CURRENT_USER, key, "Off"));
    EXPECT_FALSE(ReadRegistry(HKEY_CURRENT_USER, key, "Maybe"));
    EXPECT_FALSE(ReadRegistry(HKEY_CURRENT_USER, key, "Count"));
    EXPECT_EQ((RegistryValue{REG_DWORD, "4294967284"}),
              ReadRegistry(HKEY_CURRENT_USER, key, "Size"));
    EXPECT_EQ((RegistryValue{REG_SZ, "Ed"}),
              ReadRegistry(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Name"));
    EXPECT_TRUE(testing_support::KeyExists(HKEY_CURRENT_USER, key + "\\Empty"));

    // The failing line stays the note although good lines follow it.
    EXPECT_EQ("HKEY_CURRENT_USER\\" + key + "\\Count", outcome.errorNote);
    EXPECT_EQ(kHead + outcome.errorNote + ".", outcome.endWarning);
    EXPECT_EQ((std::vector<std::string>{"Creating Registry Keys...", "Creating Shortcuts..."}),
              statuses_);
}

TEST_F(Finishing, UninstallEntryAndCopiesForACreatedAndAnExistingFolder) {
    const std::string& entry = kEntryKey;
    const std::string uninstaller = scratch_.Windows() + "\\$twUninstallV1$";
    const std::string command = uninstaller + "\\setup.exe /uninstall: ";
    input_.installFolderCreated = true;
    EXPECT_EQ("", Finish().endWarning);
    EXPECT_EQ((RegistryValue{REG_SZ, "Ed (Remove Only)"}),
              ReadRegistry(HKEY_LOCAL_MACHINE, entry, "DisplayName"));
    EXPECT_EQ((RegistryValue{REG_SZ, command + "1," + scratch_.Install()}),
              ReadRegistry(HKEY_LOCAL_MACHINE, entry, "UninstallString"));
    EXPECT_EQ((RegistryValue{REG_SZ, scratch_.Install() + "\\setup.ico"}),
              ReadRegistry(HKEY_LOCAL_MACHINE, entry, "DisplayIcon"));
    EXPECT_EQ((RegistryValue{REG_SZ, "Acme"}),
              ReadRegistry(HKEY_LOCAL_MACHINE, entry, "Publisher"));
    EXPECT_EQ(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY,
              GetFileAttributesA(uninstaller.c_str()));
    for (const std::string& copy :
         {uninstaller + "\\setup.exe", uninstaller + "\\unzdll.dll",
          scratch_.Install() + "\\setup.ini", scratch_.Install() + "\\setup.ico"})
        EXPECT_EQ(scratch_.SourceContent(copy.substr(copy.rfind('\\') + 1)),
                  testing_support::FileContent(copy))
            << copy;

    // A product without an icon is no failure; the folder existed this time.
    DeleteFileA((scratch_.Source() + "setup.ico").c_str());
    input_.installFolderCreated = false;
    EXPECT_EQ("", Finish().endWarning);
    EXPECT_EQ((RegistryValue{REG_SZ, command + "0," + scratch_.Install()}),
              ReadRegistry(HKEY_LOCAL_MACHINE, entry, "UninstallString"));
}

TEST_F(Finishing, AnUninstallerThatCannotBeCopiedIsReported) {
    DeleteFileA((scratch_.Source() + "unzdll.dll").c_str());
    const std::string uninstaller = scratch_.Windows() + "\\$twUninstallV1$";
    EXPECT_EQ(kHead + uninstaller + "\\unzdll.dll.", Finish().endWarning);

    // No folder under which the uninstaller's could be made: nothing is copied at all.
    DeleteFileA((scratch_.Install() + "\\setup.ini").c_str());
    scratch_.SetWindows(scratch_.Root() + "gone\\windows");
    EXPECT_EQ(kHead + scratch_.Windows() + "\\$twUninstallV1$.", Finish().endWarning);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
              GetFileAttributesA((scratch_.Install() + "\\setup.ini").c_str()));
}

TEST_F(Finishing, ShortcutsReadBackAndTheRecordNamesWhatWasMade) {
    const std::string install = scratch_.Install();
    input_.entries = {{"3", "ed.exe", "", 100},
                      {"0", "readme.txt", "", 10},
                      {"1", "tools/run.exe", "", 5},
                      {"3", "viewer.exe", "bin", 7}};
    input_.extractedFiles = {install + "\\ed.exe", install + "\\readme.txt",
                             install + "\\tools\\run.exe", install + "\\bin\\viewer.exe"};
    for (const std::string& file : input_.extractedFiles) testing_support::WriteFile(file, "x");
    const std::string desktop = scratch_.Desktop(), startup = scratch_.Startup();
    const std::string menu = scratch_.Programs() + "Ed\\";
    const std::string ed = install + "\\\\ed.exe", run = install + "\\\\tools/run.exe";
    const std::string viewer = install + "\\bin\\viewer.exe";

    const FinishingOutcome outcome = Finish();
    EXPECT_EQ(ed, outcome.tasks);
    const std::vector<std::pair<std::string, std::string>> links = {
        {desktop + "Ed.lnk", ed},     {menu + "Ed.lnk", ed},   {desktop + "run.lnk", run},
        {startup + "run.lnk", run},   {menu + "run.lnk", run}, {desktop + "viewer.lnk", viewer},
        {menu + "viewer.lnk", viewer}};
    std::string record;
    for (const std::string& file : input_.extractedFiles) record += file + "\r\n";
    for (const auto& [file, target] : links) {
        const std::optional<LinkRead> read = ReadLink(file);
        ASSERT_TRUE(read) << file;
        EXPECT_EQ(FullPath(target), read->target) << file;
        EXPECT_EQ(target.substr(0, target.rfind('\\') + 1), read->workingFolder) << file;
        record += file + "\r\n";
    }
    EXPECT_EQ(record, testing_support::FileContent(install + "\\setup.lst"));

    // Without desktop links the record is replaced by one that names none.
    scratch_.EmptyFolder(desktop);
    input_.desktopShortcuts = false;
    input_.tasks = outcome.tasks;
    EXPECT_EQ(ed, Finish().tasks);
    EXPECT_EQ(0u, scratch_.FilesIn(desktop).size());
    EXPECT_TRUE(ReadLink(startup + "run.lnk"));
    const std::string second = testing_support::FileContent(install + "\\setup.lst").value_or("");
    EXPECT_EQ(std::string::npos, second.find(desktop));
    EXPECT_NE(std::string::npos, second.find(menu + "viewer.lnk\r\n"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((install + "\\setup.lst.tmp").c_str()));
}

TEST_F(Finishing, NothingListedWinsOverTheNoteAndMakesNoShortcut) {
    input_.entries.clear();
    input_.errorNote = "bin";
    const FinishingOutcome outcome = Finish();
    EXPECT_EQ("WARNING:\n\r\n\rSetup reported an error: No files found for extraction.",
              outcome.endWarning);
    EXPECT_EQ("bin", outcome.errorNote);
    EXPECT_EQ("Tasks", outcome.tasks);
    EXPECT_EQ(0u, scratch_.FilesIn(scratch_.Programs() + "Ed\\").size());
}

}  // namespace
