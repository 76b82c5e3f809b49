#include <gtest/gtest.h>

#include "ArchiveMatching.h"
#include "ExtractionProgress.h"
#include "FinishRules.h"
#include "InstallFolders.h"
#include "KeyLines.h"
#include "Shortcuts.h"
#include "UninstallRegistration.h"

namespace setup {
namespace {

std::vector<std::string> Lines(const InstallListing& listing) {
    std::vector<std::string> lines;
    for (const InstallEntry& entry : listing.entries) lines.push_back(entry.Line());
    return lines;
}

TEST(EntryMask, PrefixAndFourCharacterEnding) {
    const char* const names[] = {
        "App.EXE", "tools/app.exe", "data1.DAT", "readme.txt", "readme.txt.bak", "x", "ab"};
    // For each mask, the names above it matches ("x") and does not (".").
    const std::pair<const char*, std::string> cases[] = {
        {"*.exe", "xx....."},      {"data*.dat", "..x...."}, {"readme.*", "...xx.."},
        {"readme.txt", "...xx.."}, {"*.*", "xxxxxxx"},       {"ab*", "......x"},
        {"*", "xxxxxxx"},          {"*.js", "......."},      {"*.dat", "..x...."}};
    for (const auto& [mask, expected] : cases) {
        std::string matched;
        for (const char* name : names) matched += EntryMask(mask).Matches(name) ? 'x' : '.';
        EXPECT_EQ(expected, matched) << mask;
    }
    EXPECT_TRUE(EntryMask("*.js").Matches("main.JS"));  // the ending after the "*" when short
}

TEST(InstallListing, LinesFollowFileLinesThenArchiveOrder) {
    const std::vector<ArchiveEntry> archive = {
        {"prog.exe", 1234}, {"readme.txt", 10}, {"Big.dat", 4294967295u}};
    const InstallListing listing = ListInstallEntries(
        {"3,prog.exe,Bin", "0,readme.txt", "0,*.*,*.*", "0,*.dat,Data\\Sub"}, archive);
    EXPECT_EQ((std::vector<std::string>{"3,prog.exe,bin,1234", "0,readme.txt,,10",
                                        "0,prog.exe,,1234", "0,readme.txt,,10",
                                        "0,Big.dat,,4294967295", "0,Big.dat,data\\sub,4294967295"}),
              Lines(listing));
    EXPECT_EQ(2 * 1234u + 2 * 10u + 2 * 4294967295ull, listing.totalSize);
    EXPECT_TRUE(ListInstallEntries({}, archive).entries.empty());
}

TEST(InstallListing, CheckedComponentsFollowTheRequiredLines) {
    SetupConfig config;
    config.requiredFileLines = {"0,a"};
    config.components[0].fileLines = {"0,b"};
    config.components[9].fileLines = {"0,c"};
    std::array<bool, kComponentBoxes> checked{};
    checked[9] = true;
    EXPECT_EQ((std::vector<std::string>{"0,a", "0,c"}), FileLinesToInstall(config, checked));
}

TEST(ExtractionProgress, BarsCountInUnitsOf32768Bytes) {
    EXPECT_EQ(0, OverallBarMaximum(0));
    EXPECT_EQ(2, OverallBarMaximum(3 * 16384));  // 1.5 to the even 2
    EXPECT_EQ(2, OverallBarMaximum(5 * 16384));  // 2.5 to the even 2
    EXPECT_EQ(131072, OverallBarMaximum(4294967296ull));
    EXPECT_EQ(1, FileBarMaximum(40000));
    EXPECT_EQ(3, FileBarMaximum(100000));
    EXPECT_EQ(131071, FileBarMaximum(4294967295u));  // not read back as negative
    EXPECT_EQ(1, OverallStep(100000, 100000));
    EXPECT_EQ(0, OverallStep(100000, 0));  // an entry listed as empty
    EXPECT_EQ(2, OverallStep(5, 2));

    SmallFileSum sum;
    EXPECT_FALSE(sum.Add(20000));
    EXPECT_TRUE(sum.Add(20000));
    EXPECT_EQ(7232u, sum.Value());
    EXPECT_FALSE(sum.Add(32768));  // a whole unit is no small file
    EXPECT_FALSE(sum.Add(25536));  // exactly one unit is not past it
    EXPECT_TRUE(sum.Add(1));
    EXPECT_EQ(1u, sum.Value());

    EXPECT_EQ("", ErrorEventMessage("disk full", 0));
    EXPECT_EQ("ERROR: disk full   code=5", ErrorEventMessage("disk full", 5));
}

TEST(InstallFolders, LevelsBelowTheDriveAndTheEntryFolders) {
    EXPECT_EQ((std::vector<std::string>{"c:\\program files\\", "c:\\program files\\maker\\",
                                        "c:\\program files\\maker\\product\\"}),
              InstallFolderLevels("c:\\program files\\maker\\product"));
    EXPECT_EQ((std::vector<std::string>{"c:\\apps\\"}), InstallFolderLevels("c:\\\\apps\\"));
    EXPECT_EQ((std::vector<std::string>{"\\\\host\\share\\foo\\"}),
              InstallFolderLevels("\\\\host\\share\\foo"));
    EXPECT_EQ((std::vector<std::string>{"c:\\apps\\bin\\", "c:\\apps\\bin\\tools\\"}),
              EntryFolderLevels("c:\\apps", "bin\\tools"));
    EXPECT_EQ(std::vector<std::string>{"c:\\apps\\\\"}, EntryFolderLevels("c:\\apps", ""));
}

// Each root and type is written through the window too (WizardFinishTest).
TEST(KeyLines, RootsFieldsAndIntegerLimits) {
    const std::vector<KeyLine> lines = ReadKeyLines({
        "HKEY_LOCAL_MACHINE\\Software\\Foo,BOOL,On,True",
        "HKEY_CURRENT_USER,string,Name,a,b",
        "Hkey_Local_Machine\\Software\\Foo,integer,Count,12x",
        "HKEY_CURRENT_USER\\Software\\Foo,integer,Neg,-2147483648",
        "HKEY_CURRENT_USER\\Software\\Foo,integer,Big,2147483648",
        "HKEY_CURRENT_USER\\Software\\Foo,dword,Odd,1",
    });
    ASSERT_EQ(6u, lines.size());
    auto write = [&](size_t i) { return WriteOf(lines[i]); };
    EXPECT_EQ(RegistryWrite::Kind::Dword, write(0).kind);  // type names in any case
    EXPECT_EQ(1u, write(0).dword);
    EXPECT_EQ("HKEY_CURRENT_USER", lines[1].keyPath);  // no "\": the whole field is the key
    EXPECT_EQ("a", lines[1].data);
    EXPECT_EQ("a", write(1).text);
    EXPECT_EQ(RegistryRoot::CurrentUser, lines[2].root);  // roots compare exactly
    EXPECT_TRUE(write(2).failed);
    EXPECT_EQ("Hkey_Local_Machine\\Software\\Foo\\Count", lines[2].FailureNote());
    EXPECT_EQ(0x80000000u, write(3).dword);
    EXPECT_TRUE(write(4).failed);
    EXPECT_EQ(RegistryWrite::Kind::Nothing, write(5).kind);
}

TEST(UninstallRegistration, EntryCommandAndCopies) {
    // The entry's values are read back from the registry in WizardFinishTest.
    const std::string command = UninstallCommandLine("c:\\windows\\", true, "c:\\apps\\Foo");
    EXPECT_EQ("Foo v2.0", EntryNameAtInstall("Foo v2.0 Setup"));
    EXPECT_EQ("Foo v2.0", EntryNameAtUninstall("Foo v2.0 Uninstall"));
    EXPECT_FALSE(EntryNameAtInstall(" Setup"));  // never the base key itself
    EXPECT_TRUE(NamesThisUninstall(command, "c:\\windows\\", "c:\\apps\\Foo"));
    EXPECT_FALSE(NamesThisUninstall(command, "c:\\windows\\", "c:\\apps\\Fo"));
    EXPECT_EQ("c:\\apps\\Foo\\setup.ini",
              UninstallerCopies("d:\\dist\\", "c:\\windows\\", "c:\\apps\\Foo")[2].to);
}

TEST(Shortcuts, NamesTargetsAndFolders) {
    const LinkFolders folders{"D\\", "S\\", "P\\"};
    const std::vector<InstallEntry> entries = {{"0", "readme.txt", "", 1},
                                               {"3", "tools/my.app.exe", "", 1},
                                               {"1", "run.exe", "bin", 1},
                                               {"2", "ab", "", 1}};
    std::vector<Shortcut> plan = PlanShortcuts(entries, "c:\\apps\\ed", "Ed", folders, true);
    ASSERT_EQ(3u, plan.size());
    EXPECT_EQ("c:\\apps\\ed\\\\tools/my.app.exe", plan[0].target);
    EXPECT_EQ("c:\\apps\\ed\\\\", plan[0].workingFolder);
    EXPECT_EQ((std::vector<std::string>{"D\\my.app.lnk", "P\\my.app.lnk"}), plan[0].linkFiles);
    EXPECT_EQ((std::vector<std::string>{"D\\run.lnk", "S\\run.lnk", "P\\run.lnk"}),
              plan[1].linkFiles);
    EXPECT_EQ((std::vector<std::string>{"D\\.lnk", "P\\.lnk"}), plan[2].linkFiles);
    EXPECT_EQ("c:\\apps\\ed\\\\tools/my.app.exe", FirstTask(plan));

    plan = PlanShortcuts({{"1", "run.exe", "", 1}}, "c:\\apps", "Acme/Ed", folders, false);
    EXPECT_EQ((std::vector<std::string>{"S\\Ed.lnk", "P\\Ed.lnk"}), plan[0].linkFiles);
    EXPECT_EQ("Tasks", FirstTask({}));
}

TEST(FinishRules, TargetKindFolderCommandAndScreenSaver) {
    EXPECT_EQ(TargetKind::ScreenSaver, KindOfTarget("c:\\apps\\x.SCR"));
    EXPECT_EQ(TargetKind::ScreenSaver, KindOfTarget("c:\\apps\\descr"));
    EXPECT_EQ(TargetKind::Program, KindOfTarget("cr"));
    EXPECT_EQ("c:\\apps\\ocean", WorkingFolderOf("c:\\apps\\ocean\\\\ocean.exe"));
    EXPECT_EQ("c:\\apps\\ocean", WorkingFolderOf("c:\\apps\\ocean\\bin\\ocean.exe"));
    EXPECT_EQ("c:\\apps\\ocean\\bin", WorkingFolderOf("c:\\apps\\ocean\\bin\\x64\\ocean.exe"));
    EXPECT_EQ("\"c:\\program files\\a.exe\"", ProgramCommand("c:\\program files\\a.exe"));
    EXPECT_FALSE(HasRecordedTarget("Tasks"));
    EXPECT_EQ("c:\\windows\\system32\\\\Aquari~1.scr",
              ScreenSaverValue("c:\\windows\\system32\\\\AquariumDeluxe.scr"));
    EXPECT_EQ("c:\\apps\\Aquarium.scr", ScreenSaverValue("c:\\apps\\Aquarium.scr"));
    EXPECT_EQ("c:\\apps\\Aquari~1.scr", ScreenSaverValue("c:\\apps\\Aquariums.scr"));
}

TEST(UninstallRegistration, WithoutAVersionLineTheUninstallFindsTheEntryTheInstallWrote) {
    // Neither mode changes the design title then; the install named its entry "[none]".
    EXPECT_EQ(EntryNameAtInstall("[none] Setup"), EntryNameAtUninstall("[none] Setup"));
}

}  // namespace
}  // namespace setup
