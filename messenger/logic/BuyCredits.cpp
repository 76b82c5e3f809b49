#include "BuyCredits.h"

#include <utility>

#include "MessageEncoding.h"
#include "ServiceSite.h"

namespace messenger {

PaymentSettings DefaultPaymentSettings() {
    return PaymentSettings{"www.paypal.com", "payments@zembly.example", SiteAddress(),
                           SiteDomain()};
}

int64_t PriceInPence(int64_t credits) {
    return credits * 5;
}

int64_t DollarCents(int64_t pence) {
    return (pence * 15977 + 5000) / 10000;
}

std::string MoneyText(int64_t hundredths) {
    std::string cents = std::to_string(hundredths % 100);
    if (cents.size() < 2) cents.insert(0, "0");
    return std::to_string(hundredths / 100) + "." + cents;
}

std::string PriceText(int64_t credits) {
    const int64_t pence = PriceInPence(credits);
    return "Total amount GBP: \xA3" + MoneyText(pence) + "     USD: $" +
           MoneyText(DollarCents(pence)) + " (approx)";
}

std::string PaymentCartAddress(int64_t credits, const std::string& userName,
                               const PaymentSettings& settings) {
    const std::pair<const char*, std::string> pairs[] = {
        {"add", "1"},
        {"amount", MoneyText(PriceInPence(credits))},
        {"business", settings.merchant},
        {"cancel_return", settings.siteAddress + "/cgi-bin/default.pl?00,cancel"},
        {"cmd", "_cart"},
        {"cn", "Note"},
        {"currency_code", "GBP"},
        {"item_name", settings.siteDomain + " credits ([" + userName + "])"},
        {"no_shipping", "1"},
        {"page_style", "Primary"},
        {"return", settings.siteAddress + "/cgi-bin/default.pl?00,thankyou"},
    };
    std::string address = "https://" + settings.cartHost + "/cgi-bin/webscr?";
    for (const auto& [key, value] : pairs) {
        if (address.back() != '?') address += '&';
        address += key;
        address += '=';
        address += EncodeText(value);
    }
    return address;
}

}  // namespace messenger
