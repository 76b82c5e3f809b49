// The span of an archive kept between the library's calls: what it serves must be the archive's
// own bytes, wherever reads and spans meet, and the archive is reached only when a read misses.
#include <gtest/gtest.h>

#include <string>

#include "ReadWindow.h"
#include "ZipReader.h"
#include "ZipTestWriter.h"

namespace {

using unz::ZipError;
using ziptest::StringSink;

// The archive in memory, counting how often it is reached.
struct CountedArchive {
    explicit CountedArchive(const std::string& bytes) : memory(bytes.data(), bytes.size()) {}
    unz::WindowSource Window(size_t capacity) {
        unz::WindowSource window(capacity, [this] {
            ++opens;
            return &memory;
        });
        window.Reset(memory.Size());
        return window;
    }
    unz::MemorySource memory;
    int opens = 0;
};

TEST(ReadWindow, ServesTheArchivesOwnBytesThroughSpansOfAnySize) {
    const std::string big = ziptest::Noise(5000) + std::string(3000, 'q');
    const auto built = ziptest::Build(
        {{"a.txt", "alpha", 0}, {"big.bin", big}, {"b.txt", std::string(700, 'b')}, {"c/", ""}});
    const std::string expected[] = {"alpha", big, std::string(700, 'b'), ""};
    // Spans smaller than a header, than an entry, and larger than the whole archive.
    for (size_t capacity : {7u, 100u, 1000u, 1u << 20}) {
        CountedArchive archive(built.bytes);
        unz::WindowSource window = archive.Window(capacity);
        unz::ZipArchive zip;
        ASSERT_EQ(ZipError::None, zip.Open(window)) << capacity;
        for (size_t i = 0; i < 4; ++i) {
            StringSink sink;
            EXPECT_EQ(ZipError::None, unz::ZipArchive::Extract(window, zip.Entries()[i], sink))
                << capacity << " " << i;
            EXPECT_EQ(expected[i], sink.bytes) << capacity << " " << i;
        }
    }
}

TEST(ReadWindow, ReachesTheArchiveOnlyOnAMissAndForgetsItOnReset) {
    const std::string bytes = ziptest::Noise(4000);
    CountedArchive archive(bytes);
    unz::WindowSource window = archive.Window(1000);
    char out[1000];
    ASSERT_TRUE(window.ReadAt(100, out, 10));
    ASSERT_TRUE(window.ReadAt(1090, out, 10));  // the span's last bytes
    ASSERT_TRUE(window.ReadAt(500, out, 600));
    EXPECT_EQ(bytes.substr(500, 600), std::string(out, 600));
    EXPECT_EQ(1, archive.opens);
    ASSERT_TRUE(window.ReadAt(1095, out, 10));  // runs past the span: it moves
    EXPECT_EQ(bytes.substr(1095, 10), std::string(out, 10));
    EXPECT_EQ(2, archive.opens);
    ASSERT_TRUE(window.ReadAt(3990, out, 10));  // a span cut short by the archive's end
    EXPECT_FALSE(window.ReadAt(3995, out, 10));
    EXPECT_EQ(3, archive.opens);

    window.Reset(bytes.size());
    ASSERT_TRUE(window.ReadAt(3990, out, 10));
    EXPECT_EQ(4, archive.opens);
}

TEST(ReadWindow, FailsWhenTheArchiveCannotBeOpened) {
    unz::WindowSource window(100, [] { return static_cast<unz::ByteSource*>(nullptr); });
    window.Reset(50);
    char out[10];
    EXPECT_FALSE(window.ReadAt(0, out, 10));
}

}  // namespace
