#include "AccountService.h"

#include <cctype>

namespace standin {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Splits at every separator; "a,,b" has an empty middle field.
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(
            text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

// A number a gateway could deliver to: an optional "+" and 3 to 20 digits.
bool Deliverable(const std::string& number) {
    size_t i = number.size() > 0 && number[0] == '+' ? 1 : 0;
    const size_t digits = number.size() - i;
    if (digits < 3 || digits > 20) return false;
    for (; i < number.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(number[i]))) return false;
    }
    return true;
}

}  // namespace

std::string PercentDecode(const std::string& text, bool plusIsSpace) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else if (plusIsSpace && text[i] == '+') {
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

AccountService::AccountService() {
    AddAccount("demo", "demo", 100);
}

void AccountService::AddAccount(const std::string& user, const std::string& password, int credits) {
    std::lock_guard<std::mutex> lock(mutex_);
    Account& account = accounts_[user];
    account.password = password;
    account.credits = credits;
}

void AccountService::ClearAccounts() {
    std::lock_guard<std::mutex> lock(mutex_);
    accounts_.clear();
}

int AccountService::Credits(const std::string& user) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = accounts_.find(user);
    return it == accounts_.end() ? -1 : it->second.credits;
}

void AccountService::SetRelease(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    release_ = name;
}

void AccountService::SetMessagesPerPoll(int count) {
    std::lock_guard<std::mutex> lock(mutex_);
    perPoll_ = count < 1 ? 1 : count;
}

std::vector<AccountService::Message> AccountService::Messages() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
}

std::vector<AccountService::Feedback> AccountService::FeedbackReceived() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return feedback_;
}

std::string AccountService::Answer(const std::string& rawQuery) {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::vector<std::string> raw = Split(rawQuery, ',');
    const std::string& command = raw[0];
    // The last field of 30 and 71 is free text: a comma that reached it unencoded belongs to it.
    auto fields = [&raw](size_t count) {
        std::vector<std::string> decoded;
        for (size_t i = 1; i < raw.size(); ++i) {
            if (decoded.size() + 1 == count) {
                std::string rest = raw[i];
                for (size_t k = i + 1; k < raw.size(); ++k) rest += "," + raw[k];
                decoded.push_back(PercentDecode(rest));
                break;
            }
            decoded.push_back(PercentDecode(raw[i]));
        }
        decoded.resize(count);
        return decoded;
    };
    if (command == "40") return Logon(fields(2));
    if (command == "30") return Submit(fields(5));
    if (command == "31") return Poll(fields(3));
    if (command == "42") return Release();
    if (command == "71") return TakeFeedback(fields(1)[0]);
    return "Error,0,Unknown command";
}

AccountService::Account* AccountService::Find(const std::string& user,
                                              const std::string& password) {
    auto it = accounts_.find(user);
    if (it == accounts_.end() || it->second.password != password) return nullptr;
    return &it->second;
}

int AccountService::PendingOf(const std::string& user) const {
    int pending = 0;
    for (const auto& message : messages_) {
        if (message.user == user && message.state == Message::State::Pending) ++pending;
    }
    return pending;
}

std::string AccountService::Logon(const std::vector<std::string>& fields) {
    Account* account = Find(fields[0], fields[1]);
    if (!account) return "0,Invalid user name or password";
    return "1," + std::to_string(account->credits);
}

std::string AccountService::Submit(const std::vector<std::string>& fields) {
    Account* account = Find(fields[0], fields[1]);
    if (!account) return "Error,0,Invalid user name or password";
    std::vector<std::string> numbers;
    for (const auto& number : Split(fields[3], ';')) {
        if (!number.empty()) numbers.push_back(number);
    }
    const int count = static_cast<int>(numbers.size());
    if (count == 0) return "Error,0,No recipients";
    if (account->credits < count) return "Error," + std::to_string(count) + ",Not enough credits";

    if (PendingOf(fields[0]) == 0) account->failed = account->sent = 0;
    account->credits -= count;
    for (const auto& number : numbers) {
        messages_.push_back(Message{fields[0], fields[2], number, fields[4]});
    }
    return "Success," + std::to_string(++batches_) + "," + std::to_string(count);
}

std::string AccountService::Poll(const std::vector<std::string>& fields) {
    auto it = accounts_.find(fields[0]);
    if (it == accounts_.end()) return "Error,0,Unknown user";
    Account& account = it->second;
    int settled = 0;
    for (auto& message : messages_) {
        if (settled == perPoll_) break;
        if (message.user != fields[0] || message.state != Message::State::Pending) continue;
        if (Deliverable(message.number)) {
            message.state = Message::State::Sent;
            ++account.sent;
        } else {
            message.state = Message::State::Failed;
            ++account.failed;
            ++account.credits;  // an undeliverable message is not charged
        }
        ++settled;
    }
    return std::to_string(account.credits) + "," + std::to_string(account.failed) + "," +
           std::to_string(PendingOf(fields[0])) + "," + std::to_string(account.sent);
}

std::string AccountService::Release() const {
    return release_;
}

std::string AccountService::TakeFeedback(const std::string& field) {
    const std::vector<std::string> parts = Split(field, '|');
    Feedback feedback;
    feedback.id = parts[0];
    if (parts.size() > 1) feedback.product = parts[1];
    // The text may hold "|" of its own.
    const size_t textStart = field.find('|', field.find('|') + 1);
    if (parts.size() > 2 && textStart != std::string::npos)
        feedback.text = field.substr(textStart + 1);
    feedback_.push_back(feedback);
    return "Thank you for your feedback";
}

}  // namespace standin
