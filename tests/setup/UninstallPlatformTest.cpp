#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FolderTree.h"
#include "KeyLines.h"
#include "ListControls.h"
#include "RegistryRemoval.h"
#include "UninstallFiles.h"
#include "UninstallRegistration.h"
#include "UninstallRules.h"

namespace setup {
namespace {

// Through the long-path form, which the ANSI calls do not take past 260 characters.
std::wstring LongForm(const std::string& path) {
    return L"\\\\?\\" + std::wstring(path.begin(), path.end());
}

// Whatever the depth, without the shell.
void DeleteTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

// A folder of its own under the temporary folder, for one test.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + name + std::to_string(GetCurrentProcessId());
        DeleteTree(LongForm(path_));
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { DeleteTree(LongForm(path_)); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

void WriteFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    CloseHandle(file);
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(LongForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string CurrentFolder() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

TEST(FolderTree, RemovesAWholeTreeWhateverTheLengthOfItsPath) {
    ScratchFolder scratch("zembly_tree");
    // Well past the 256 characters a fixed buffer would hold.
    std::string deep = scratch.Path();
    while (deep.size() < 320) {
        deep += "\\level_of_a_deep_tree";
        ASSERT_TRUE(CreateDirectoryW(LongForm(deep).c_str(), nullptr)) << deep.size();
    }
    EXPECT_TRUE(RemoveFolderTree(deep));
    EXPECT_FALSE(Exists(deep));
    EXPECT_TRUE(Exists(scratch.Path() + "\\level_of_a_deep_tree"));

    const std::string folder = scratch.Path() + "\\app";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\bin").c_str(), nullptr);
    WriteFile(folder + "\\bin\\app.exe", FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(RemoveFolderTree(folder));
    EXPECT_FALSE(Exists(folder));
    EXPECT_FALSE(RemoveFolderTree(folder));
    EXPECT_FALSE(RemoveFolderTree(""));
}

class UninstallFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        places.installFolder = scratch.Path() + "\\Foo";
        CreateDirectoryA(places.installFolder.c_str(), nullptr);
    }
    std::string InFolder(const std::string& name) const {
        return places.installFolder + "\\" + name;
    }

    ScratchFolder scratch{"zembly_files"};
    UninstallPlaces places;
    gui::TFileListBox lister{nullptr};
    std::vector<int> bar;
    WindowsUninstallFiles files{lister, [this](int value) { bar.push_back(value); }};
    std::string note;
};

TEST_F(UninstallFilesTest, AReadOnlySetupIniStaysAndIsNamedWhileTheBarShows55And70) {
    WriteFile(InFolder("setup.ini"), FILE_ATTRIBUTE_READONLY);
    WriteFile(InFolder("setup.ico"));
    RemoveFiles(RemovalList(SetupConfig()), places, nullptr, files, note);
    EXPECT_EQ("setup.ini", note);
    EXPECT_TRUE(Exists(InFolder("setup.ini")));
    EXPECT_FALSE(Exists(InFolder("setup.ico")));
    EXPECT_EQ((std::vector<int>{55, 70}), bar);
}

TEST_F(UninstallFilesTest, EveryListedFileGoesAndTheFolderIsFreeRightAfter) {
    WriteFile(InFolder("a.txt"));
    WriteFile(InFolder("hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
    WriteFile(InFolder("keep.dat"));
    const std::string before = CurrentFolder();
    RemoveFiles({"0,*.txt", "0,*.dat,missing", "0,setup.ini", "0,setup.ico"}, places, nullptr,
                files, note);
    EXPECT_EQ("", note);  // the missing subfolder is no failure
    EXPECT_FALSE(Exists(InFolder("a.txt")));
    EXPECT_FALSE(Exists(InFolder("hidden.txt")));
    EXPECT_TRUE(Exists(InFolder("keep.dat")));
    EXPECT_EQ(before, CurrentFolder());

    RemoveInstallFolder(places, true, files, note);
    EXPECT_EQ("", note);
    EXPECT_FALSE(Exists(places.installFolder));
}

class RegistryRemovalTest : public ::testing::Test {
protected:
    static constexpr const char* kBase = "Software\\ZemblyUninstallTest";

    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kBase); }

    static void SetValue(HKEY root, const std::string& key, const std::string& name) {
        HKEY handle = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &handle, nullptr));
        RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
        RegCloseKey(handle);
    }
    static bool HasValue(HKEY root, const std::string& key, const std::string& name) {
        return RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
    }
    static bool HasKey(HKEY root, const std::string& key) {
        HKEY handle = nullptr;
        if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
        RegCloseKey(handle);
        return true;
    }
};

TEST_F(RegistryRemovalTest, ALineTakesItsOwnValueAndLeavesOtherProgramsAlone) {
    const std::string shared = std::string(kBase) + "\\Run";
    const std::string own = std::string(kBase) + "\\Foo";
    SetValue(HKEY_CURRENT_USER, shared, "Foo");
    SetValue(HKEY_CURRENT_USER, shared, "OtherProgram");
    SetValue(HKEY_CURRENT_USER, own, "a");
    SetValue(HKEY_CURRENT_USER, own, "b");

    WindowsRegistryEditor registry;
    std::string note;
    UndoKeyLines(ReadKeyLines({"HKEY_CURRENT_USER\\" + shared + ",string,Foo,c:\\foo.exe",
                               "HKEY_CURRENT_USER\\" + own + ",string,a,1",
                               "HKEY_CURRENT_USER\\" + own + ",integer,b,2",
                               "HKEY_CURRENT_USER\\" + own + ",integer,gone,2"}),
                 registry, note);
    EXPECT_EQ("", note);
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, shared, "Foo"));
    EXPECT_TRUE(HasValue(HKEY_CURRENT_USER, shared, "OtherProgram"));
    EXPECT_FALSE(HasKey(HKEY_CURRENT_USER, own));
    EXPECT_TRUE(HasKey(HKEY_CURRENT_USER, kBase));
}

TEST_F(RegistryRemovalTest, TheEntryGoesWithItsValuesAndOnlyOnce) {
    const std::string entry = "Zembly Uninstall Test v1.0";
    const std::string key = std::string(kUninstallKeyBase) + entry;
    SetValue(HKEY_LOCAL_MACHINE, key, "DisplayName");
    SetValue(HKEY_LOCAL_MACHINE, key, "UninstallString");
    EXPECT_EQ(RegistryEditor::Result::Done, RemoveUninstallEntry(entry));
    EXPECT_FALSE(HasKey(HKEY_LOCAL_MACHINE, key));
    EXPECT_TRUE(HasKey(HKEY_LOCAL_MACHINE, std::string(kUninstallKeyBase)));
    EXPECT_EQ(RegistryEditor::Result::Missing, RemoveUninstallEntry(entry));
}

}  // namespace
}  // namespace setup
