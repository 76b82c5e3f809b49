// Reading ZIP archives: the central directory, then one entry at a time through zlib's raw
// inflate. Portable and shared by the unzip library and the wizard's archive listing.
//
// Only what an install archive needs: stored and deflated entries of one-disk archives under
// 4 GiB. Encryption, other methods and ZIP64 are refused with their own error. Everything read
// from the archive is bounded by the archive itself: directory records must lie inside the
// directory, entry data inside the archive and clear of every other entry, and inflating stops
// the moment an entry grows past its declared size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace unz {

// The values are the library's error codes, so they never change.
enum class ZipError : int32_t {
    None = 0,
    OpenFailed = 1,
    ReadFailed = 2,
    NotAnArchive = 3,
    Zip64 = 4,
    BadDirectory = 5,
    OverlappingEntries = 6,
    EntryNotFound = 7,
    UnsafeName = 8,
    BadNameEncoding = 9,
    Encrypted = 10,
    UnsupportedMethod = 11,
    BadLocalHeader = 12,
    DataOutsideArchive = 13,
    CorruptData = 14,
    SizeMismatch = 15,
    CrcMismatch = 16,
    WriteFailed = 17,
    FolderFailed = 18,
    BadRequest = 19,
    OutOfMemory = 20,
};

// A short English sentence for the error, without a full stop.
const char* Describe(ZipError error);

// Random access to the archive's bytes.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Exactly `length` bytes at `offset`, or false.
    virtual bool ReadAt(uint64_t offset, void* out, size_t length) = 0;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const void* data, size_t size)
        : data_(static_cast<const unsigned char*>(data)), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* out, size_t length) override;

private:
    const unsigned char* data_;
    size_t size_;
};

// A file opened for reading by its name in the system's narrow encoding.
class FileSource : public ByteSource {
public:
    static std::unique_ptr<FileSource> Open(const char* path);
    ~FileSource() override;
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* out, size_t length) override;

private:
    FileSource(std::FILE* file, uint64_t size) : file_(file), size_(size) {}
    std::FILE* file_;
    uint64_t size_;
};

// Where an entry's bytes go, in order, in blocks of at most 32768 bytes.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Write(const unsigned char* data, size_t size) = 0;
};

struct ZipEntry {
    enum : uint16_t { kStored = 0, kDeflated = 8 };

    std::string name;  // raw bytes, as stored
    bool utf8 = false;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint32_t crc32 = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint32_t localHeaderOffset = 0;
    bool zip64 = false;
    // Where the next entry's local header or the directory starts: the entry's data ends there.
    uint64_t regionEnd = 0;

    bool IsFolder() const { return !name.empty() && (name.back() == '/' || name.back() == '\\'); }
    bool IsEncrypted() const { return (flags & 0x0001) != 0; }
};

class ZipArchive {
public:
    // Reads and checks the central directory.
    ZipError Open(ByteSource& source);
    const std::vector<ZipEntry>& Entries() const { return entries_; }

    // Whether Extract can handle the entry at all, judged from the directory alone.
    static ZipError CheckSupported(const ZipEntry& entry);
    // Writes the entry's uncompressed bytes to the sink and checks their size and CRC-32. The
    // source is the archive the entry was listed from. The sink may already hold part of the
    // entry when this fails.
    static ZipError Extract(ByteSource& source, const ZipEntry& entry, ByteSink& sink);

private:
    ZipError ReadDirectory(ByteSource& source, uint64_t offset, uint32_t size, uint32_t count);

    std::vector<ZipEntry> entries_;
};

}  // namespace unz
