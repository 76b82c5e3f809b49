#include <gtest/gtest.h>

#include "BrowserCommand.h"
#include "BuyCredits.h"
#include "ProgramFolder.h"
#include "ReleaseCheck.h"
#include "ServiceSite.h"

namespace messenger {
namespace {

// The buy-credits window checks the price and the whole cart address for the credits a user picks;
// here the greatest number of credits and a user without a name.
TEST(BuyCredits, TheMostCreditsAndAnEmptyName) {
    EXPECT_EQ(
        "Total amount GBP: \xA3"
        "49999999.95     USD: $79884999.92 (approx)",
        PriceText(999999999));
    const PaymentSettings settings{"cart.example", "pay@shop.example", "http://svc.example:81",
                                   "svc.example"};
    const std::string cart = PaymentCartAddress(1, "", settings);
    EXPECT_EQ(0u, cart.find("https://cart.example/cgi-bin/webscr?add=1&amount=0.05&"));
    EXPECT_NE(std::string::npos, cart.find("&item_name=svc.example%20credits%20([])&"));
}

TEST(BuyCreditsCart, SiteDomainIsTheHostWithoutItsPort) {
    EXPECT_EQ("127.0.0.1", DomainOf("127.0.0.1:8080"));
    EXPECT_EQ("[::1]", DomainOf("[::1]:8080"));
    EXPECT_EQ("svc.example", DomainOf("svc.example"));
}

// The notice itself is checked through the release check's window; a blank reply of any kind
// is no release.
TEST(ReleaseCheck, BlankRepliesAreNoNotice) {
    for (const char* reply : {"failed", "", " ", "\r\n", " \t\n"})
        EXPECT_FALSE(IsNewRelease(reply, kRunningVersionName)) << '"' << reply << '"';
}

TEST(BrowserLaunch, ProgramBetweenTheFirstTwoQuotesAndTheAddressAsOneArgument) {
    EXPECT_EQ("C:\\Program Files\\Web\\web.exe",
              BrowserProgram("\"C:\\Program Files\\Web\\web.exe\" -nohome \"%1\""));
    EXPECT_EQ("", BrowserProgram("C:\\web.exe %1"));
    EXPECT_EQ("", BrowserProgram("\"C:\\web.exe %1"));

    EXPECT_EQ("\"https://c/x?a=1&b=x y ([z])\"", BrowserArgument("https://c/x?a=1&b=x y ([z])"));
    EXPECT_EQ("\"a%22b\"", BrowserArgument("a\"b"));
    EXPECT_EQ("\"x\\y\\\\\"", BrowserArgument("x\\y\\"));
    EXPECT_EQ(
        "Unable to detect a suitable web browser!\n\r\n\rPlease visit svc.example from your "
        "default web browser.",
        BrowserFailureMessage("svc.example"));
}

TEST(ProgramFiles, FolderAndSoundNames) {
    EXPECT_EQ("C:\\Apps\\zSMS\\", ProgramFolder("C:\\Apps\\zSMS\\zemblySMS-old.exe"));
    EXPECT_EQ("", ProgramFolder("zemblySMS.exe"));

    const std::string folder = "C:\\Apps\\";
    EXPECT_EQ("C:\\Apps\\zSMS-Sent.wav", SoundFileToOpen("zSMS-Sent.wav", folder));
    EXPECT_EQ("C:\\Apps\\my sounds\\a.wav", SoundFileToOpen("\"my sounds\\a.wav\"", folder));
    EXPECT_EQ("D:\\s\\a.wav", SoundFileToOpen("\"D:\\s\\a.wav\"", folder));
    EXPECT_EQ("", SoundFileToOpen("", folder));
}

}  // namespace
}  // namespace messenger
