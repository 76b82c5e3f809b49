// The benchmark's baseline: every entry of an archive inflated with zlib and written under a
// folder, as plainly as that can be done: one pass, no window, no callbacks, no temporary names.
// The directory is read with our reader, which costs next to nothing against the entries.
//
//   bench_plain_extract <archive> <target folder>   prints the seconds it took
#include <windows.h>

#include <zlib.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "ZipReader.h"

namespace {

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      &wide[0], static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return wide;
}

class Folders {
public:
    explicit Folders(std::wstring root) : root_(std::move(root)) {}

    // Makes the folders of the relative path once each; returns the full path.
    std::wstring Prepare(const std::wstring& relative) {
        std::wstring path = root_;
        for (size_t at = 0; at < relative.size();) {
            const size_t end = relative.find(L'/', at);
            if (end == std::wstring::npos) return path + L'\\' + relative.substr(at);
            path += L'\\' + relative.substr(at, end - at);
            if (made_.insert(path).second) CreateDirectoryW(path.c_str(), nullptr);
            at = end + 1;
        }
        return path;
    }

private:
    std::wstring root_;
    std::set<std::wstring> made_;
};

bool Write(HANDLE file, const unsigned char* data, size_t size) {
    DWORD written = 0;
    return WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

bool ExtractEntry(unz::ByteSource& source, const unz::ZipEntry& entry, HANDLE out) {
    unsigned char header[30];
    if (!source.ReadAt(entry.localHeaderOffset, header, sizeof header)) return false;
    uint64_t at = entry.localHeaderOffset + 30 + (header[26] | header[27] << 8) +
                  (header[28] | header[29] << 8);
    static unsigned char in[65536], outBuffer[65536];
    uint32_t left = entry.compressedSize;
    uint32_t crc = crc32(0, nullptr, 0);
    z_stream stream{};
    if (entry.method == unz::ZipEntry::kDeflated && inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return false;
    bool ok = true;
    int status = Z_OK;
    while (ok && left > 0) {
        const uint32_t chunk = left < sizeof in ? left : sizeof in;
        ok = source.ReadAt(at, in, chunk);
        at += chunk;
        left -= chunk;
        if (!ok) break;
        if (entry.method != unz::ZipEntry::kDeflated) {
            crc = crc32(crc, in, chunk);
            ok = Write(out, in, chunk);
            continue;
        }
        stream.next_in = in;
        stream.avail_in = chunk;
        do {
            stream.next_out = outBuffer;
            stream.avail_out = sizeof outBuffer;
            status = inflate(&stream, Z_NO_FLUSH);
            const size_t produced = sizeof outBuffer - stream.avail_out;
            crc = crc32(crc, outBuffer, static_cast<uInt>(produced));
            ok = (status == Z_OK || status == Z_STREAM_END) && Write(out, outBuffer, produced);
        } while (ok && stream.avail_out == 0 && status != Z_STREAM_END);
    }
    if (entry.method == unz::ZipEntry::kDeflated) inflateEnd(&stream);
    return ok && crc == entry.crc32;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_plain_extract <archive> <target folder>\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);

    const auto source = unz::FileSource::Open(argv[1]);
    unz::ZipArchive archive;
    if (!source || archive.Open(*source) != unz::ZipError::None) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    Folders folders(Wide(argv[2]));
    int failed = 0;
    for (const unz::ZipEntry& entry : archive.Entries()) {
        const std::wstring path = folders.Prepare(Wide(entry.name));
        if (entry.IsFolder()) continue;
        HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out == INVALID_HANDLE_VALUE || !ExtractEntry(*source, entry, out)) ++failed;
        if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    }

    QueryPerformanceCounter(&end);
    std::printf("%.3f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    if (failed) std::fprintf(stderr, "%d entries failed\n", failed);
    return failed ? 1 : 0;
}
