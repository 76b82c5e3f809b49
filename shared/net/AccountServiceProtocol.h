// The one request form in which the messenger (and, for feedback, the wizard) talks to the
// maker's account service: a GET of "/cgi-bin/userc.pl" whose query is a command code and
// comma-separated positional fields, answered by comma-separated plain text. This unit builds the
// request addresses and reads the replies; the callers fetch them with bSource. Portable: no
// windows.h here.
#pragma once

#include <string>

class AccountServiceProtocol {
public:
    // Requests go to http://<host>/cgi-bin/userc.pl; the host is host[:port].
    explicit AccountServiceProtocol(std::string host);
    // The configured host (see ServiceHost.h).
    AccountServiceProtocol();

    const std::string& Host() const { return host_; }

    // Command 40: user name and password as typed.
    std::string CheckLogonAddress(const std::string& user, const std::string& password) const;
    // Command 30. `numbers` is each recipient's number followed by ";"; `encodedMessage` has
    // already been escaped by the sending code and goes out as it is.
    std::string SubmitMessagesAddress(const std::string& user, const std::string& password,
                                      const std::string& sender, const std::string& numbers,
                                      const std::string& encodedMessage) const;
    // Command 31, carrying fields 1 and 2 of the reply before it.
    std::string PollStatusAddress(const std::string& user, const std::string& field1,
                                  const std::string& field2) const;
    // Command 42 with the product number.
    std::string LatestReleaseAddress(const std::string& product) const;
    // Command 71: one field, feedback id, product name and the prepared feedback text joined by
    // "|" (see FeedbackText).
    std::string SendFeedbackAddress(const std::string& feedbackId, const std::string& product,
                                    const std::string& preparedText) const;

    // A field as it goes into the query. The characters that would cut it short or shift the
    // fields after it ("%", ",", "#", "&", "+", space, control characters and bytes 0x80 and
    // above) are percent-encoded; everything else, "<br>" marks included, stays as typed.
    static std::string EncodeField(const std::string& field);

    // The feedback text with "<br>" before every line feed, so CR LF becomes CR "<br>" LF.
    static std::string FeedbackText(const std::string& memoText);

    // Reply field k: the text between the k-th and (k+1)-th comma; a reply without a comma is
    // every one of its fields, and a missing field is the text after the last comma.
    static std::string ReplyField(const std::string& reply, int k);

    // Command 40: accepted exactly when the reply begins with "1"; the credits then read
    // field 1 + " Credit(s)".
    static bool LogonAccepted(const std::string& reply);
    static std::string CreditText(const std::string& reply);

    // Command 30: queued exactly when field 0 is "Success" (case-sensitive, whole field).
    static bool MessagesQueued(const std::string& reply);

    // Command 31: credits left, failed, pending and sent, as fields 0 to 3.
    struct Status {
        std::string credits;
        std::string failed;
        std::string pending;
        std::string sent;
    };
    static Status ReadStatus(const std::string& reply);
    // The poll is over when the pending field reads exactly "0".
    static bool PollFinished(const std::string& reply);

private:
    std::string Address(const std::string& query) const;

    std::string host_;
};
