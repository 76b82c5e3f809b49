#include <gtest/gtest.h>

#include "AccountServiceProtocol.h"

namespace {

const AccountServiceProtocol protocol("service.test:81");
const std::string kBase = "http://service.test:81/cgi-bin/userc.pl?";

TEST(AccountServiceRequests, EachCommandHasItsExactAddress) {
    EXPECT_EQ(kBase + "40,jane,secret", protocol.CheckLogonAddress("jane", "secret"));
    EXPECT_EQ(kBase + "30,jane,secret,Jane,111;222;,Hi%2C%20you%0Athere",
              protocol.SubmitMessagesAddress("jane", "secret", "Jane", "111;222;",
                                             "Hi%2C%20you%0Athere"));
    EXPECT_EQ(kBase + "31,jane,a,b", protocol.PollStatusAddress("jane", "a", "b"));
    EXPECT_EQ(kBase + "42,364", protocol.LatestReleaseAddress("364"));
    EXPECT_EQ(kBase + "71,7|zemblySMS|Nice",
              protocol.SendFeedbackAddress("7", "zemblySMS", "Nice"));
}

TEST(AccountServiceRequests, EmptyFieldsKeepTheirCommas) {
    EXPECT_EQ(kBase + "40,jane,", protocol.CheckLogonAddress("jane", ""));
    EXPECT_EQ(kBase + "40,,", protocol.CheckLogonAddress("", ""));
    EXPECT_EQ(kBase + "30,u,p,,,", protocol.SubmitMessagesAddress("u", "p", "", "", ""));
}

TEST(AccountServiceRequests, FirstPollCarriesSuccessTwiceWhenTheReplyHadNoComma) {
    const std::string reply = "Success";
    ASSERT_TRUE(AccountServiceProtocol::MessagesQueued(reply));
    EXPECT_EQ(kBase + "31,jane,Success,Success",
              protocol.PollStatusAddress("jane", AccountServiceProtocol::ReplyField(reply, 1),
                                         AccountServiceProtocol::ReplyField(reply, 2)));
}

TEST(AccountServiceEncoding, CommasCannotShiftTheFieldsAfterThem) {
    // A comma typed into the user name once moved the password into the third field.
    EXPECT_EQ(kBase + "40,smith%2Cjohn,pw", protocol.CheckLogonAddress("smith,john", "pw"));
    EXPECT_EQ(kBase + "30,a%2Cb,c%2Cd,e%2Cf,1%2C2;,msg",
              protocol.SubmitMessagesAddress("a,b", "c,d", "e,f", "1,2;", "msg"));
    EXPECT_EQ(kBase + "31,a%2Cb,1%2C2,3", protocol.PollStatusAddress("a,b", "1,2", "3"));
    EXPECT_EQ(kBase + "42,3%2C64", protocol.LatestReleaseAddress("3,64"));
    EXPECT_EQ(kBase + "71,7%2C1|zembly%2CSMS|a%2Cb",
              protocol.SendFeedbackAddress("7,1", "zembly,SMS", "a,b"));
}

TEST(AccountServiceEncoding, CharactersThatBreakARequestAreEncoded) {
    EXPECT_EQ("%25%2C%23%26%2B%20", AccountServiceProtocol::EncodeField("%,#&+ "));
    EXPECT_EQ("%00%01%09%0A%0D%1F%7F",
              AccountServiceProtocol::EncodeField(std::string("\x00\x01\t\n\r\x1f\x7f", 7)));
    EXPECT_EQ("M%FCller%80%FF", AccountServiceProtocol::EncodeField("M\xFCller\x80\xFF"));
    // An already encoded sequence typed by the user is the user's text, not an escape.
    EXPECT_EQ("100%2520", AccountServiceProtocol::EncodeField("100%20"));
}

TEST(AccountServiceEncoding, OrdinaryInputGoesOutByteForByte) {
    const std::string printable = "abcXYZ0189!\"$'()*-./:;<=>?@[\\]^_`{|}~";
    EXPECT_EQ(printable, AccountServiceProtocol::EncodeField(printable));
    EXPECT_EQ(kBase + "40,demo,pa$$w0rd!", protocol.CheckLogonAddress("demo", "pa$$w0rd!"));
}

TEST(AccountServiceEncoding, TheSubmittedMessageIsNotEncodedTwice) {
    const std::string address =
        protocol.SubmitMessagesAddress("u", "p", "s", "1;", "100%25%20off%2C%0Anow");
    EXPECT_EQ(kBase + "30,u,p,s,1;,100%25%20off%2C%0Anow", address);
}

TEST(AccountServiceEncoding, FeedbackKeepsItsBreakMarksAndEncodesTheLineBreaks) {
    const std::string prepared = AccountServiceProtocol::FeedbackText("Nice\r\nBye");
    EXPECT_EQ("Nice\r<br>\nBye", prepared);
    EXPECT_EQ(kBase + "71,7|zemblySMS|Nice%0D<br>%0ABye",
              protocol.SendFeedbackAddress("7", "zemblySMS", prepared));
    EXPECT_EQ("a\r<br>\n\r<br>\n", AccountServiceProtocol::FeedbackText("a\r\n\r\n"));
    EXPECT_EQ("<br>\n<br>\n", AccountServiceProtocol::FeedbackText("\n\n"));
    EXPECT_EQ("no break", AccountServiceProtocol::FeedbackText("no break"));
}

TEST(AccountServiceReplies, LogonIsAcceptedOnALeadingOne) {
    EXPECT_TRUE(AccountServiceProtocol::LogonAccepted("1,250"));
    EXPECT_EQ("250 Credit(s)", AccountServiceProtocol::CreditText("1,250"));
    EXPECT_TRUE(AccountServiceProtocol::LogonAccepted("10,5"));
    EXPECT_EQ("5 Credit(s)", AccountServiceProtocol::CreditText("10,5"));
    EXPECT_TRUE(AccountServiceProtocol::LogonAccepted("1"));
    EXPECT_EQ("1 Credit(s)", AccountServiceProtocol::CreditText("1"));
    EXPECT_FALSE(AccountServiceProtocol::LogonAccepted("0,Bad login"));
    EXPECT_FALSE(AccountServiceProtocol::LogonAccepted("failed"));
    EXPECT_FALSE(AccountServiceProtocol::LogonAccepted(""));
    EXPECT_FALSE(AccountServiceProtocol::LogonAccepted(" 1,5"));
}

TEST(AccountServiceReplies, OnlyAnExactSuccessQueues) {
    EXPECT_TRUE(AccountServiceProtocol::MessagesQueued("Success,1,2"));
    EXPECT_TRUE(AccountServiceProtocol::MessagesQueued("Success"));
    EXPECT_FALSE(AccountServiceProtocol::MessagesQueued("success,1,2"));
    EXPECT_FALSE(AccountServiceProtocol::MessagesQueued("Success ,1,2"));
    EXPECT_FALSE(AccountServiceProtocol::MessagesQueued("Successful"));
    EXPECT_FALSE(AccountServiceProtocol::MessagesQueued("failed"));
    EXPECT_EQ("3", AccountServiceProtocol::ReplyField("Error,3", 1));
    EXPECT_EQ("failed", AccountServiceProtocol::ReplyField("failed", 1));
}

TEST(AccountServiceReplies, PollStatusFieldsAndItsEnd) {
    const auto status = AccountServiceProtocol::ReadStatus("95,0,0,2");
    EXPECT_EQ("95", status.credits);
    EXPECT_EQ("0", status.failed);
    EXPECT_EQ("0", status.pending);
    EXPECT_EQ("2", status.sent);
    EXPECT_TRUE(AccountServiceProtocol::PollFinished("95,0,0,2"));
    EXPECT_FALSE(AccountServiceProtocol::PollFinished("100,0,1,0"));
    EXPECT_FALSE(AccountServiceProtocol::PollFinished("failed"));
    EXPECT_FALSE(AccountServiceProtocol::PollFinished("9,0,00,1"));

    // Missing fields are the text after the last comma.
    const auto short_ = AccountServiceProtocol::ReadStatus("95,1");
    EXPECT_EQ("95", short_.credits);
    EXPECT_EQ("1", short_.failed);
    EXPECT_EQ("1", short_.pending);
    EXPECT_EQ("1", short_.sent);
    const auto failed = AccountServiceProtocol::ReadStatus("failed");
    EXPECT_EQ("failed", failed.credits);
    EXPECT_EQ("failed", failed.pending);
}

}  // namespace
