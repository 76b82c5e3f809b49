#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FolderTree.h"
#include "ListControls.h"
#include "UninstallFiles.h"
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

// An install without file lines: the list holds only the wizard's own two copies.
TEST(UninstallFiles, AReadOnlySetupIniStaysAndIsNamedWhileTheBarShows55And70) {
    ScratchFolder scratch("zembly_files");
    UninstallPlaces places;
    places.installFolder = scratch.Path();
    WriteFile(places.installFolder + "\\setup.ini", FILE_ATTRIBUTE_READONLY);
    WriteFile(places.installFolder + "\\setup.ico");
    gui::TFileListBox lister(nullptr);
    std::vector<int> bar;
    WindowsUninstallFiles files(lister, [&bar](int value) { bar.push_back(value); });
    std::string note;
    RemoveFiles(RemovalList(SetupConfig()), places, nullptr, files, note);
    EXPECT_EQ("setup.ini", note);
    EXPECT_TRUE(Exists(places.installFolder + "\\setup.ini"));
    EXPECT_FALSE(Exists(places.installFolder + "\\setup.ico"));
    EXPECT_EQ((std::vector<int>{55, 70}), bar);
}

TEST(FolderTree, AFolderNamedWithAClosingBackslashGoesToo) {
    ScratchFolder scratch("zembly_closing");
    const std::string folder = scratch.Path() + "\\Foo";
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFile(folder + "\\app.exe");
    EXPECT_TRUE(RemoveFolderTree(folder + "\\"));
    EXPECT_FALSE(Exists(folder));
}

}  // namespace
}  // namespace setup
