// unzdll.dll as the wizard uses it: bound at load time by number, handed the record the wizard
// fills, extracting into the current directory.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "UnzipRecords.h"
#include "ZipTestWriter.h"

namespace {

namespace fs = std::filesystem;
using ziptest::Entry;

struct Event {
    int32_t action;
    int32_t code;
    uint32_t size;
    std::string text;
    void* caller;
};
std::vector<Event> events;

int32_t UNZIP_CALL Record(UnzipCallbackRecord* record) {
    events.push_back(
        {record->action, record->errorCode, record->size, record->text, record->caller});
    return 0;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class UnzipDll : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("unzdll-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "install");
        fs::current_path(root_ / "install");
        events.clear();
    }
    void TearDown() override {
        fs::current_path(root_.parent_path());
        for (const auto& item : fs::recursive_directory_iterator(root_)) {
            SetFileAttributesW(item.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        fs::remove_all(root_);
    }

    void Write(const std::vector<Entry>& entries) {
        std::ofstream(root_ / "setup.tws", std::ios::binary) << ziptest::Build(entries).bytes;
    }

    // Fills the record as the wizard does, fixed values included.
    int32_t Extract(const std::string& name) {
        char archive[kUnzipBufferSize] = {};
        char entry[kUnzipBufferSize] = {};
        const std::string path = (root_ / "setup.tws").string();
        path.copy(archive, sizeof archive - 1);
        name.copy(entry, sizeof entry - 1);
        return ExtractFrom(archive, entry);
    }
    int32_t ExtractFrom(const char* archive, const char* entry) {
        UnzipParameterRecord record{};
        record.caller = this;
        record.switch8 = 110;
        record.callback = Record;
        record.switch40 = record.switch60 = -1;
        record.entryCount = 1;
        record.archivePath = archive;
        record.switch72 = 7;
        record.entryName = entry;
        return UnzipExtractEntry(&record);
    }

    // What lies under the install folder, "/"-separated, folders ending in "/".
    std::vector<std::string> Installed() {
        std::vector<std::string> found;
        for (const auto& item : fs::recursive_directory_iterator(root_ / "install")) {
            std::string name = fs::relative(item.path(), root_ / "install").generic_u8string();
            found.push_back(item.is_directory() ? name + "/" : name);
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    // A failure reports itself once, last, with a code, and returns the same code.
    void ExpectOneError(int32_t result, const std::string& name) {
        EXPECT_NE(0, result) << name;
        ASSERT_FALSE(events.empty()) << name;
        EXPECT_EQ(1, std::count_if(events.begin(), events.end(),
                                   [](const Event& e) { return e.action == kUnzipError; }));
        const Event& error = events.back();
        EXPECT_EQ(kUnzipError, error.action);
        EXPECT_EQ(result, error.code);
        EXPECT_EQ(0u, error.text.rfind(name + ": ", 0)) << error.text;
        EXPECT_EQ(this, error.caller);
        events.clear();
    }

    fs::path root_;
};

TEST_F(UnzipDll, ExtractsIntoTheEntrysFoldersReportingEveryBlock) {
    const std::string big = ziptest::Noise(100000);
    Write({{"tools/sub/app.bin", big}, {"readme.txt", "0123456789", 0}, {"empty/", ""}});
    ASSERT_EQ(0, Extract("tools/sub/app.bin"));
    ASSERT_EQ(4u, events.size());
    EXPECT_EQ(kUnzipFileBegins, events[0].action);
    EXPECT_EQ("tools/sub/app.bin", events[0].text);
    EXPECT_EQ(100000u, events[0].size);
    for (const Event& event : events) EXPECT_EQ(this, event.caller);
    for (size_t i = 1; i < 4; ++i) EXPECT_EQ(kUnzipBlockDone, events[i].action);
    EXPECT_EQ(big, Read("tools/sub/app.bin"));

    events.clear();
    ASSERT_EQ(0, Extract("readme.txt"));
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(10u, events[0].size);
    ASSERT_EQ(0, Extract("empty/"));
    EXPECT_EQ((std::vector<std::string>{"empty/", "readme.txt", "tools/", "tools/sub/",
                                        "tools/sub/app.bin"}),
              Installed());
}

TEST_F(UnzipDll, CreatesFilesUnderTheirDecodedNames) {
    Write({{"caf\xC3\xA9/\xC3\xB1.txt", "utf8", 8, 0x0800}, {"\x82t\x82.txt", "cp437", 0}});
    ASSERT_EQ(0, Extract("caf\xC3\xA9/\xC3\xB1.txt"));  // the stored bytes
    EXPECT_EQ("utf8", Read(fs::path(L"caf\u00E9/\u00F1.txt")));
    char ansi[16] = {};  // the wizard's listing holds the name in the ANSI code page
    WideCharToMultiByte(CP_ACP, 0, L"\u00E9t\u00E9.txt", -1, ansi, sizeof ansi, nullptr, nullptr);
    ASSERT_EQ(0, Extract(ansi));
    EXPECT_EQ("cp437", Read(fs::path(L"\u00E9t\u00E9.txt")));
}

TEST_F(UnzipDll, RefusesUnsafeNamesAndWritesNothing) {
    const char* names[] = {"../evil.txt", "sub/../../evil.txt", "C:evil.txt",
                           "/evil.txt",   "\\evil.txt",         "CON",
                           "sub/aux.txt", "a.txt:stream",       "x/..\\..\\evil"};
    std::vector<Entry> entries;
    for (const char* name : names) entries.push_back({name, "payload"});
    Write(entries);
    for (const char* name : names) ExpectOneError(Extract(name), name);
    EXPECT_TRUE(Installed().empty());
    EXPECT_EQ(2, std::distance(fs::directory_iterator(root_), fs::directory_iterator()));
}

TEST_F(UnzipDll, AFailedEntryLeavesTheOldFileAndNoTemporaryOne) {
    auto archive = ziptest::Build({{"app.exe", ziptest::Noise(50000)},
                                   {"locked.txt", "new"},
                                   {"secret", "x", 8, 1},
                                   {"other", "x", 12}});
    archive.Put32(archive.central[0] + 16, 0xDEADBEEF);  // CRC of app.exe
    std::ofstream(root_ / "setup.tws", std::ios::binary) << archive.bytes;
    std::ofstream("app.exe") << "old";
    std::ofstream("locked.txt") << "old";
    SetFileAttributesW(L"locked.txt", FILE_ATTRIBUTE_READONLY);

    ExpectOneError(Extract("app.exe"), "app.exe");
    EXPECT_EQ("old", Read("app.exe"));
    const int32_t readOnly = Extract("locked.txt");
    EXPECT_NE(std::string::npos, events.back().text.find("system error"));
    ExpectOneError(readOnly, "locked.txt");
    EXPECT_EQ("old", Read("locked.txt"));

    for (const char* name : {"secret", "other", "missing"}) ExpectOneError(Extract(name), name);
    EXPECT_EQ((std::vector<std::string>{"app.exe", "locked.txt"}), Installed());
}

TEST_F(UnzipDll, RefusesRequestsItCannotServe) {
    ExpectOneError(Extract("a.txt"), "a.txt");  // no archive
    std::ofstream(root_ / "setup.tws") << "not an archive";
    ExpectOneError(Extract("a.txt"), "a.txt");
    char unterminated[kUnzipBufferSize];
    std::fill(std::begin(unterminated), std::end(unterminated), 'a');
    const std::string archive = (root_ / "setup.tws").string();
    EXPECT_NE(0, ExtractFrom(archive.c_str(), unterminated));
    EXPECT_NE(0, ExtractFrom(archive.c_str(), nullptr));
    EXPECT_NE(0, UnzipExtractEntry(nullptr));
}

TEST_F(UnzipDll, AReplacedArchiveIsReadAgain) {
    Write({{"first.txt", "1"}});
    ASSERT_EQ(0, Extract("first.txt"));
    Write({{"second.txt", "22"}, {"first.txt", "new"}});
    ASSERT_EQ(0, Extract("second.txt"));
    ASSERT_EQ(0, Extract("first.txt"));
    EXPECT_EQ("new", Read("first.txt"));
}

TEST_F(UnzipDll, AnArchiveRewrittenToTheSameSizeIsReadAgainAndNeverKeptOpen) {
    Write({{"a.txt", "1111", 0}});
    ASSERT_EQ(0, Extract("a.txt"));
    const auto written = fs::last_write_time(root_ / "setup.tws");
    Write({{"a.txt", "2222", 0}});
    fs::last_write_time(root_ / "setup.tws", written + std::chrono::hours(1));
    ASSERT_EQ(0, Extract("a.txt"));
    EXPECT_EQ("2222", Read("a.txt"));
    // Held open, the archive would only be marked for deletion and stay until the handle closed.
    EXPECT_TRUE(DeleteFileW((root_ / "setup.tws").c_str()));
    EXPECT_FALSE(fs::exists(root_ / "setup.tws"));
}

// A callback that extracts from a second archive while the first entry is being written.
fs::path nestedArchive;
int32_t UNZIP_CALL ExtractAnotherArchive(UnzipCallbackRecord* record) {
    if (record->action == kUnzipBlockDone && !nestedArchive.empty()) {
        char archive[kUnzipBufferSize] = {};
        char entry[kUnzipBufferSize] = "inner.txt";
        nestedArchive.string().copy(archive, sizeof archive - 1);
        nestedArchive.clear();
        UnzipParameterRecord nested{};
        nested.callback = Record;
        nested.entryCount = 1;
        nested.archivePath = archive;
        nested.entryName = entry;
        EXPECT_EQ(0, UnzipExtractEntry(&nested));
    }
    return Record(record);
}

TEST_F(UnzipDll, ACallbackMayExtractFromAnotherArchiveMeanwhile) {
    const std::string big = ziptest::Noise(200000);
    Write({{"outer.bin", big}});
    nestedArchive = root_ / "other.tws";
    std::ofstream(nestedArchive, std::ios::binary)
        << ziptest::Build({{"inner.txt", "inner"}}).bytes;
    char archive[kUnzipBufferSize] = {};
    char entry[kUnzipBufferSize] = "outer.bin";
    (root_ / "setup.tws").string().copy(archive, sizeof archive - 1);
    UnzipParameterRecord record{};
    record.callback = ExtractAnotherArchive;
    record.entryCount = 1;
    record.archivePath = archive;
    record.entryName = entry;
    EXPECT_EQ(0, UnzipExtractEntry(&record));
    EXPECT_TRUE(nestedArchive.empty());
    EXPECT_EQ(big, Read("outer.bin"));
    EXPECT_EQ("inner", Read("inner.txt"));
}

TEST(UnzipDllExports, EntryTwoHasNoName) {
    HMODULE library = GetModuleHandleW(L"unzdll.dll");
    ASSERT_NE(nullptr, library);
    EXPECT_NE(nullptr, GetProcAddress(library, MAKEINTRESOURCEA(2)));
    EXPECT_EQ(nullptr, GetProcAddress(library, "UnzipExtractEntry"));
}

}  // namespace
