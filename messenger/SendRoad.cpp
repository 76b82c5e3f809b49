#include <windows.h>

#include "SendRoad.h"

#include <string>
#include <vector>

#include "AccountServiceProtocol.h"
#include "Gateway.h"
#include "MessageEncoding.h"
#include "MessagePump.h"
#include "Recipients.h"
#include "SendStatus.h"
#include "Sounds.h"
#include "StatusPoll.h"
#include "main.h"
#include "options.h"
#include "password.h"

namespace messenger {

namespace {

SendClock& ClockSlot() {
    static SendClock clock;
    return clock;
}

uint64_t Now() {
    const SendClock& clock = ClockSlot();
    return clock ? clock() : GetTickCount64();
}

// The marker starts beside the first status line and slides down a line for the poll and
// another for the final status.
constexpr int kMarkerStart = 311;
constexpr int kMarkerPolling = 325;
constexpr int kMarkerDone = 338;
constexpr DWORD kPollPauseMs = 10;

class SendRoad {
public:
    void Run();

private:
    void Road();
    void ServiceRoad(const std::string& message);
    void GatewayRoad(const std::string& message);
    void SetInputsEnabled(bool on);
    void Finish();

    // The status label, with the names that found no contact named after it.
    void ShowStatus(const std::string& status);
    void SlideMarkerBelow(int top);
    static void PlaySent() { PlayIfLonger(*Form12->MediaPlayer2, 0); }
    static void PlayFailed() { PlayIfLonger(*Form12->MediaPlayer3, 0); }

    std::vector<std::string> unmatched_;
};

void SendRoad::Run() {
    SetInputsEnabled(false);
    try {
        Road();
    } catch (...) {
        // The inputs must come back whatever went wrong; the layer then reports the error.
        Finish();
        throw;
    }
    Finish();
}

void SendRoad::SetInputsEnabled(bool on) {
    Form1->ComboBox1->SetEnabled(on);
    Form1->Memo1->SetEnabled(on);
    Form1->ListView1->SetEnabled(on);
    Form1->BitBtn7->SetEnabled(on);
}

void SendRoad::Road() {
    const std::string message = EncodeMessage(Form1->Memo1->Text(), Form2->Edit4->Text());
    ShowStatus(SubmittingStatus());
    Form1->Label7->Show();
    Form1->RxGIF->SetTop(kMarkerStart);
    Form1->RxGIF->Show();
    if (Form12->RadioButton1->Checked())
        ServiceRoad(message);
    else
        GatewayRoad(message);
}

void SendRoad::ServiceRoad(const std::string& message) {
    const ServiceRecipients recipients =
        FindServiceRecipients(Form1->Label5->Caption(), Form1->ListBox1->Items().Items());
    const int n = recipients.messages;
    if (n == 0) {
        // Submitting no number would only spend a request on a refusal.
        ShowStatus(NoContactStatus(recipients.unmatched));
        return;
    }
    unmatched_ = recipients.unmatched;

    const AccountServiceProtocol protocol;
    std::string reply = Form1->FetchCommand(
        protocol.SubmitMessagesAddress(Form12->Edit1->Text(), Form12->MaskEdit1->Text(),
                                       Form1->ComboBox1->Text(), recipients.numbers, message));
    gui::ProcessMessages();
    if (!AccountServiceProtocol::MessagesQueued(reply)) {
        ShowStatus(RefusedStatus(n, reply));
        if (RefusalSounds(reply).failed) PlayFailed();
        return;
    }
    ShowStatus(PollingStatus(n, std::nullopt));
    SlideMarkerBelow(kMarkerPolling);

    StatusPoll poll(reply, Now());
    StatusPoll::Outcome outcome;
    do {
        Sleep(kPollPauseMs);
        // The user name is read again for every request: a settings read may have changed it.
        reply = Form1->FetchCommand(
            protocol.PollStatusAddress(Form12->Edit1->Text(), poll.Field1(), poll.Field2()));
        gui::ProcessMessages();
        outcome = poll.Take(reply, Now());
        ShowStatus(PollingStatus(n, poll.LastKnown()));
    } while (outcome == StatusPoll::Outcome::Pending);
    SlideMarkerBelow(kMarkerDone);

    if (outcome == StatusPoll::Outcome::GaveUp) {
        // The credits label keeps the last count it was given.
        ShowStatus(UnknownFinalStatus(n, poll.LastKnown()));
        PlayFailed();
        return;
    }
    const PollStatus& final = *poll.LastKnown();
    ShowStatus(FinalStatus(n, final));
    Form1->Label3->SetCaption(final.credits + " Credit(s)");
    const SendSounds sounds = FinalSounds(final);
    if (sounds.sent) PlaySent();
    if (sounds.failed) PlayFailed();
}

void SendRoad::GatewayRoad(const std::string& message) {
    GatewayValues values;
    values.numbers = GatewayNumbers(Form1->Label5->Caption(), Form1->ListBox1->Items().Items());
    values.user = Form2->Edit2->Text();
    values.password = Form2->MaskEdit1->Text();
    values.sender = Form1->ComboBox1->Text();
    values.encodedMessage = message;
    const std::string reply =
        Form1->FetchCommand(GatewayAddress(Form2->ComboBox1->Text(), Form2->Edit1->Text(), values));
    gui::ProcessMessages();
    ShowStatus(reply);
    if (GatewaySucceeded(reply))
        PlaySent();
    else
        PlayFailed();
}

void SendRoad::Finish() {
    Sleep(5);
    Form1->RxGIF->Hide();
    // Send stays enabled whatever the inputs hold now, until their next change.
    SetInputsEnabled(true);
    gui::ProcessMessages();
}

void SendRoad::ShowStatus(const std::string& status) {
    Form1->Label7->SetCaption(WithUnmatchedNote(status, unmatched_));
}

void SendRoad::SlideMarkerBelow(int top) {
    while (Form1->RxGIF->Top() < top) {
        Form1->RxGIF->SetTop(Form1->RxGIF->Top() + 2);
        gui::ProcessMessages();
        Sleep(1);
    }
}

bool sending = false;

}  // namespace

void RunSend() {
    if (sending) return;
    sending = true;
    struct Done {
        ~Done() { sending = false; }
    } done;
    SendRoad().Run();
}

void SetSendClock(SendClock clock) {
    ClockSlot() = std::move(clock);
}

}  // namespace messenger
