#include <windows.h>

#include "UninstallRoad.h"

#include "AccountServiceProtocol.h"
#include "EndPage.h"
#include "KeyLines.h"
#include "LocalFiles.h"
#include "MessagePump.h"
#include "ProtectedFolders.h"
#include "RegistryRemoval.h"
#include "UninstallFiles.h"
#include "UninstallRegistration.h"
#include "UninstallRules.h"
#include "installer.h"

namespace {

// Where the marker stops: under the second and the third stage icon.
constexpr int kLinksIconLeft = 238;
constexpr int kFilesIconLeft = 366;
constexpr int kMarkerStep = 2;

constexpr int kAfterListPause = 250;
constexpr int kAfterStagePause = 50;

constexpr const char* kEntryFailureNote = "from Add/Remove Progs";

}  // namespace

void UninstallRoad::Run() {
    form_.SetCursor(gui::crHourGlass);
    form_.Button1->SetEnabled(false);
    SendFeedback();
    FillRemovalList();

    RemoveRegistryKeys();
    StageDone(*form_.Image6, setup::kRegistryDoneBar, kLinksIconLeft);

    const setup::UninstallPlaces places = Places();
    const std::unique_ptr<setup::InstallRecord> record = ReadRecord(places.installFolder);
    setup::WindowsUninstallFiles files(*form_.FileListBox1, [this](int value) {
        form_.ProgressBar3->SetPosition(value);
        gui::ProcessMessages();
    });
    setup::RemoveLinks(removalList_, places, record.get(), files, note_);
    StageDone(*form_.Image7, setup::kLinksDoneBar, kFilesIconLeft);

    setup::RemoveFiles(removalList_, places, record.get(), files, note_);
    setup::RemoveInstallFolder(places, form_.InstallFolderCreated, files, note_);
    RemoveEntry();
    Close();
}

void UninstallRoad::SendFeedback() {
    const std::optional<std::string> address =
        setup::FeedbackAddress(form_.Label37->Caption(), form_.progName->Caption(),
                               form_.Memo2->Text(), AccountServiceProtocol());
    // The reply is of no interest, and a request that fails is not worth a warning.
    if (address && form_.bSource1) form_.bSource1->FetchUrl(*address, 1, false);
}

void UninstallRoad::FillRemovalList() {
    setup::SetupConfig config;
    config.requiredFileLines = form_.ListBox2->Items().Items();
    const auto lists = form_.ComponentLists();
    for (size_t k = 0; k < lists.size(); ++k)
        config.components[k].fileLines = lists[k]->Items().Items();
    removalList_ = setup::RemovalList(config);
    form_.ListBox13->Items().Assign(removalList_);
    gui::ProcessMessages();
    Sleep(kAfterListPause);
}

void UninstallRoad::RemoveRegistryKeys() {
    setup::WindowsRegistryEditor registry;
    setup::UndoKeyLines(setup::ReadKeyLines(form_.ListBox14->Items().Items()), registry, note_);
}

setup::UninstallPlaces UninstallRoad::Places() {
    KelTextHandler& folders = *form_.KTH;
    setup::UninstallPlaces places;
    places.installFolder = form_.curDir->Caption();
    places.progName = form_.progName->Caption();
    places.programMenuName = form_.Edit1->Text();
    places.allDesktop = folders.GetSpecialFolder("allDesktop");
    places.allStartup = folders.GetSpecialFolder("allStartup");
    places.allPrograms = folders.GetSpecialFolder("allPrograms");
    places.protectedFolders = setup::ProtectedFolders(folders);
    return places;
}

std::unique_ptr<setup::InstallRecord> UninstallRoad::ReadRecord(const std::string& installFolder) {
    const std::optional<std::string> content =
        setup::ReadWholeFile(installFolder + setup::kInstallRecordFile);
    if (!content) return nullptr;
    return std::make_unique<setup::InstallRecord>(setup::InstallRecord::Read(*content));
}

void UninstallRoad::StageDone(gui::TImage& done, int bar, int markerStop) {
    done.Show();
    form_.ProgressBar3->SetPosition(bar);
    gui::TRxGIFAnimator& marker = *form_.RxGIF;
    while (marker.Left() < markerStop) {
        marker.SetLeft(marker.Left() + kMarkerStep);
        gui::ProcessMessages();
        Sleep(1);
    }
    Sleep(kAfterStagePause);
}

void UninstallRoad::RemoveEntry() {
    form_.Image8->Show();
    form_.ProgressBar3->SetPosition(setup::kEntryBar);
    gui::ProcessMessages();
    // While setup.ini stays the entry stays too, so the uninstall can be run again.
    if (setup::FileExists(form_.curDir->Caption() + "\\setup.ini")) return;
    const std::optional<std::string> entry = setup::EntryNameAtUninstall(form_.Label1->Caption());
    if (entry && setup::RemoveUninstallEntry(*entry) == setup::RegistryEditor::Result::Failed)
        note_ = kEntryFailureNote;
}

void UninstallRoad::Close() {
    gui::ProcessMessages();
    for (int step = 1; step <= setup::kClosingSteps; ++step) {
        Sleep(1);
        form_.ProgressBar3->SetPosition(setup::ClosingBar(step));
        gui::ProcessMessages();
    }
    form_.RxGIF->Hide();
    form_.SetCursor(gui::crDefault);
    form_.Button2->SetEnabled(true);
    form_.Button1->SetEnabled(false);
    form_.Notebook1->SetPageIndex(form_.Notebook1->PageIndex() + 1);
    form_.Label35->SetCaption(setup::UninstallEndWarning(note_));
}
