#include "RecordingBrowser.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <fstream>

#include "WindowTestSupport.h"

namespace testing_support {

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
    DeleteFileA(path.c_str());
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

}  // namespace testing_support
