#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "ZipReader.h"
#include "ZipTestWriter.h"

namespace {

using unz::ZipArchive;
using unz::ZipError;
using ziptest::Entry;
using ziptest::StringSink;

struct Opened {
    explicit Opened(const std::string& bytes) : source(bytes.data(), bytes.size()) {
        error = archive.Open(source);
    }
    ZipError ExtractFirst(StringSink& sink) {
        return ZipArchive::Extract(source, archive.Entries()[0], sink);
    }
    unz::MemorySource source;
    ZipArchive archive;
    ZipError error;
};

TEST(ZipReader, ListsAndExtractsStoredAndDeflatedEntries) {
    const std::string big = ziptest::Noise(70000) + std::string(30000, 'z');
    const auto built = ziptest::Build({{"dir/", ""},
                                       {"dir/Big.BIN", big},
                                       {"plain.txt", "0123456789", 0},
                                       {"caf\xC3\xA9.txt", "x", 8, 0x0800}});
    Opened zip(built.bytes);
    ASSERT_EQ(ZipError::None, zip.error);
    const auto& entries = zip.archive.Entries();
    ASSERT_EQ(4u, entries.size());
    EXPECT_TRUE(entries[0].IsFolder());
    EXPECT_EQ("dir/Big.BIN", entries[1].name);
    EXPECT_EQ(100000u, entries[1].uncompressedSize);
    EXPECT_FALSE(entries[1].utf8);
    EXPECT_TRUE(entries[3].utf8);
    const std::string expected[] = {"", big, "0123456789", "x"};
    for (size_t i = 0; i < entries.size(); ++i) {
        StringSink sink;
        EXPECT_EQ(ZipError::None, ZipArchive::Extract(zip.source, entries[i], sink)) << i;
        EXPECT_EQ(expected[i], sink.bytes) << i;
    }
}

// Archives of the common tool: extra fields that differ between the two headers, and a streamed
// entry whose sizes follow its data.
TEST(ZipReader, ReadsArchivesOfTheZipTool) {
    const std::string folder = ::testing::TempDir() + "ziptool";
    const std::string setup =
        "rm -rf " + folder + " && mkdir -p " + folder + "/sub && cd " + folder +
        " && head -c 50000 /dev/urandom > sub/r.bin && " +
        "zip -qr a.zip sub && head -c 40000 /dev/zero | zip -q -fz- a.zip - && " +
        "echo x | zip -q b.zip -";
    ASSERT_EQ(0, std::system(setup.c_str()));
    std::ifstream in(folder + "/sub/r.bin", std::ios::binary);
    const std::string random((std::istreambuf_iterator<char>(in)), {});
    auto source = unz::FileSource::Open((folder + "/a.zip").c_str());
    ASSERT_TRUE(source);
    ZipArchive archive;
    ASSERT_EQ(ZipError::None, archive.Open(*source));
    ASSERT_EQ(3u, archive.Entries().size());
    StringSink file, streamed;
    EXPECT_EQ(ZipError::None, ZipArchive::Extract(*source, archive.Entries()[1], file));
    EXPECT_EQ(random, file.bytes);
    EXPECT_EQ(ZipError::None, ZipArchive::Extract(*source, archive.Entries()[2], streamed));
    EXPECT_EQ(std::string(40000, '\0'), streamed.bytes);
    // Streamed without -fz-, the tool marks the archive ZIP64.
    source = unz::FileSource::Open((folder + "/b.zip").c_str());
    ASSERT_TRUE(source);
    EXPECT_EQ(ZipError::Zip64, archive.Open(*source));
}

TEST(ZipReader, RefusesEntriesItCannotOrMustNotExtract) {
    const std::string zeros(200000, '\0');
    struct Case {
        const char* what;
        Entry entry;
        void (*damage)(ziptest::Archive&);
        ZipError expected;
    } cases[] = {
        {"CRC",
         {"a", "abc"},
         [](auto& a) { a.Put32(a.central[0] + 16, 1); },
         ZipError::CrcMismatch},
        {"expands past its size",
         {"a", zeros},
         [](auto& a) { a.Put32(a.central[0] + 24, 1000); },
         ZipError::SizeMismatch},
        {"ends before its size",
         {"a", "abc"},
         [](auto& a) { a.Put32(a.central[0] + 24, 4); },
         ZipError::SizeMismatch},
        {"stream cut short",
         {"a", ziptest::Noise(5000)},
         [](auto& a) { a.Put32(a.central[0] + 20, 100); },
         ZipError::CorruptData},
        {"local header",
         {"a", "abc"},
         [](auto& a) { a.Put32(a.local[0], 0); },
         ZipError::BadLocalHeader},
        {"encrypted", {"a", "abc", 8, 1}, nullptr, ZipError::Encrypted},
        {"bzip2", {"a", "abc", 12}, nullptr, ZipError::UnsupportedMethod},
        {"ZIP64 entry",
         {"a", "abc", 8, 0, std::string("\1\0\x08\0", 4) + std::string(8, '\0')},
         nullptr,
         ZipError::Zip64},
        {"stored sizes differ",
         {"a", "abc", 0},
         [](auto& a) { a.Put32(a.central[0] + 24, 2); },
         ZipError::SizeMismatch},
    };
    for (auto& c : cases) {
        auto built = ziptest::Build({c.entry});
        if (c.damage) c.damage(built);
        Opened zip(built.bytes);
        ASSERT_EQ(ZipError::None, zip.error) << c.what;
        StringSink sink;
        EXPECT_EQ(c.expected, zip.ExtractFirst(sink)) << c.what;
        EXPECT_LE(sink.bytes.size(), 1000u) << c.what;
    }
}

TEST(ZipReader, RefusesDamagedDirectories) {
    const auto good = ziptest::Build({{"a", "first"}, {"b", "second"}});
    auto damaged = [&](void (*damage)(ziptest::Archive&)) {
        auto copy = good;
        damage(copy);
        return Opened(copy.bytes).error;
    };
    EXPECT_EQ(ZipError::BadDirectory, damaged([](auto& a) { a.Put16(a.end + 10, 60000); }));
    EXPECT_EQ(ZipError::BadDirectory, damaged([](auto& a) { a.Put32(a.end + 16, 3); }));
    EXPECT_EQ(ZipError::OverlappingEntries,
              damaged([](auto& a) { a.Put32(a.central[1] + 42, a.local[0]); }));
    EXPECT_EQ(ZipError::DataOutsideArchive,
              damaged([](auto& a) { a.Put32(a.central[1] + 20, 1000); }));
    EXPECT_EQ(ZipError::Zip64, damaged([](auto& a) {
                  a.bytes.insert(a.end, std::string("PK\6\7", 4) + std::string(16, '\0'));
              }));
    // Every cut loses the end record, whatever else it keeps.
    for (size_t size = 0; size < good.bytes.size(); ++size) {
        EXPECT_NE(ZipError::None, Opened(good.bytes.substr(0, size)).error) << size;
    }
}

TEST(ZipReader, ListsTheLargestCountWithoutZip64) {
    std::vector<Entry> entries(65535);
    for (size_t i = 0; i < entries.size(); ++i) entries[i] = {std::to_string(i), "", 0};
    entries.back().name = std::string("nul\0in.txt", 10);
    Opened zip(ziptest::Build(entries).bytes);
    ASSERT_EQ(ZipError::None, zip.error);
    ASSERT_EQ(65535u, zip.archive.Entries().size());
    EXPECT_EQ(10u, zip.archive.Entries().back().name.size());
}

}  // namespace
