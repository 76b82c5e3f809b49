#include "MessengerFixture.h"

#include <shellapi.h>

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
const char kHtmlCommandKey[] = "htmlfile\\shell\\open\\command";
}  // namespace

HtmlCommand::HtmlCommand() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHtmlCommandKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (RegQueryValueExA(key, nullptr, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
        original_.resize(size);
        had_ = RegQueryValueExA(key, nullptr, nullptr, &type_, original_.data(), &size) ==
               ERROR_SUCCESS;
    }
    RegCloseKey(key);
}

HtmlCommand::~HtmlCommand() {
    if (had_)
        SetValue(type_, original_.data(), original_.size());
    else
        Remove();
}

void HtmlCommand::SetValue(DWORD type, const void* data, size_t size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, kHtmlCommandKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, nullptr, 0, type, static_cast<const BYTE*>(data),
                             static_cast<DWORD>(size)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void HtmlCommand::Remove() {
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kHtmlCommandKey);
}

RecordingBrowser::RecordingBrowser(const std::string& folder) : path(folder + "web browser.exe") {
    std::string recorder = "Z:" START_RECORDER_PATH;
    for (char& c : recorder)
        if (c == '/') c = '\\';
    EXPECT_TRUE(CopyFileA(recorder.c_str(), path.c_str(), FALSE)) << recorder;
}

RecordingBrowser::~RecordingBrowser() {
    DeleteFileA((path + ".record").c_str());
}

std::vector<std::string> RecordingBrowser::WaitForArguments() const {
    const std::string record = path + ".record";
    std::string lines;
    testing_support::PumpUntil(
        [&] {
            std::ifstream in(record, std::ios::binary);
            std::getline(in, lines, '\0');
            return !lines.empty();
        },
        10000);
    DeleteFileA(record.c_str());
    // Line 2 is the command line; split as the C runtime splits it for main.
    const size_t start = lines.find("\r\n") + 2;
    const std::string line = lines.substr(start, lines.find("\r\n", start) - start);
    std::vector<std::string> arguments;
    int count = 0;
    std::wstring wide;
    for (unsigned char c : line) wide += static_cast<wchar_t>(c);
    LPWSTR* split = CommandLineToArgvW(wide.c_str(), &count);
    for (int i = 1; split && i < count; ++i) {
        std::string argument;
        for (const wchar_t* c = split[i]; *c; ++c) argument += static_cast<char>(*c);
        arguments.push_back(argument);
    }
    LocalFree(split);
    return arguments;
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
