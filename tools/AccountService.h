// The account service as a plausible host would run it, for the tests and the run command:
// accounts with credits, a queue of submitted messages that each status poll moves on towards
// sent, the latest release's name and the feedback texts received. Answers the query of
// "/cgi-bin/userc.pl" (command code, then comma-separated fields, each percent-decoded).
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace standin {

// Percent-decoding of one field or parameter; with `plusIsSpace`, "+" means a space.
std::string PercentDecode(const std::string& text, bool plusIsSpace = false);

class AccountService {
public:
    struct Message {
        std::string user;
        std::string sender;
        std::string number;
        std::string text;  // decoded
        enum class State { Pending, Sent, Failed } state = State::Pending;
    };
    struct Feedback {
        std::string id;
        std::string product;
        std::string text;  // decoded, "<br>" marks as received
    };

    // With the account "demo" / "demo" holding 100 credits.
    AccountService();

    void AddAccount(const std::string& user, const std::string& password, int credits);
    void ClearAccounts();
    // Credits of a user, -1 for an unknown one.
    int Credits(const std::string& user) const;
    void SetRelease(const std::string& name);
    // How many pending messages of a user each poll settles (at least 1).
    void SetMessagesPerPoll(int count);

    // The reply body for a userc.pl query.
    std::string Answer(const std::string& rawQuery);

    std::vector<Message> Messages() const;
    std::vector<Feedback> FeedbackReceived() const;

private:
    struct Account {
        std::string password;
        int credits = 0;
        int failed = 0;  // of the round since the user's queue was last empty
        int sent = 0;
    };

    std::string Logon(const std::vector<std::string>& fields);
    std::string Submit(const std::vector<std::string>& fields);
    std::string Poll(const std::vector<std::string>& fields);
    std::string Release() const;
    std::string TakeFeedback(const std::string& field);
    Account* Find(const std::string& user, const std::string& password);
    int PendingOf(const std::string& user) const;

    mutable std::mutex mutex_;
    std::map<std::string, Account> accounts_;
    std::vector<Message> messages_;
    std::vector<Feedback> feedback_;
    std::string release_ = "ZemblySMS v2.00";
    int perPoll_ = 1;
    int batches_ = 0;
};

}  // namespace standin
