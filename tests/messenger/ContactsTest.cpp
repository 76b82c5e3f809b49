#include <gtest/gtest.h>

#include "ContactsFile.h"

namespace messenger {
namespace {

using Records = std::vector<std::string>;
const std::string kHeader = "[zembly SMS contacts 2.00]\r\n";

// The other versions' headers and the line ends and bytes of odd files are checked through the
// composer's loads and saves.
TEST(ContactsFileRead, HeaderRule) {
    // The header alone is an accepted file with no contacts, not one blank contact.
    for (const std::string& file :
         {kHeader, kHeader + "\r\n", std::string("[zembly SMS contacts 2")}) {
        const ContactsRead read = ReadContacts(file);
        EXPECT_TRUE(read.accepted);
        EXPECT_EQ(Records{}, read.records);
    }
}

TEST(ContactsFileRead, LfCrIsOneLineEnd) {
    EXPECT_EQ((Records{"a|1", "b|2"}), ReadContacts(kHeader + "a|1\n\rb|2\r\n").records);
}

TEST(ContactsFileWrite, HeaderThenRecordsAndReadsBack) {
    EXPECT_EQ(kHeader, WriteContacts({}));
    const Records records{"Ann|1", "a|b|2", "Bob|"};
    EXPECT_EQ(kHeader + "Ann|1\r\na|b|2\r\nBob|\r\n", WriteContacts(records));
    EXPECT_EQ(records, ReadContacts(WriteContacts(records)).records);
}

TEST(ContactRecords, NameAndNumberSplitAtTheFirstBar) {
    EXPECT_EQ("a", ContactName("a|b|1"));
    EXPECT_EQ("b|1", ContactNumber("a|b|1"));
    EXPECT_EQ("abc", ContactName("abc"));
    EXPECT_EQ("abc", ContactNumber("abc"));
    EXPECT_EQ(" Ann ", ContactCaption("Ann|1"));

    EXPECT_EQ("", ContactRefusal("Ann", "+44 1"));
    EXPECT_NE("", ContactRefusal("a|b", "1"));
    EXPECT_NE("", ContactRefusal("a", "1|2"));
}

TEST(ContactRecords, OnePassInByteOrder) {
    Records records = {"bob|1", "Bob|1", "abc|1", "ab|1", "\xC4x|1", "zz|1"};
    OrderContactsOnePass(records);
    // Capitals before small letters, "|" after letters, bytes above 127 after ASCII.
    EXPECT_EQ((Records{"Bob|1", "abc|1", "ab|1", "bob|1", "zz|1", "\xC4x|1"}), records);

    records = {"ab|1", "abc|1"};
    OrderContactsOnePass(records);
    EXPECT_EQ((Records{"abc|1", "ab|1"}), records);
}

}  // namespace
}  // namespace messenger
