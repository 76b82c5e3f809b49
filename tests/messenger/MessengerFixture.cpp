#include "MessengerFixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Application.h"
#include "Forms.h"
#include "LaunchBrowser.h"
#include "MessagePump.h"
#include "NewRelease.h"
#include "PayPal.h"
#include "RxTrayIcon.h"
#include "SharedClasses.h"
#include "WindowTestSupport.h"
#include "contacts.h"
#include "main.h"
#include "options.h"
#include "password.h"

namespace messengertest {

standin::StandIn* MessengerTest::standIn_ = nullptr;

TrayRecorder::TrayRecorder() {
    gui::SetTrayNotifier([this](DWORD message, const NOTIFYICONDATAA&) {
        calls.push_back(message);
        return true;
    });
}

TrayRecorder::~TrayRecorder() {
    gui::SetTrayNotifier(nullptr);
}

BrowserRecorder::BrowserRecorder() {
    messenger::SetBrowserStarter([this](const std::string& program, const std::string& params) {
        starts.emplace_back(program, params);
        return true;
    });
}

BrowserRecorder::~BrowserRecorder() {
    messenger::SetBrowserStarter(nullptr);
}

namespace {

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

void FreeForms() {
    for (gui::TForm* form : {static_cast<gui::TForm*>(Form3), static_cast<gui::TForm*>(Form2),
                             static_cast<gui::TForm*>(Form9), static_cast<gui::TForm*>(Form5),
                             static_cast<gui::TForm*>(Form1), static_cast<gui::TForm*>(Form12)})
        if (form) form->Free();
    Form3 = nullptr, Form2 = nullptr, Form9 = nullptr, Form5 = nullptr, Form1 = nullptr;
    Form12 = nullptr;
}

// The menu item to choose while the tray menu is open.
gui::TMenuItem* pendingItem = nullptr;

void CALLBACK ChooseWhileOpen(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (!pendingItem) return;
    // What a click on the item does: its command reaches the menu's owner, and the menu closes.
    PostMessageA(pendingItem->GetParentMenu()->Window(), WM_COMMAND, pendingItem->Command(), 0);
    pendingItem = nullptr;
    EndMenu();
}

}  // namespace

void MessengerTest::SetUpTestSuite() {
    RegisterSharedClasses();
    standIn_ = new standin::StandIn();
    standIn_->Start();
    _putenv_s("ZEMBLY_SERVICE_HOST", standIn_->Host().c_str());
}

void MessengerTest::TearDownTestSuite() {
    standIn_->Stop();
    delete standIn_;
    standIn_ = nullptr;
}

void MessengerTest::SetUp() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // Named by the test alone, so that a child process of a death test works in the same folder.
    folder_ = std::string(temp) + "zembly-" + test->test_suite_name() + "-" + test->name() + "\\";
    RemoveFolder(folder_);
    CreateDirectoryA(folder_.c_str(), nullptr);
    StandIn().ClearAnswers();
    StandIn().ClearRequestLines();

    CreateForms();
    // Start-up takes the program's folder whatever the program file is called (this one's name
    // is not the shipped one); the test's folder stands in for it before the first message is
    // handled, so the settings read looks there.
    const std::string program = gui::Application.ExeName();
    ASSERT_EQ(Form12->curDir->Caption(), program.substr(0, program.rfind('\\') + 1));
    Form12->curDir->SetCaption(folder_);
    // A test that lasts ten seconds would have the release check ask the stand-in in the middle
    // of it; the tests of the check fire it themselves.
    releaseCheckArmed_ = Form9->Timer1->Enabled();
    Form9->Timer1->SetEnabled(false);
}

void MessengerTest::TearDown() {
    FreeForms();
    gui::ClearQuitRequest();
    RemoveFolder(folder_);
}

std::vector<std::string> MessengerTest::ServiceQueries() {
    std::vector<std::string> queries;
    for (const std::string& line : StandIn().RequestLines()) {
        const size_t start = line.find("/cgi-bin/userc.pl?");
        if (start == std::string::npos) continue;
        const size_t end = line.find(' ', start);
        queries.push_back(line.substr(start + 18, end - start - 18));
    }
    return queries;
}

void MessengerTest::WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
}

std::string MessengerTest::ReadFile(const std::string& name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void MessengerTest::RunStartUp() {
    testing_support::PumpUntil([] { return !Form12->Timer2->Enabled(); });
    testing_support::PumpUntil([] { return !Form12->Timer1->Enabled(); });
}

void MessengerTest::TrayDoubleClick() {
    SendMessageA(Form12->RxTrayIcon1->Window(), gui::TRxTrayIcon::kCallbackMessage, 0,
                 WM_LBUTTONDBLCLK);
}

void MessengerTest::ChooseTrayItem(gui::TMenuItem* item) {
    pendingItem = item;
    SetTimer(nullptr, 0, 50, &ChooseWhileOpen);
    SendMessageA(Form12->RxTrayIcon1->Window(), gui::TRxTrayIcon::kCallbackMessage, 0,
                 WM_RBUTTONUP);
    gui::ProcessMessages();
    EXPECT_EQ(pendingItem, nullptr) << "the tray menu did not open";
    pendingItem = nullptr;
}

}  // namespace messengertest
