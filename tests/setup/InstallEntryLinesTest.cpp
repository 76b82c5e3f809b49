#include <gtest/gtest.h>

#include "InstallEntryLines.h"

namespace setup {
namespace {

TEST(InstallEntryLines, ReadBackAsWrittenEvenWithCommasInTheName) {
    for (const InstallEntry& written :
         {InstallEntry{"3", "prog.exe", "bin\\tools", 1234}, InstallEntry{"0", "readme.txt", "", 0},
          InstallEntry{"1", "a,b,.txt", "", 4294967295u}, InstallEntry{"2", ",", "x", 7}}) {
        const std::optional<InstallEntry> read = ReadInstallEntryLine(written.Line());
        ASSERT_TRUE(read) << written.Line();
        EXPECT_EQ(written.Line(), read->Line());
        EXPECT_EQ(written.name, read->name);
    }
    for (const char* line :
         {"", "3,prog.exe", "3,prog.exe,bin", "0,a,,", "0,a,,12x", "0,a,,4294967296"})
        EXPECT_FALSE(ReadInstallEntryLine(line)) << line;
}

}  // namespace
}  // namespace setup
