#include <gtest/gtest.h>

#include <map>
#include <set>

#include "FileMask.h"
#include "FolderPaths.h"
#include "InstallRecord.h"
#include "KeyLines.h"
#include "UninstallRules.h"
#include "UninstallStages.h"

namespace setup {
namespace {

TEST(UninstallRules, FeedbackNeedsAnIdAndMoreThanFiveCharacters) {
    const AccountServiceProtocol protocol("maker.test");
    EXPECT_FALSE(FeedbackAddress("None", "Foo", "long enough", protocol));
    EXPECT_FALSE(FeedbackAddress("7", "Foo", "a\r\nbc", protocol));
    EXPECT_EQ(protocol.SendFeedbackAddress("7", "Foo", "a\r<br>\nbcd"),
              FeedbackAddress("7", "Foo", "a\r\nbcd", protocol));
}

TEST(UninstallRules, RemovalLinesNameFolderMaskLinkAndBar) {
    const std::vector<std::string> own = RemovalList(SetupConfig());
    EXPECT_EQ((std::vector<std::string>{"0,setup.ini", "0,setup.ico"}), own);
    EXPECT_EQ(55, FileStageBar(0, own.size()));
    EXPECT_EQ(70, FileStageBar(1, own.size()));
    EXPECT_EQ(90, ClosingBar(1));
    EXPECT_EQ(91, ClosingBar(50));
    EXPECT_EQ(100, ClosingBar(kClosingSteps));

    const RemovalTarget sub = RemovalTargetOf("3,ocean*,bin", "C:\\P\\Foo");
    EXPECT_EQ("C:\\P\\Foo\\bin", sub.folder);
    EXPECT_EQ("ocean*", sub.mask);
    EXPECT_EQ("C:\\P\\Foo", RemovalTargetOf("0,a.txt,a.txt", "C:\\P\\Foo").folder);
    // An archive folder in the mask is where the install put those entries.
    const RemovalTarget nested = RemovalTargetOf("0,docs/*.txt,Docs", "C:\\P\\Foo");
    EXPECT_EQ("C:\\P\\Foo\\Docs\\docs", nested.folder);
    EXPECT_EQ("*.txt", nested.mask);
    EXPECT_TRUE(nested.inside);
    for (const char* outside :
         {"0,*.txt,..", "0,../*.txt", "0,*.txt,c:\\windows", "0,a\\..\\..\\*"})
        EXPECT_FALSE(RemovalTargetOf(outside, "C:\\P\\Foo").inside) << outside;

    EXPECT_EQ("Foo", RemovedLinkName(0, "0,x.txt", "Foo"));
    EXPECT_EQ("ocean", RemovedLinkName(1, "3,ocean.exe", "Foo"));
    EXPECT_EQ("ocean*", RemovedLinkName(1, "3,ocean*,bin", "Foo"));
    EXPECT_EQ("my", RemovedLinkName(1, "3,bin\\my.app.exe", "Foo"));
}

TEST(UninstallRules, ProtectedFoldersAndEverythingAboveThem) {
    const std::vector<std::string> kept = {"C:\\Program Files", "c:\\windows\\",
                                           "C:\\Users\\Public\\Desktop"};
    for (const char* refused : {"C:\\Program Files\\", "c:/program files", "C:\\Windows.",
                                "C:\\Users", "C:\\", "c:\\apps\\..", "", "Apps\\Foo"})
        EXPECT_TRUE(IsProtectedFolder(refused, kept)) << refused;
    EXPECT_FALSE(IsProtectedFolder("C:\\Program Files\\Acme\\Foo", kept));
    EXPECT_FALSE(IsProtectedFolder("C:\\Program Files Extra", kept));
}

TEST(FileMask, PatternsAsTheFolderListingTakesThem) {
    EXPECT_TRUE(MatchesFileMask("Ocean.EXE", "ocean*"));
    EXPECT_TRUE(MatchesFileMask("readme", "readme.*"));
    EXPECT_TRUE(MatchesFileMask("noext", "*.*"));
    EXPECT_TRUE(MatchesFileMask("b.dll", "*.exe;*.dll"));
    EXPECT_TRUE(MatchesFileMask("a1.txt", "a?.txt"));
    EXPECT_FALSE(MatchesFileMask("a12.txt", "a?.txt"));
    EXPECT_FALSE(MatchesFileMask("readme.txt.bak", "readme.txt"));
    EXPECT_FALSE(MatchesFileMask(std::string(4000, 'a'), std::string(2000, '*') + "b"));
}

TEST(InstallRecord, WrittenAndReadBackOnePathALine) {
    const std::string content =
        InstallRecordText({"C:\\P\\Foo\\\\b.txt", "C:\\P\\Foo\\a.txt", "C:\\P\\bad\nname",
                           "c:\\p\\foo\\B.TXT", "C:\\P\\Foo\\bin\\c.txt", "C:\\D\\Foo.LNK"});
    EXPECT_EQ(std::string::npos, content.find("bad"));
    const InstallRecord record = InstallRecord::Read(content + "\r\n\rC:\\P\\Foo\\z.txt");
    EXPECT_EQ(6u, record.Paths().size());
    // One folder only, each file once, deleted by name from the last.
    EXPECT_EQ(
        (std::vector<std::string>{"C:\\P\\Foo\\z.txt", "C:\\P\\Foo\\\\b.txt", "C:\\P\\Foo\\a.txt"}),
        record.FilesIn("c:\\p\\FOO\\", "*.txt"));
    EXPECT_EQ(std::vector<std::string>{"C:\\D\\Foo.LNK"}, record.Links());
}

// Files, folders and failures in memory; every path compared as the file system would.
class MemoryFileSystem : public UninstallFileSystem {
public:
    std::set<std::string> files, folders, readOnly, removedTrees;
    std::vector<std::string> deleted;
    std::vector<int> progress;

    void AddFile(const std::string& path) { files.insert(ComparablePath(path)); }
    bool Has(const std::string& path) const { return files.count(ComparablePath(path)) > 0; }

    bool FileExists(const std::string& path) override { return Has(path); }
    bool RemoveFile(const std::string& path) override {
        const std::string key = ComparablePath(path);
        if (!files.count(key) || readOnly.count(key)) return false;
        files.erase(key);
        deleted.push_back(NamePartOf(key));
        return true;
    }
    bool FolderExists(const std::string& path) override {
        return folders.count(ComparablePath(path)) > 0;
    }
    bool RemoveFolderTree(const std::string& path) override {
        const std::string key = ComparablePath(path);
        if (!folders.erase(key)) return false;
        removedTrees.insert(key);
        for (auto it = files.begin(); it != files.end();)
            it = IsAtOrBelow(*it, key) ? files.erase(it) : std::next(it);
        return true;
    }
    std::optional<std::vector<std::string>> FileNames(const std::string& folder) override {
        if (!FolderExists(folder)) return std::nullopt;
        std::vector<std::string> names;
        for (const std::string& file : files)
            if (FolderPartOf(file) == ComparablePath(folder)) names.push_back(NamePartOf(file));
        return names;
    }
    void Progress(int value) override { progress.push_back(value); }
};

class UninstallStagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        places.installFolder = "C:\\P\\Foo";
        places.progName = "Foo";
        places.programMenuName = "Foo";
        places.allDesktop = "C:\\D\\";
        places.allStartup = "C:\\S\\";
        places.allPrograms = "C:\\M\\";
        places.protectedFolders = {"C:\\D", "C:\\S", "C:\\M", "C:\\Windows"};
        fs.folders = {ComparablePath("C:\\P\\Foo"), ComparablePath("C:\\M\\Foo")};
        const std::vector<std::string> installed = {
            "C:\\P\\Foo\\\\ocean.exe", "C:\\P\\Foo\\\\run.exe", "C:\\P\\Foo\\\\a.txt",
            "C:\\P\\Foo\\\\b.txt",     "C:\\D\\Foo.lnk",        "C:\\D\\run.lnk",
            "C:\\S\\run.lnk",          "C:\\M\\Foo\\Foo.lnk",   "C:\\D\\my.app.lnk"};
        record = InstallRecord::Read(InstallRecordText(installed));
        for (const std::string& path : installed) fs.AddFile(path);
        for (const char* path :
             {"C:\\P\\Foo\\notes.txt", "C:\\P\\Foo\\setup.ini", "C:\\P\\Foo\\setup.ico",
              "C:\\P\\Foo\\setup.lst", "C:\\D\\other.lnk"})
            fs.AddFile(path);
    }

    const std::vector<std::string> removal = {"3,ocean.exe",  "1,run.exe",   "0,*.txt",
                                              "0,*.dat,data", "0,setup.ini", "0,setup.ico"};
    UninstallPlaces places;
    InstallRecord record;
    MemoryFileSystem fs;
    std::string note;
};

TEST_F(UninstallStagesTest, RemovesWhatTheInstallMadeAndNothingElse) {
    RemoveLinks(removal, places, &record, fs, note);
    EXPECT_EQ("", note);
    EXPECT_EQ(std::set<std::string>{"c:\\m\\foo"}, fs.removedTrees);
    for (const char* link :
         {"C:\\D\\Foo.lnk", "C:\\D\\run.lnk", "C:\\S\\run.lnk", "C:\\D\\my.app.lnk"})
        EXPECT_FALSE(fs.Has(link)) << link;
    EXPECT_TRUE(fs.Has("C:\\D\\other.lnk"));

    fs.readOnly.insert(ComparablePath("C:\\P\\Foo\\b.txt"));
    fs.deleted.clear();
    RemoveFiles(removal, places, &record, fs, note);
    EXPECT_EQ("b.txt", note);  // the missing data folder adds no note
    EXPECT_EQ((std::vector<std::string>{"ocean.exe", "run.exe", "a.txt", "setup.ini", "setup.lst",
                                        "setup.ico"}),
              fs.deleted);
    EXPECT_EQ((std::vector<int>{45, 46, 47, 47, 55, 70}), fs.progress);
    EXPECT_TRUE(fs.Has("C:\\P\\Foo\\notes.txt"));  // matches *.txt but was not installed
}

TEST_F(UninstallStagesTest, ARecordStaysWhileSetupIniStays) {
    fs.readOnly.insert(ComparablePath("C:\\P\\Foo\\setup.ini"));
    RemoveFiles(removal, places, &record, fs, note);
    EXPECT_EQ("setup.ini", note);
    EXPECT_TRUE(fs.Has("C:\\P\\Foo\\setup.lst"));
    EXPECT_FALSE(fs.Has("C:\\P\\Foo\\setup.ico"));
}

TEST_F(UninstallStagesTest, WithoutARecordTheMasksDecide) {
    RemoveFiles(removal, places, nullptr, fs, note);
    EXPECT_FALSE(fs.Has("C:\\P\\Foo\\notes.txt"));
    EXPECT_TRUE(fs.Has("C:\\P\\Foo\\setup.lst"));  // only an install with a record knows it
}

TEST_F(UninstallStagesTest, ProtectedFoldersAreRefusedWithANote) {
    places.programMenuName = "";
    fs.folders.insert(ComparablePath("C:\\M"));
    RemoveLinks(removal, places, nullptr, fs, note);
    EXPECT_EQ("C:\\M\\", note);
    EXPECT_TRUE(fs.removedTrees.empty());

    note.clear();
    RemoveInstallFolder(places, false, fs, note);
    EXPECT_TRUE(fs.FolderExists("C:\\P\\Foo"));
    RemoveInstallFolder(places, true, fs, note);
    EXPECT_FALSE(fs.FolderExists("C:\\P\\Foo"));
    EXPECT_EQ("", note);
    places.installFolder = "C:\\Windows\\..\\Windows";
    RemoveInstallFolder(places, true, fs, note);
    EXPECT_EQ(places.installFolder, note);
}

// Keys as sets of value names and subkey names.
class MemoryRegistry : public RegistryEditor {
public:
    std::map<std::string, std::set<std::string>> values;
    std::set<std::string> locked;

    static std::string Key(RegistryRoot root, const std::string& key) {
        return (root == RegistryRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + key;
    }
    Result DeleteValue(RegistryRoot root, const std::string& key,
                       const std::string& name) override {
        auto it = values.find(Key(root, key));
        if (it == values.end() || !it->second.count(name)) return Result::Missing;
        if (locked.count(Key(root, key))) return Result::Failed;
        it->second.erase(name);
        return Result::Done;
    }
    bool IsKeyEmpty(RegistryRoot root, const std::string& key) override {
        auto it = values.find(Key(root, key));
        return it != values.end() && it->second.empty();
    }
    Result DeleteKey(RegistryRoot root, const std::string& key) override {
        return values.erase(Key(root, key)) ? Result::Done : Result::Missing;
    }
};

TEST(KeyLineUndo, RemovesItsValueAndOnlyAnEmptyKey) {
    MemoryRegistry registry;
    registry.values["HKLM\\Software\\Run"] = {"Foo", "OtherProgram"};
    registry.values["HKCU\\Software\\Foo"] = {"a"};
    registry.values["HKCU\\Software\\Locked"] = {"v"};
    registry.values["HKCU\\"] = {};
    registry.locked = {"HKCU\\Software\\Locked"};
    std::string note;
    UndoKeyLines(ReadKeyLines({"HKEY_LOCAL_MACHINE\\Software\\Run,string,Foo,c:\\foo.exe",
                               "HKEY_CURRENT_USER\\Software\\Foo,string,a,b",
                               "HKEY_CURRENT_USER\\Software\\Foo,string,gone,b",
                               "HKEY_CURRENT_USER\\Software\\Locked,string,v,b",
                               "HKEY_CURRENT_USER\\,string,x,y"}),
                 registry, note);
    EXPECT_EQ(std::set<std::string>{"OtherProgram"}, registry.values["HKLM\\Software\\Run"]);
    EXPECT_EQ(0u, registry.values.count("HKCU\\Software\\Foo"));
    EXPECT_EQ(1u, registry.values.count("HKCU\\"));
    EXPECT_EQ("HKEY_CURRENT_USER\\Software\\Locked\\v", note);
}

}  // namespace
}  // namespace setup
