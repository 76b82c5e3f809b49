// The buy-credits window's sums and the payment provider's cart address. Money is counted in
// whole pence and cents and printed with "." in every locale, so the price shown, the amount
// charged and the dollar estimate never depend on floating point or the user's settings.
// Portable: no windows.h here.
#pragma once

#include <cstdint>
#include <string>

namespace messenger {

// Where the cart lives and whom it pays; the defaults are here and nowhere else.
struct PaymentSettings {
    std::string cartHost;     // the provider's cart endpoint host
    std::string merchant;     // the merchant account's e-mail address
    std::string siteAddress;  // where the provider sends the user back, "http://host[:port]"
    std::string siteDomain;   // the site's name in the item name
};
PaymentSettings DefaultPaymentSettings();

// 20 credits cost one pound.
int64_t PriceInPence(int64_t credits);
// At the fixed rate of 1.5977 dollars to the pound, rounded half up to the cent.
int64_t DollarCents(int64_t pence);
// Hundredths as "units.hh": 1000 gives "10.00".
std::string MoneyText(int64_t hundredths);

// "Total amount GBP: " + pound sign (the one byte 0xA3) + pounds + "     USD: $" + dollars +
// " (approx)".
std::string PriceText(int64_t credits);

// "https://" + cart host + "/cgi-bin/webscr?" + add, amount, business, cancel_return, cmd, cn,
// currency_code, item_name, no_shipping, page_style and return, in that order, each value
// percent-encoded so that a user name holding "&", "#" or a space stays whole.
std::string PaymentCartAddress(int64_t credits, const std::string& userName,
                               const PaymentSettings& settings);

}  // namespace messenger
