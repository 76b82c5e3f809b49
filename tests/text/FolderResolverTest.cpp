#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <tuple>
#include <vector>

#include "FolderResolver.h"
#include "TextToolkit.h"

namespace {

using text::FolderSources;
using text::RegistryRoot;
using text::ResolveSpecialFolder;

// Answers from tables and notes every question asked.
class FakeSources : public FolderSources {
public:
    std::map<std::string, std::string> env;  // names in upper case: the lookup ignores case
    std::map<int, std::string> shell;
    SizedText windowsDirectory;
    int64_t tempSize = 0;
    std::string tempText;
    std::map<std::tuple<RegistryRoot, std::string, std::string>, std::string> registry;
    std::vector<std::string> directories;
    std::vector<std::string> asked;

    std::string Environment(const std::string& name) override {
        asked.push_back("env " + name);
        std::string upper = name;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        auto it = env.find(upper);
        return it == env.end() ? std::string() : it->second;
    }
    std::string ShellFolder(int csidl) override {
        asked.push_back("shell " + std::to_string(csidl));
        auto it = shell.find(csidl);
        return it == shell.end() ? std::string() : it->second;
    }
    SizedText WindowsDirectory() override {
        asked.push_back("windows directory");
        return windowsDirectory;
    }
    int64_t TempPathSize() override {
        asked.push_back("temp size");
        return tempSize;
    }
    std::string TempPath(int64_t size) override {
        asked.push_back("temp path " + std::to_string(size));
        return tempText;
    }
    std::string RegistryString(RegistryRoot root, const std::string& key,
                               const std::string& value) override {
        asked.push_back(std::string("registry ") +
                        (root == RegistryRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + key + " " +
                        value);
        auto it = registry.find({root, key, value});
        return it == registry.end() ? std::string() : it->second;
    }
    bool DirectoryExists(const std::string& path) override {
        asked.push_back("exists " + path);
        for (const auto& d : directories)
            if (d == path) return true;
        return false;
    }
};

const std::string kStartupTail = "\\all users\\start menu\\programs\\startup\\";

TEST(SpecialFolder, UnknownKeywordsGiveTheRootOfDriveCAndAskNothing) {
    FakeSources s;
    EXPECT_EQ(ResolveSpecialFolder("desktop", s), "c:\\");
    EXPECT_EQ(ResolveSpecialFolder("", s), "c:\\");
    EXPECT_EQ(ResolveSpecialFolder("windows ", s), "c:\\");
    EXPECT_EQ(ResolveSpecialFolder("W\xC9NDOWS", s), "c:\\");
    EXPECT_TRUE(s.asked.empty());
}

TEST(SpecialFolder, KeywordsIgnoreAsciiCase) {
    FakeSources s;
    s.shell[24] = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
    const std::string want = "c:\\programdata\\microsoft\\windows\\start menu\\programs\\startup\\";
    EXPECT_EQ(ResolveSpecialFolder("allStartup", s), want);
    EXPECT_EQ(ResolveSpecialFolder("ALLSTARTUP", s), want);
    EXPECT_EQ(ResolveSpecialFolder("allstartup", s), want);
    s.env["WINDIR"] = "C:\\Windows_NT";
    EXPECT_EQ(ResolveSpecialFolder("Windows", s), "c:\\windows_nt\\");
    s.shell[38] = "C:\\Program Files";
    EXPECT_EQ(ResolveSpecialFolder("ProgramFiles", s), "c:\\program files\\");
}

TEST(SpecialFolder, ShellAnswersShorterThanElevenCharactersCountAsNone) {
    FakeSources s;
    s.shell[25] = "C:\\Public1";  // 10 characters
    EXPECT_EQ(ResolveSpecialFolder("alldesktop", s),
              "c:\\documents and settings\\all users\\desktop\\");
    s.shell[25] = "C:\\Public12";  // 11 characters
    EXPECT_EQ(ResolveSpecialFolder("alldesktop", s), "c:\\public12\\");
}

TEST(SpecialFolder, OnlyAsciiLettersAreLowered) {
    FakeSources s;
    s.shell[25] = "C:\\Users\\\xC9MILE\\Desktop";
    EXPECT_EQ(ResolveSpecialFolder("alldesktop", s), "c:\\users\\\xC9mile\\desktop\\");
}

// ---- windows ------------------------------------------------------------------------------------

TEST(SpecialFolder, WindowsFromAPlausibleWindir) {
    FakeSources s;
    s.env["WINDIR"] = "D:\\Windows64";
    s.windowsDirectory = {10, "C:\\WINDOWS"};
    EXPECT_EQ(ResolveSpecialFolder("windows", s), "d:\\windows64\\");
    EXPECT_EQ(s.asked, (std::vector<std::string>{"env windir"}));
}

TEST(SpecialFolder, AShortWindirLeavesItToTheWindowsDirectoryCall) {
    FakeSources s;
    s.env["WINDIR"] = "C:\\WINDOWS";  // ten characters
    s.windowsDirectory = {10, "C:\\WINDOWS"};
    EXPECT_EQ(ResolveSpecialFolder("windows", s), "c:\\windows\\");
    s.windowsDirectory = {3, "E:\\"};  // accepted whatever its length
    EXPECT_EQ(ResolveSpecialFolder("windows", s), "e:\\");
    s.windowsDirectory = {0, ""};
    EXPECT_EQ(ResolveSpecialFolder("windows", s), "c:\\windows\\");
}

// ---- system32 -----------------------------------------------------------------------------------

TEST(SpecialFolder, System32Chain) {
    FakeSources s;
    s.shell[37] = "C:\\WINDOWS\\system32";
    s.env["WINDIR"] = "Q:\\W";
    EXPECT_EQ(ResolveSpecialFolder("system32", s), "c:\\windows\\system32\\");
    s.shell.clear();
    EXPECT_EQ(ResolveSpecialFolder("system32", s), "q:\\w\\system32\\");
    s.env.clear();
    s.shell[37] = "C:\\short";
    EXPECT_EQ(ResolveSpecialFolder("system32", s), "c:\\windows\\system32\\");
}

// ---- programfiles -------------------------------------------------------------------------------

TEST(SpecialFolder, ProgramFilesFromShellThenRegistryThenExistence) {
    FakeSources s;
    s.shell[38] = "D:\\Programs\\";
    EXPECT_EQ(ResolveSpecialFolder("programfiles", s), "d:\\programs\\");

    s.shell.clear();
    s.registry[{RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                "ProgramFilesDir"}] = "E:\\Program Files";
    EXPECT_EQ(ResolveSpecialFolder("programfiles", s), "e:\\program files\\");

    s.registry.clear();
    s.asked.clear();
    EXPECT_EQ(ResolveSpecialFolder("programfiles", s), "c:\\program files\\");
    EXPECT_EQ(s.asked.back(), "exists c:\\program files (x86)");

    s.directories.push_back("c:\\program files (x86)");
    EXPECT_EQ(ResolveSpecialFolder("programfiles", s), "c:\\program files (x86)\\");
}

TEST(SpecialFolder, AShortRegistryValueCountsAsNone) {
    FakeSources s;
    s.registry[{RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                "ProgramFilesDir"}] = "C:\\Progs";
    EXPECT_EQ(ResolveSpecialFolder("programfiles", s), "c:\\program files\\");
}

// ---- temp ---------------------------------------------------------------------------------------

TEST(SpecialFolder, TempFromThePlausibleVariable) {
    FakeSources s;
    s.env["TEMP"] = "C:\\Users\\ann\\Temp";
    EXPECT_EQ(ResolveSpecialFolder("temp", s), "c:\\users\\ann\\temp\\");
}

TEST(SpecialFolder, AShortTempVariableFallsBackToTheTempPathCall) {
    FakeSources s;
    s.env["TEMP"] = "C:\\TEMP";
    s.tempSize = 31;
    s.tempText = "C:\\Users\\ann\\AppData\\Local\\Temp\\";
    s.asked.clear();
    EXPECT_EQ(ResolveSpecialFolder("temp", s), "c:\\users\\ann\\appdata\\local\\temp\\");
    EXPECT_EQ(s.asked, (std::vector<std::string>{"env temp", "temp size", "temp path 31"}));

    s.tempText = "X:\\";  // accepted whatever it is
    EXPECT_EQ(ResolveSpecialFolder("temp", s), "x:\\");
    s.tempSize = 0;
    EXPECT_EQ(ResolveSpecialFolder("temp", s), "c:\\windows\\temp\\");
}

// ---- profile and favorites ----------------------------------------------------------------------

TEST(SpecialFolder, ProfileFromTheVariableOrTheDesktopPath) {
    FakeSources s;
    s.env["USERPROFILE"] = "C:\\Users\\Annabel";
    EXPECT_EQ(ResolveSpecialFolder("profile", s), "c:\\users\\annabel\\");

    s.env.clear();
    s.shell[0] = "C:\\Documents and Settings\\user\\Desktop";
    EXPECT_EQ(ResolveSpecialFolder("profile", s), "c:\\documents and settings\\user\\");

    s.env["USERPROFILE"] = "C:\\Users";  // too short
    EXPECT_EQ(ResolveSpecialFolder("profile", s), "c:\\documents and settings\\user\\");

    s.shell.clear();
    EXPECT_EQ(ResolveSpecialFolder("profile", s), "\\");
}

TEST(SpecialFolder, FavoritesFromShellThenRegistryAsItComes) {
    FakeSources s;
    s.shell[6] = "C:\\Users\\ann\\Favorites";
    EXPECT_EQ(ResolveSpecialFolder("favorites", s), "c:\\users\\ann\\favorites\\");

    s.shell.clear();
    const auto key = std::make_tuple(RegistryRoot::CurrentUser,
                                     std::string("Software\\Microsoft\\Windows\\CurrentVersion\\"
                                                 "Explorer\\Shell Folders"),
                                     std::string("Favorites"));
    s.registry[key] = "F:\\Fav";
    EXPECT_EQ(ResolveSpecialFolder("favorites", s), "f:\\fav\\");

    s.registry.clear();
    EXPECT_EQ(ResolveSpecialFolder("favorites", s), "\\");
}

// ---- all users' desktop, programs and startup ---------------------------------------------------

TEST(SpecialFolder, AllDesktopFallsBackToTheUsersOwnHome) {
    FakeSources s;
    s.env["HOMEDRIVE"] = "C:";
    s.env["HOMEPATH"] = "\\Documents and Settings\\user";
    EXPECT_EQ(ResolveSpecialFolder("alldesktop", s), "c:\\documents and settings\\user\\desktop\\");
}

TEST(SpecialFolder, AShortHomeGivesTheAllUsersProfile) {
    FakeSources s;
    s.env["HOMEDRIVE"] = "C:";
    s.env["HOMEPATH"] = "\\home\\a";  // C:\home\a: nine characters
    EXPECT_EQ(ResolveSpecialFolder("alldesktop", s),
              "c:\\documents and settings\\all users\\desktop\\");
    EXPECT_EQ(ResolveSpecialFolder("allprograms", s),
              "c:\\documents and settings\\all users\\start menu\\programs\\");
}

TEST(SpecialFolder, AllProgramsChain) {
    FakeSources s;
    s.shell[23] = "C:\\ProgramData\\Start Menu\\Programs";
    EXPECT_EQ(ResolveSpecialFolder("allprograms", s), "c:\\programdata\\start menu\\programs\\");
    s.shell.clear();
    s.env["HOMEDRIVE"] = "D:";
    s.env["HOMEPATH"] = "\\Users\\bob";
    EXPECT_EQ(ResolveSpecialFolder("allprograms", s), "d:\\users\\bob\\start menu\\programs\\");
}

TEST(SpecialFolder, AllStartupFromTheProfilesRoot) {
    FakeSources s;
    s.env["HOMEDRIVE"] = "C:";
    s.env["HOMEPATH"] = "\\Documents and Settings\\user";
    EXPECT_EQ(ResolveSpecialFolder("allstartup", s), "c:\\documents and settings" + kStartupTail);

    s.env["HOMEDRIVE"] = "D:";
    s.env["HOMEPATH"] = "\\Users\\bob";
    EXPECT_EQ(ResolveSpecialFolder("allstartup", s), "d:\\users" + kStartupTail);
}

TEST(SpecialFolder, AllStartupWithNeitherHomeVariable) {
    FakeSources s;
    EXPECT_EQ(ResolveSpecialFolder("allstartup", s), "c:\\documents and settings" + kStartupTail);
}

TEST(SpecialFolder, TheProfilesRootNeedsFiveCharacters) {
    FakeSources s;
    s.env["HOMEPATH"] = "\\ab\\c";  // \ab: three characters
    EXPECT_EQ(ResolveSpecialFolder("allstartup", s), "c:\\documents and settings" + kStartupTail);
    s.env["HOMEDRIVE"] = "C:";
    s.env["HOMEPATH"] = "\\ab\\c";  // C:\ab: five characters
    EXPECT_EQ(ResolveSpecialFolder("allstartup", s), "c:\\ab" + kStartupTail);
}

TEST(SpecialFolder, EnvironmentNamesAreAskedAsWritten) {
    FakeSources s;
    for (const char* keyword :
         {"windows", "system32", "temp", "profile", "alldesktop", "allstartup"})
        ResolveSpecialFolder(keyword, s);
    std::vector<std::string> names;
    for (const auto& question : s.asked)
        if (question.rfind("env ", 0) == 0) names.push_back(question.substr(4));
    EXPECT_EQ(names, (std::vector<std::string>{"windir", "windir", "temp", "userprofile",
                                               "HOMEDRIVE", "HOMEPATH", "HOMEDRIVE", "HOMEPATH"}));
}

TEST(SpecialFolder, EveryResultEndsWithExactlyTheBackslashItNeeds) {
    FakeSources s;
    s.shell[6] = "C:\\Users\\ann\\Favorites\\";
    EXPECT_EQ(ResolveSpecialFolder("favorites", s), "c:\\users\\ann\\favorites\\");
    s.shell[6] = "C:\\Users\\ann\\Favorites";
    EXPECT_EQ(ResolveSpecialFolder("favorites", s), "c:\\users\\ann\\favorites\\");
}

}  // namespace
