#include "ZipTestWriter.h"

#include <zlib.h>

namespace ziptest {
namespace {

std::string Deflate(const std::string& data) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, data.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

void Add16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8 & 0xFF);
}
void Add32(std::string& s, uint32_t v) {
    Add16(s, v & 0xFFFF);
    Add16(s, v >> 16);
}

}  // namespace

void Archive::Put16(size_t at, uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}
void Archive::Put32(size_t at, uint32_t value) {
    Put16(at, value & 0xFFFF);
    Put16(at + 2, static_cast<uint16_t>(value >> 16));
}

Archive Build(const std::vector<Entry>& entries) {
    Archive archive;
    std::string directory;
    for (const Entry& e : entries) {
        const std::string stored = e.method == 8 ? Deflate(e.data) : e.data;
        const uint32_t crc = crc32(0, reinterpret_cast<const Bytef*>(e.data.data()),
                                   static_cast<uInt>(e.data.size()));
        std::string common;  // from "version needed" to the name length, in both headers
        Add16(common, 20);
        Add16(common, e.flags);
        Add16(common, e.method);
        Add32(common, 0);  // time and date
        Add32(common, crc);
        Add32(common, static_cast<uint32_t>(stored.size()));
        Add32(common, static_cast<uint32_t>(e.data.size()));
        Add16(common, static_cast<uint32_t>(e.name.size()));

        archive.local.push_back(static_cast<uint32_t>(archive.bytes.size()));
        Add32(archive.bytes, 0x04034b50);
        archive.bytes += common;
        Add16(archive.bytes, 0);
        archive.bytes += e.name + stored;

        archive.central.push_back(static_cast<uint32_t>(directory.size()));
        Add32(directory, 0x02014b50);
        Add16(directory, 20);
        directory += common;
        Add16(directory, static_cast<uint32_t>(e.centralExtra.size()));
        Add32(directory, 0);  // comment length, disk
        Add32(directory, 0);  // attributes
        Add16(directory, 0);
        Add32(directory, archive.local.back());
        directory += e.name + e.centralExtra;
    }
    const uint32_t directoryOffset = static_cast<uint32_t>(archive.bytes.size());
    for (uint32_t& offset : archive.central) offset += directoryOffset;
    archive.bytes += directory;
    archive.end = static_cast<uint32_t>(archive.bytes.size());
    Add32(archive.bytes, 0x06054b50);
    Add32(archive.bytes, 0);
    Add16(archive.bytes, static_cast<uint32_t>(entries.size()));
    Add16(archive.bytes, static_cast<uint32_t>(entries.size()));
    Add32(archive.bytes, static_cast<uint32_t>(directory.size()));
    Add32(archive.bytes, directoryOffset);
    Add16(archive.bytes, 0);
    return archive;
}

std::string Noise(size_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return bytes;
}

}  // namespace ziptest
