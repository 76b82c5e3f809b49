#include "NewRelease.h"

#include "AccountServiceProtocol.h"
#include "BrowserCommand.h"
#include "LaunchBrowser.h"
#include "ProcessEnd.h"
#include "ReleaseCheck.h"
#include "ServiceSite.h"
#include "options.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(gui::TComponent* owner) : TForm(owner, "TForm9") {
    GUI_CONTROLS(Timer1, bSource1, Label1, Label2, Label16, Image3, Image1, Image4);
    GUI_HANDLERS(Timer1Timer, VoAqua3Click, VoAqua2Click);
    LoadFromResource("TFORM9");
    // The download page lies on the configured service host.
    Label2->SetCaption(messenger::ReleaseLabelText());
    borderless_.AddDragSurfaces({Image3});
    borderless_.SetHoverPair(*Image1, *Image4);
}

void TForm9::Timer1Timer(gui::TObject*) {
    Timer1->SetEnabled(false);
    if (!Form2->CheckBox1->Checked()) return;
    const std::string address =
        AccountServiceProtocol().LatestReleaseAddress(messenger::ProductNumber(Label2->Caption()));
    const std::string reply = bSource1 ? bSource1->FetchUrl(address, 1, true) : "failed";
    if (messenger::IsNewRelease(reply, Label1->Caption())) {
        Label16->SetCaption(
            messenger::ReleaseNotice(reply, messenger::DownloadAddress(Label2->Caption())));
        Show();
    }
    Label1->SetCaption(reply);
}

void TForm9::VoAqua3Click(gui::TObject*) {
    messenger::OpenInBrowser(messenger::DownloadAddress(Label2->Caption()),
                             messenger::BrowserFailureMessage(messenger::SiteDomain()));
    gui::EndProcess(0);
}

void TForm9::VoAqua2Click(gui::TObject*) {
    delete bSource1;
    bSource1 = nullptr;
    Hide();
}
