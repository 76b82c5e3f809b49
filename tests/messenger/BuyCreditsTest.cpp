// The buy-credits window: the spin edit's range and step, and the price text and the cart
// address byte for byte, in the C locale and in one whose decimal separator is a comma.
#include <windows.h>

#include <clocale>
#include <cstdio>

#include "MessengerFixture.h"
#include "PayPal.h"
#include "WindowDriver.h"
#include "password.h"

namespace messengertest {
namespace {

using testing_support::Click;
using testing_support::Find;

class BuyCredits : public MessengerTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        MessengerTest::SetUp();
        locale_ = setlocale(LC_ALL, nullptr);
        thread_ = GetThreadLocale();
    }
    void TearDown() override {
        setlocale(LC_ALL, locale_.c_str());
        SetThreadLocale(thread_);
        MessengerTest::TearDown();
    }
    std::string Site() const { return "http://" + StandIn().Host() + "/cgi-bin/default.pl?00%2C"; }

private:
    std::string locale_;
    LCID thread_ = 0;
};

TEST_P(BuyCredits, PricesAndTheCartCountWholePenceWithAPoint) {
    const bool comma = std::string(GetParam()) == "German";
    ASSERT_NE(setlocale(LC_ALL, GetParam()), nullptr);
    if (comma) SetThreadLocale(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT));
    char formatted[16];
    snprintf(formatted, sizeof formatted, "%.2f", 0.5);
    ASSERT_STREQ(formatted, comma ? "0,50" : "0.50") << "the locale did not take";

    Form12->Edit1->SetText("a&b #c");
    Form3->Show();
    const struct {
        int64_t credits;
        const char* pounds;
        const char* dollars;
    } cases[] = {{1, "0.05", "0.08"},
                 {200, "10.00", "15.98"},
                 {5, "0.25", "0.40"},
                 {1000, "50.00", "79.89"}};
    for (const auto& c : cases) {
        Form3->RxSpinEdit1->SetValue(c.credits);
        EXPECT_EQ(Form3->Label1->Caption(), std::string("Total amount GBP: \xA3") + c.pounds +
                                                "     USD: $" + c.dollars + " (approx)");
        Click(Find<gui::TBitBtn>(*Form3, "BitBtn1"));
        ASSERT_FALSE(browser_.starts.empty());
        EXPECT_EQ(browser_.starts.back().second,
                  std::string("\"https://www.paypal.com/cgi-bin/webscr?add=1&amount=") + c.pounds +
                      "&business=payments@zembly.example&cancel_return=" + Site() +
                      "cancel&cmd=_cart&cn=Note&currency_code=GBP&item_name=127.0.0.1%20credits"
                      "%20([a%26b%20%23c])&no_shipping=1&page_style=Primary&return=" +
                      Site() + "thankyou\"");
    }
    EXPECT_EQ(browser_.starts.size(), 4u);
    EXPECT_TRUE(Form3->Visible());
}

INSTANTIATE_TEST_SUITE_P(Locales, BuyCredits, ::testing::Values("C", "German"));

using BuyCreditsWindow = MessengerTest;

TEST_F(BuyCreditsWindow, CreditsStartAt200AndStepByFiveWithinTheirRangeAndCancelHides) {
    gui::TRxSpinEdit& credits = *Form3->RxSpinEdit1;
    Form3->Show();
    EXPECT_EQ(credits.Value(), 200);
    testing_support::PressKey(credits, VK_UP);
    EXPECT_EQ(credits.Value(), 205);
    EXPECT_EQ(Form3->Label1->Caption(),
              "Total amount GBP: \xA3"
              "10.25     USD: $16.38 (approx)");
    credits.SetValue(3);
    testing_support::PressKey(credits, VK_DOWN);
    EXPECT_EQ(credits.Value(), 1);
    credits.SetValue(999999998);
    testing_support::PressKey(credits, VK_UP);
    EXPECT_EQ(credits.Value(), 999999999);

    Click(Find<gui::TBitBtn>(*Form3, "BitBtn2"));
    EXPECT_FALSE(Form3->Visible());
}

}  // namespace
}  // namespace messengertest
