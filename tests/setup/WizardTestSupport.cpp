#include <windows.h>

#include "WizardTestSupport.h"

#include <shlobj.h>

#include <cstdlib>

#include "KelTextHandler1.h"
#include "MessagePump.h"
#include "SharedClasses.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"
#include "WizardStartup.h"
#include "bSource1.h"

namespace wizard_test {

const char kHeader[] = "[Tarnwick Installer v1.10]";

namespace {

std::function<void()>& WaitAction() {
    static std::function<void()> action;
    return action;
}

// The page request's one-second wait, shortened; it still pumps, so the window stays live.
void ShortWait(int32_t) {
    if (WaitAction()) WaitAction()();
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 100) {
        gui::ProcessMessages();
        Sleep(5);
    }
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + "\\");
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string NewTempFolder(const std::string& stem) {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + stem + "_" +
                               std::to_string(GetCurrentProcessId()) + "_" +
                               std::to_string(++counter) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

std::string Ini(std::initializer_list<const char*> lines) {
    return Ini(std::vector<std::string>(lines.begin(), lines.end()));
}

std::string Ini(const std::vector<std::string>& lines) {
    std::string text = kHeader;
    for (const std::string& line : lines) text += "\r\n" + line;
    return text + "\r\n";
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SetString(HKEY root, const std::string& key, const std::string& name,
               const std::string& data) {
    HKEY handle = nullptr;
    RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
    RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
    RegCloseKey(handle);
}

std::string RecycleBin() {
    // The test's home as wine names it: "\\??\\Z:\\...".
    const char* home = getenv("WINEHOMEDIR");
    EXPECT_NE(home, nullptr);
    if (!home) return std::string();
    const std::string trash = std::string(home).substr(4) + "\\.local\\share\\Trash\\files";
    SHCreateDirectoryExA(nullptr, trash.c_str(), nullptr);
    return trash;
}

void DuringPageRequest(std::function<void()> action) {
    WaitAction() = std::move(action);
}

void WizardTest::SetUp() {
    RegisterSharedClasses();
    folder_ = NewTempFolder("wizard");
    standIn_.Start();
    _putenv_s("ZEMBLY_MAKER_HOST", standIn_.Host().c_str());
    _putenv_s("ZEMBLY_SERVICE_HOST", standIn_.Host().c_str());
    bSource::SetWaiter(ShortWait);
}

void WizardTest::TearDown() {
    if (form_) form_->Free();
    form_ = nullptr;
    DuringPageRequest(nullptr);
    setup::SetInvocationSource(nullptr);
    bSource::SetWaiter(nullptr);
    _putenv_s("ZEMBLY_MAKER_HOST", "");
    _putenv_s("ZEMBLY_SERVICE_HOST", "");
    standIn_.Stop();
    for (const std::string& folder : extraFolders_) RemoveTree(folder);
    RemoveTree(folder_);
}

std::string WizardTest::Path(const std::string& name) const {
    return name.size() > 1 && name[1] == ':' ? name : folder_ + name;
}

void WizardTest::Write(const std::string& name, const std::string& content) {
    HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << Path(name);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

std::string WizardTest::MakeFolder(const std::string& name) {
    const std::string root = NewTempFolder("installed");
    extraFolders_.push_back(root);
    std::string folder = root;
    size_t begin = 0;
    while (begin < name.size()) {
        size_t end = name.find('\\', begin);
        if (end == std::string::npos) end = name.size();
        folder += name.substr(begin, end - begin) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        begin = end + 1;
    }
    folder.pop_back();
    return folder;
}

TForm1& WizardTest::Start(const std::string& arguments) {
    // Not nine characters long, as "setup.exe" is: the source folder must not depend on it.
    const std::string program = folder_ + "Setup Wizard.exe";
    setup::SetInvocationSource([program, arguments] {
        return setup::Invocation{program, "\"" + program + "\" " + arguments};
    });
    form_ = new TForm1(nullptr);
    form_->AfterConstruction();
    testing_support::PumpUntil([this] { return form_->Showing(); }, 2000);
    return *form_;
}

TForm1& WizardTest::StartWith(std::initializer_list<const char*> lines) {
    Write("setup.ini", Ini(lines));
    return Start();
}

void WizardTest::Close() {
    form_->Free();
    form_ = nullptr;
}

void WizardTest::InstallThroughPages(const std::string& install) {
    Press(*form_->Button2);
    testing_support::Click(*form_->CheckBox1);
    Press(*form_->Button2);
    form_->DirectoryEdit1->SetText(install);
    for (int page = 2; page < 6; page = Page()) Press(*form_->Button2);
}

int WizardTest::PageRequests(const std::string& path) const {
    auto count = [&] {
        int seen = 0;
        for (const std::string& line : standIn_.RequestLines())
            if (line.find(" " + path + " ") != std::string::npos) ++seen;
        return seen;
    };
    // A request the browser road gave up waiting for may still be on its way.
    testing_support::PumpUntil([&] { return count() > 0; }, 1000);
    return count();
}

std::vector<std::string> WizardTest::Messages() const {
    std::vector<std::string> texts;
    for (const gui::DialogRequest& shown : dialogs_.Shown()) texts.push_back(shown.text);
    return texts;
}

void WizardTest::Press(gui::TButton& button) {
    testing_support::Click(button);
}

}  // namespace wizard_test
