#include <gtest/gtest.h>

#include <set>

#include "CommandLine.h"
#include "PageRules.h"
#include "SetupIni.h"
#include "StartupRules.h"

namespace setup {
namespace {

const std::string kHeader = "[Tarnwick Installer v1.10]\r\n";

SetupConfig Read(const std::string& content, bool uninstall = false) {
    SetupConfig config;
    config.installFolder = "c:\\program files\\";
    const SetupIniContext context{uninstall, "c:\\windows\\system32\\"};
    EXPECT_TRUE(ReadSetupIni(content, context, config));
    return config;
}

// What a plain setup.ini puts into each control is checked through the window
// (WizardStartupTest).
TEST(SetupIni, RulesApplyInFileOrderOnTheDesignValues) {
    // The version line uses the product name read so far and appends again when repeated.
    SetupConfig config = Read(kHeader + "version=2.0\r\nprogname=Foo\r\nversion=3\r\n");
    EXPECT_EQ("Foo v3 Setup", config.title);
    EXPECT_EQ("Welcome to the ProgName setup program.Foo setup program.", config.welcome);
    EXPECT_EQ("c:\\program files\\ProgNameFoo", config.installFolder);

    // A screen saver sets the whole folder; a later company line appends to it again.
    config = Read(kHeader + "scr=wave.scr\r\ncompany=Acme\r\n");
    EXPECT_EQ("c:\\windows\\system32\\Acme\\", config.installFolder);
    EXPECT_EQ(std::vector<std::string>{"2,wave.scr"}, config.requiredFileLines);
}

TEST(SetupIni, UninstallModeReadsTheFeedbackIdAndTitle) {
    const SetupConfig config = Read(kHeader + "progname=Foo\nversion=2.0\nfeedback=7\n", true);
    EXPECT_EQ("Foo v2.0 Uninstall", config.title);
    EXPECT_EQ("7", config.feedbackId);
    EXPECT_EQ("None", Read(kHeader + "feedback=7\n").feedbackId);  // install mode ignores it
    for (const auto& [value, id] : std::vector<std::pair<const char*, const char*>>{
             {"|12", "12"}, {"5|", "5"}, {"a|b|c", "b"}, {"", "None"}, {"||", "None"}})
        EXPECT_EQ(id, FeedbackIdOf(value)) << value;
}

TEST(SetupIni, SectionsNameComponentsAndCollectTheirLines) {
    const SetupConfig config = Read(kHeader +
                                    "file=bin\\*.exe\n"
                                    "[Docs]\n"
                                    "startup=app.exe,tools\n"
                                    "[Registry]\n"
                                    "APP=after.exe\n"
                                    "key=HKEY_CURRENT_USER\\Software\\Foo,string,a,b\n"
                                    "[MINIMAL]\n"
                                    "[Beta\n"
                                    "progname=[Gamma]\n"
                                    "[registry] \n"
                                    "progname\n");
    EXPECT_EQ(std::vector<std::string>{"0,bin\\*.exe"}, config.requiredFileLines);
    EXPECT_EQ("Docs", config.components[0].caption);
    // Lines after [Registry] stay with the component before it; keys are matched in any case.
    EXPECT_EQ((std::vector<std::string>{"1,app.exe,tools", "3,after.exe"}),
              config.components[0].fileLines);
    EXPECT_EQ(std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Foo,string,a,b"},
              config.keyLines);
    EXPECT_EQ("Bet", config.components[1].caption);
    EXPECT_EQ("Gamma", config.components[2].caption);  // a value beginning with "[" is a section
    EXPECT_EQ("registry]", config.components[3].caption);
    EXPECT_EQ(4, config.VisibleComponents());
    EXPECT_EQ("progname", config.progName);  // a line without "=" is its own key and value
}

TEST(SetupIni, TheEleventhComponentHasNoBoxAndLosesItsLines) {
    std::string content = kHeader;
    for (int i = 1; i <= 12; ++i)
        content += "[C" + std::to_string(i) + "]\nfile=f" + std::to_string(i) + "\n";
    const SetupConfig config = Read(content);
    EXPECT_EQ(10, config.VisibleComponents());
    EXPECT_EQ("C10", config.components[9].caption);
    EXPECT_EQ(std::vector<std::string>{"0,f10"}, config.components[9].fileLines);
    EXPECT_TRUE(config.requiredFileLines.empty());
}

TEST(SetupIni, OnlyAnExactHeaderIsAccepted) {
    SetupConfig config;
    for (const char* refused : {"", "[Tarnwick Installer v1.20]\r\n",
                                "[Tarnwick Installer v1.00] \r\n", "[tarnwick installer v1.00]"})
        EXPECT_FALSE(ReadSetupIni(refused, SetupIniContext(), config)) << refused;
    EXPECT_TRUE(ReadSetupIni("[Tarnwick Installer v1.00]", SetupIniContext(), config));
}

TEST(SetupIni, LinesEndAtCrLfLfOrLoneCr) {
    const SetupConfig config =
        Read("[Tarnwick Installer v1.00]\rprogname=A\rfile=x\n\nfile=y\r\nfile=z");
    EXPECT_EQ("A", config.progName);
    EXPECT_EQ((std::vector<std::string>{"0,x", "0,y", "0,z"}), config.requiredFileLines);
}

TEST(CommandLine, QuotedStretchesAndBlanksMakeTheArguments) {
    EXPECT_EQ(
        (std::vector<std::string>{"/uninstall:", "1,C:\\Program", "Files\\Acme\\Foo"}),
        ProgramArguments("\"C:\\My Apps\\setup.exe\"  /uninstall: 1,C:\\Program Files\\Acme\\Foo"));
    EXPECT_EQ((std::vector<std::string>{"a b", "cd e", "open"}),
              SplitCommandLine("\"a b\"\tc\"d e\" \"open"));
    EXPECT_EQ("", JoinArguments({}));
    EXPECT_EQ("a b ", JoinArguments({"a", "b"}));
}

TEST(CommandLine, UninstallCommandIsReadOnlyWhenItsFolderIsSafe) {
    std::set<std::string> existing = {"C:\\Program Files\\Acme\\Foo", "C:\\", "D:\\Apps\\..",
                                      "Apps"};
    auto exists = [&](const std::string& folder) { return existing.count(folder) > 0; };
    auto read = [&](const std::string& arguments) {
        return ReadUninstallCommand(JoinArguments(SplitCommandLine(arguments)), exists);
    };
    const UninstallCommand good = read("/UNINSTALL: 1,C:\\Program  Files\\Acme\\Foo");
    EXPECT_TRUE(good.uninstall && good.accepted && good.installFolderCreated);
    EXPECT_EQ("C:\\Program Files\\Acme\\Foo", good.installFolder);
    EXPECT_FALSE(read("/uninstall: 0,C:\\Program Files\\Acme\\Foo").installFolderCreated);

    for (const char* refused : {"/uninstall: 2,C:\\Program Files\\Acme\\Foo", "/uninstall: 1,C:\\",
                                "/uninstall: 1,D:\\Apps\\..", "/uninstall: 1,Apps",
                                "/uninstall: 1,C:\\Missing", "/uninstall", "/uninstall: 1,"}) {
        const UninstallCommand command = read(refused);
        EXPECT_TRUE(command.uninstall) << refused;
        EXPECT_FALSE(command.accepted) << refused;
    }
    EXPECT_FALSE(read("/uninstal 1,C:\\Program Files\\Acme\\Foo").uninstall);
}

// The source folder, the fitted and the unscaled logo, the empty licence and the page asked for
// are checked through the window (WizardStartupTest), and so is the page walk (WizardPagesTest).
TEST(StartupRules, ExactHalvesOfTheLogoWidthGoToTheEvenNeighbour) {
    EXPECT_EQ(64, PlaceLogo(129, 86, 0).width);  // 64.5
    EXPECT_EQ(24, PlaceLogo(47, 86, 0).width);   // 23.5
}

// The road passes the install page within one click, so the window tests never see it.
TEST(PageRules, TheInstallPageOffersNoNext) {
    EXPECT_FALSE(ButtonsOnPage(kInstallPage, true, true).nextEnabled);
}

TEST(PageRules, LocationPageRefusesFoldersTheUninstallerWouldRefuse) {
    for (const char* refused : {"", "Apps\\Foo", "\\Apps", "C:Apps", "C:\\", "C:\\Apps\\..\\.."})
        EXPECT_NE("", InstallFolderRefusal(refused)) << refused;
    for (const char* accepted : {"c:\\program files\\Acme\\Foo", "\\\\server\\share\\Foo"})
        EXPECT_EQ("", InstallFolderRefusal(accepted)) << accepted;
}

TEST(PageRules, LocationPageRefusesAFolderTheUninstallCommandCannotCarry) {
    // The command gives the folder back with single blanks: "Two  Blanks" would become another.
    EXPECT_NE("", InstallFolderRefusal("C:\\Apps\\Two  Blanks\\Foo"));
    EXPECT_EQ("", InstallFolderRefusal("C:\\Apps\\One Blank\\Foo"));
}

TEST(PageRules, LocationPageRefusesAFolderEndingInABlank) {
    // Made with its blank, given back by the uninstall command without it.
    EXPECT_NE("", InstallFolderRefusal("C:\\Apps\\Foo "));
    EXPECT_EQ("", InstallFolderRefusal("C:\\Apps \\Foo"));
}

}  // namespace
}  // namespace setup
