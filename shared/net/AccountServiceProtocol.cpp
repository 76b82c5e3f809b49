#include "AccountServiceProtocol.h"

#include "HttpUrl.h"
#include "ServiceHost.h"
#include "TextToolkit.h"

namespace {

bool BreaksAField(unsigned char c) {
    switch (c) {
        case '%':
        case ',':
        case '#':
        case '&':
        case '+':
        case ' ':
            return true;
        default:
            return c < 0x20 || c >= 0x7F;
    }
}

}  // namespace

AccountServiceProtocol::AccountServiceProtocol(std::string host) : host_(std::move(host)) {}

AccountServiceProtocol::AccountServiceProtocol() : host_(service::ServiceHost()) {}

std::string AccountServiceProtocol::Address(const std::string& query) const {
    return "http://" + host_ + "/cgi-bin/userc.pl?" + query;
}

std::string AccountServiceProtocol::CheckLogonAddress(const std::string& user,
                                                      const std::string& password) const {
    return Address("40," + EncodeField(user) + "," + EncodeField(password));
}

std::string AccountServiceProtocol::SubmitMessagesAddress(const std::string& user,
                                                          const std::string& password,
                                                          const std::string& sender,
                                                          const std::string& numbers,
                                                          const std::string& encodedMessage) const {
    return Address("30," + EncodeField(user) + "," + EncodeField(password) + "," +
                   EncodeField(sender) + "," + EncodeField(numbers) + "," + encodedMessage);
}

std::string AccountServiceProtocol::PollStatusAddress(const std::string& user,
                                                      const std::string& field1,
                                                      const std::string& field2) const {
    return Address("31," + EncodeField(user) + "," + EncodeField(field1) + "," +
                   EncodeField(field2));
}

std::string AccountServiceProtocol::LatestReleaseAddress(const std::string& product) const {
    return Address("42," + EncodeField(product));
}

std::string AccountServiceProtocol::SendFeedbackAddress(const std::string& feedbackId,
                                                        const std::string& product,
                                                        const std::string& preparedText) const {
    return Address("71," + EncodeField(feedbackId + "|" + product + "|" + preparedText));
}

std::string AccountServiceProtocol::EncodeField(const std::string& field) {
    return net::PercentEncode(field, BreaksAField);
}

std::string AccountServiceProtocol::FeedbackText(const std::string& memoText) {
    std::string prepared;
    prepared.reserve(memoText.size() + memoText.size() / 8);
    for (char c : memoText) {
        if (c == '\n') prepared += "<br>";
        prepared += c;
    }
    return prepared;
}

std::string AccountServiceProtocol::ReplyField(const std::string& reply, int k) {
    return text::GetFieldOf(reply, k, ",", true);
}

bool AccountServiceProtocol::LogonAccepted(const std::string& reply) {
    return !reply.empty() && reply[0] == '1';
}

std::string AccountServiceProtocol::CreditText(const std::string& reply) {
    return ReplyField(reply, 1) + " Credit(s)";
}

bool AccountServiceProtocol::MessagesQueued(const std::string& reply) {
    return ReplyField(reply, 0) == "Success";
}

AccountServiceProtocol::Status AccountServiceProtocol::ReadStatus(const std::string& reply) {
    return Status{ReplyField(reply, 0), ReplyField(reply, 1), ReplyField(reply, 2),
                  ReplyField(reply, 3)};
}

bool AccountServiceProtocol::PollFinished(const std::string& reply) {
    return ReplyField(reply, 2) == "0";
}
