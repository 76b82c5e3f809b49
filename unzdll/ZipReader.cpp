#include "ZipReader.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace unz {
namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22;
constexpr size_t kZip64LocatorSize = 20;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;
constexpr size_t kMaxComment = 0xFFFF;
constexpr uint16_t kZip64ExtraTag = 0x0001;
constexpr uint16_t kStrongEncryptionFlag = 0x0040;
constexpr uint16_t kUtf8Flag = 0x0800;
constexpr uint16_t kAesMethod = 99;
constexpr size_t kBlock = 32768;

uint16_t Le16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t Le32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool HasZip64Extra(const unsigned char* extra, size_t size) {
    while (size >= 4) {
        const uint16_t tag = Le16(extra);
        const size_t length = Le16(extra + 2);
        if (tag == kZip64ExtraTag) return true;
        if (length > size - 4) return false;
        extra += 4 + length;
        size -= 4 + length;
    }
    return false;
}

// Ends inflate on every way out.
struct InflateStream {
    z_stream z{};
    bool ready = false;
    InflateStream() { ready = inflateInit2(&z, -MAX_WBITS) == Z_OK; }
    ~InflateStream() {
        if (ready) inflateEnd(&z);
    }
};

ZipError Copy(ByteSource& source, uint64_t offset, const ZipEntry& entry, ByteSink& sink,
              uint32_t& crc) {
    std::vector<unsigned char> block(kBlock);
    uint32_t left = entry.uncompressedSize;
    while (left > 0) {
        const size_t take = std::min<size_t>(left, kBlock);
        if (!source.ReadAt(offset, block.data(), take)) return ZipError::ReadFailed;
        crc = crc32(crc, block.data(), static_cast<uInt>(take));
        if (!sink.Write(block.data(), take)) return ZipError::WriteFailed;
        offset += take;
        left -= static_cast<uint32_t>(take);
    }
    return ZipError::None;
}

ZipError Inflate(ByteSource& source, uint64_t offset, const ZipEntry& entry, ByteSink& sink,
                 uint32_t& crc) {
    InflateStream stream;
    if (!stream.ready) return ZipError::CorruptData;
    z_stream& z = stream.z;
    std::vector<unsigned char> in(2 * kBlock);
    std::vector<unsigned char> out(kBlock);
    uint32_t unread = entry.compressedSize;
    uint64_t produced = 0;
    for (;;) {
        if (z.avail_in == 0 && unread > 0) {
            const size_t take = std::min<size_t>(unread, in.size());
            if (!source.ReadAt(offset, in.data(), take)) return ZipError::ReadFailed;
            offset += take;
            unread -= static_cast<uint32_t>(take);
            z.next_in = in.data();
            z.avail_in = static_cast<uInt>(take);
        }
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        const int status = inflate(&z, Z_NO_FLUSH);
        const size_t got = out.size() - z.avail_out;
        if (got > 0) {
            if (produced + got > entry.uncompressedSize) return ZipError::SizeMismatch;
            produced += got;
            crc = crc32(crc, out.data(), static_cast<uInt>(got));
            if (!sink.Write(out.data(), got)) return ZipError::WriteFailed;
        }
        if (status == Z_STREAM_END) break;
        // Input is refilled before every call, so Z_BUF_ERROR means the stream ended early.
        if (status != Z_OK) return ZipError::CorruptData;
    }
    return produced == entry.uncompressedSize ? ZipError::None : ZipError::SizeMismatch;
}

}  // namespace

const char* Describe(ZipError error) {
    switch (error) {
        case ZipError::None:
            return "no error";
        case ZipError::OpenFailed:
            return "cannot open the archive";
        case ZipError::ReadFailed:
            return "cannot read the archive";
        case ZipError::NotAnArchive:
            return "not a ZIP archive";
        case ZipError::Zip64:
            return "ZIP64 archives and entries are not supported";
        case ZipError::BadDirectory:
            return "the archive's directory is damaged";
        case ZipError::OverlappingEntries:
            return "entries of the archive overlap";
        case ZipError::EntryNotFound:
            return "no such entry in the archive";
        case ZipError::UnsafeName:
            return "the entry's name leads outside the target folder or names a device";
        case ZipError::BadNameEncoding:
            return "the entry's name is not valid UTF-8";
        case ZipError::Encrypted:
            return "the entry is encrypted";
        case ZipError::UnsupportedMethod:
            return "the entry's compression method is not supported";
        case ZipError::BadLocalHeader:
            return "the entry's header is damaged";
        case ZipError::DataOutsideArchive:
            return "the entry's data runs past its place";
        case ZipError::CorruptData:
            return "the entry's compressed data is damaged";
        case ZipError::SizeMismatch:
            return "the entry's data does not have its declared size";
        case ZipError::CrcMismatch:
            return "the entry's CRC-32 does not match its data";
        case ZipError::WriteFailed:
            return "cannot write the file";
        case ZipError::FolderFailed:
            return "cannot create the entry's folder";
        case ZipError::BadRequest:
            return "the request names no archive or entry that fits";
        case ZipError::OutOfMemory:
            return "not enough memory";
    }
    return "unknown error";
}

bool MemorySource::ReadAt(uint64_t offset, void* out, size_t length) {
    if (offset > size_ || length > size_ - offset) return false;
    if (length > 0) std::memcpy(out, data_ + offset, length);
    return true;
}

#ifdef _WIN32
#define ZIP_SEEK _fseeki64
#define ZIP_TELL _ftelli64
#else
#define ZIP_SEEK fseeko
#define ZIP_TELL ftello
#endif

std::unique_ptr<FileSource> FileSource::Open(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return nullptr;
    if (ZIP_SEEK(file, 0, SEEK_END) != 0) {
        std::fclose(file);
        return nullptr;
    }
    const auto size = ZIP_TELL(file);
    if (size < 0) {
        std::fclose(file);
        return nullptr;
    }
    return std::unique_ptr<FileSource>(new FileSource(file, static_cast<uint64_t>(size)));
}

FileSource::~FileSource() {
    std::fclose(file_);
}

bool FileSource::ReadAt(uint64_t offset, void* out, size_t length) {
    if (offset > size_ || length > size_ - offset) return false;
    if (ZIP_SEEK(file_, static_cast<int64_t>(offset), SEEK_SET) != 0) return false;
    return std::fread(out, 1, length, file_) == length;
}

ZipError ZipArchive::Open(ByteSource& source) {
    entries_.clear();
    const uint64_t size = source.Size();
    if (size < kEndSize) return ZipError::NotAnArchive;

    // The end record is the last one whose comment ends inside the file.
    const size_t tailSize = static_cast<size_t>(std::min<uint64_t>(size, kEndSize + kMaxComment));
    std::vector<unsigned char> tail(tailSize);
    if (!source.ReadAt(size - tailSize, tail.data(), tailSize)) return ZipError::ReadFailed;
    size_t at = tailSize - kEndSize + 1;
    const unsigned char* end = nullptr;
    while (at-- > 0) {
        const unsigned char* p = tail.data() + at;
        if (Le32(p) == kEndSignature && Le16(p + 20) <= tailSize - kEndSize - at) {
            end = p;
            break;
        }
    }
    if (!end) return ZipError::NotAnArchive;
    const uint64_t endOffset = size - tailSize + at;

    if (endOffset >= kZip64LocatorSize) {
        unsigned char locator[4];
        if (!source.ReadAt(endOffset - kZip64LocatorSize, locator, sizeof locator)) {
            return ZipError::ReadFailed;
        }
        if (Le32(locator) == kZip64LocatorSignature) return ZipError::Zip64;
    }
    // Without a ZIP64 record, 0xFFFF entries means exactly 65,535.
    const uint16_t disk = Le16(end + 4);
    const uint16_t directoryDisk = Le16(end + 6);
    const uint16_t countOnDisk = Le16(end + 8);
    const uint16_t count = Le16(end + 10);
    const uint32_t directorySize = Le32(end + 12);
    const uint32_t directoryOffset = Le32(end + 16);
    if (disk != 0 || directoryDisk != 0 || countOnDisk != count) return ZipError::BadDirectory;
    if (uint64_t{directoryOffset} + directorySize > endOffset) return ZipError::BadDirectory;
    if (uint64_t{count} * kCentralSize > directorySize) return ZipError::BadDirectory;
    const ZipError error = ReadDirectory(source, directoryOffset, directorySize, count);
    if (error != ZipError::None) entries_.clear();
    return error;
}

ZipError ZipArchive::ReadDirectory(ByteSource& source, uint64_t offset, uint32_t size,
                                   uint32_t count) {
    std::vector<unsigned char> directory(size);
    if (!source.ReadAt(offset, directory.data(), size)) return ZipError::ReadFailed;
    entries_.reserve(count);
    size_t at = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (size - at < kCentralSize) return ZipError::BadDirectory;
        const unsigned char* p = directory.data() + at;
        if (Le32(p) != kCentralSignature) return ZipError::BadDirectory;
        const size_t nameSize = Le16(p + 28);
        const size_t extraSize = Le16(p + 30);
        const size_t commentSize = Le16(p + 32);
        const size_t recordSize = kCentralSize + nameSize + extraSize + commentSize;
        if (recordSize > size - at) return ZipError::BadDirectory;
        if (Le16(p + 34) != 0) return ZipError::BadDirectory;  // starts on another disk

        ZipEntry entry;
        entry.flags = Le16(p + 8);
        entry.utf8 = (entry.flags & kUtf8Flag) != 0;
        entry.method = Le16(p + 10);
        entry.crc32 = Le32(p + 16);
        entry.compressedSize = Le32(p + 20);
        entry.uncompressedSize = Le32(p + 24);
        entry.localHeaderOffset = Le32(p + 42);
        entry.name.assign(reinterpret_cast<const char*>(p + kCentralSize), nameSize);
        entry.zip64 = HasZip64Extra(p + kCentralSize + nameSize, extraSize);
        entries_.push_back(std::move(entry));
        at += recordSize;
    }

    // Every entry owns the bytes from its local header up to the next entry's (or the directory):
    // entries that share data would let a small archive expand without bound.
    std::vector<ZipEntry*> byOffset;
    byOffset.reserve(entries_.size());
    for (ZipEntry& entry : entries_) byOffset.push_back(&entry);
    std::sort(byOffset.begin(), byOffset.end(), [](const ZipEntry* a, const ZipEntry* b) {
        return a->localHeaderOffset < b->localHeaderOffset;
    });
    for (size_t i = 0; i < byOffset.size(); ++i) {
        ZipEntry& entry = *byOffset[i];
        entry.regionEnd = i + 1 < byOffset.size() ? byOffset[i + 1]->localHeaderOffset : offset;
        // A ZIP64 entry's sizes are placeholders; it is refused when extracted.
        const uint64_t least = uint64_t{entry.localHeaderOffset} + kLocalSize + entry.name.size() +
                               (entry.zip64 ? 0 : entry.compressedSize);
        if (least > entry.regionEnd) {
            return i + 1 < byOffset.size() ? ZipError::OverlappingEntries
                                           : ZipError::DataOutsideArchive;
        }
    }
    return ZipError::None;
}

ZipError ZipArchive::CheckSupported(const ZipEntry& entry) {
    if (entry.zip64) return ZipError::Zip64;
    if (entry.IsEncrypted() || (entry.flags & kStrongEncryptionFlag) ||
        entry.method == kAesMethod) {
        return ZipError::Encrypted;
    }
    if (entry.method != ZipEntry::kStored && entry.method != ZipEntry::kDeflated) {
        return ZipError::UnsupportedMethod;
    }
    if (entry.method == ZipEntry::kStored && entry.compressedSize != entry.uncompressedSize) {
        return ZipError::SizeMismatch;
    }
    return ZipError::None;
}

ZipError ZipArchive::Extract(ByteSource& source, const ZipEntry& entry, ByteSink& sink) {
    ZipError error = CheckSupported(entry);
    if (error != ZipError::None) return error;

    const uint64_t headerOffset = entry.localHeaderOffset;
    if (headerOffset + kLocalSize > entry.regionEnd) return ZipError::BadLocalHeader;
    unsigned char header[kLocalSize];
    if (!source.ReadAt(headerOffset, header, kLocalSize)) return ZipError::ReadFailed;
    if (Le32(header) != kLocalSignature) return ZipError::BadLocalHeader;
    if (Le16(header + 6) & 0x0001) return ZipError::Encrypted;
    const uint64_t dataOffset = headerOffset + kLocalSize + Le16(header + 26) + Le16(header + 28);
    if (dataOffset + entry.compressedSize > entry.regionEnd) return ZipError::DataOutsideArchive;

    uint32_t crc = crc32(0, nullptr, 0);
    error = entry.method == ZipEntry::kStored ? Copy(source, dataOffset, entry, sink, crc)
                                              : Inflate(source, dataOffset, entry, sink, crc);
    if (error != ZipError::None) return error;
    return crc == entry.crc32 ? ZipError::None : ZipError::CrcMismatch;
}

}  // namespace unz
