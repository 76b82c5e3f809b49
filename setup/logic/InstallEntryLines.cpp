#include "InstallEntryLines.h"

namespace setup {

namespace {

bool ReadSize(const std::string& text, uint32_t& size) {
    if (text.empty() || text.size() > 10) return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > UINT32_MAX) return false;
    size = static_cast<uint32_t>(value);
    return true;
}

}  // namespace

std::optional<InstallEntry> ReadInstallEntryLine(const std::string& line) {
    const size_t first = line.find(',');
    const size_t last = line.rfind(',');
    if (first == std::string::npos || last == first) return std::nullopt;
    const size_t beforeLast = line.rfind(',', last - 1);
    if (beforeLast == first) return std::nullopt;
    InstallEntry entry;
    entry.type = line.substr(0, first);
    entry.name = line.substr(first + 1, beforeLast - first - 1);
    entry.subfolder = line.substr(beforeLast + 1, last - beforeLast - 1);
    if (!ReadSize(line.substr(last + 1), entry.size)) return std::nullopt;
    return entry;
}

}  // namespace setup
