#include <gtest/gtest.h>

#include "ExtractionPlan.h"

namespace setup {
namespace {

std::vector<std::string> Lines(const ExtractionListing& listed) {
    std::vector<std::string> lines;
    for (const InstallEntry& entry : listed.listing.entries) lines.push_back(entry.Line());
    return lines;
}

TEST(ExtractionPlan, UnsafeOrOversizedEntriesAreLeftOutAndNoted) {
    const std::string fitting(255, 'z');
    const std::string oversized = std::string(252, 'z') + ".exe";
    const std::vector<ListedEntry> archive = {{"app.exe", 5, true},
                                              {"../evil.exe", 7, false},
                                              {fitting, 1, true},
                                              {oversized, 2, true},
                                              {"con.txt", 3, false}};
    const ExtractionListing listed = ListEntriesToExtract({"0,*.exe"}, archive);
    // The 255-character name still fits the library's buffer with its NUL; the unmatched unsafe
    // "con.txt" is no part of the install and is not noted.
    EXPECT_EQ((std::vector<std::string>{"0,app.exe,,5"}), Lines(listed));
    EXPECT_EQ(5u, listed.listing.totalSize);
    EXPECT_EQ(oversized, listed.refusalNote);  // the last one left out

    const ExtractionListing fits = ListEntriesToExtract({"0,z"}, archive);
    ASSERT_EQ(1u, fits.listing.entries.size());
    EXPECT_EQ(fitting, fits.listing.entries[0].name);
    EXPECT_EQ(oversized, fits.refusalNote);
}

TEST(ExtractionPlan, SubfoldersThatLeaveTheInstallFolderRefuseTheirLine) {
    const std::vector<ListedEntry> archive = {{"app.exe", 5, true}, {"b.txt", 1, true}};
    for (const char* subfolder :
         {"..\\up", "bin\\..\\..", "c:\\windows", "\\root", "data:x", "bin\\NUL", "com1.log"}) {
        const ExtractionListing listed =
            ListEntriesToExtract({std::string("0,app.exe,") + subfolder, "0,b.txt"}, archive);
        EXPECT_EQ((std::vector<std::string>{"0,b.txt,,1"}), Lines(listed)) << subfolder;
        EXPECT_EQ(subfolder, listed.refusalNote);
    }
    const ExtractionListing listed =
        ListEntriesToExtract({"3,app.exe,Bin\\Tools", "0,b.txt,", "0,app.exe,app.exe"}, archive);
    EXPECT_EQ((std::vector<std::string>{"3,app.exe,bin\\tools,5", "0,b.txt,,1", "0,app.exe,,5"}),
              Lines(listed));
    EXPECT_EQ("", listed.refusalNote);
}

TEST(ExtractionPlan, ArchivePathMustFitTheLibraryBuffer) {
    EXPECT_EQ("c:\\dist\\\\setup.tws", ArchiveBufferText("c:\\dist\\"));
    EXPECT_EQ("c:\\dist\\setup.tws", ArchivePath("c:\\dist\\"));
    EXPECT_TRUE(ArchiveBufferText(std::string(245, 'd')));  // 255 characters and the NUL
    EXPECT_FALSE(ArchiveBufferText(std::string(246, 'd')));
}

}  // namespace
}  // namespace setup
