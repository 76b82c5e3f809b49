#include "ExtractionProgress.h"

#include <algorithm>
#include <climits>

#include "HalfEven.h"

namespace setup {

namespace {

int ClampToInt(uint64_t value) {
    return static_cast<int>(std::min<uint64_t>(value, INT_MAX));
}

}  // namespace

int OverallBarMaximum(uint64_t totalSize) {
    return ClampToInt(RoundHalfEven(totalSize, kProgressUnit));
}

int FileBarMaximum(uint32_t fileSize) {
    const uint32_t units = fileSize / kProgressUnit;
    return units > 1 ? static_cast<int>(units) : 1;
}

int OverallStep(uint32_t reportedSize, uint32_t listedSize) {
    return ClampToInt(RoundHalfEven(reportedSize, listedSize));
}

bool SmallFileSum::Add(uint32_t fileSize) {
    if (fileSize >= kProgressUnit) return false;
    sum_ += fileSize;
    if (sum_ <= kProgressUnit) return false;
    sum_ -= kProgressUnit;
    return true;
}

std::string ErrorEventMessage(const std::string& text, int32_t code) {
    if (code == 0) return std::string();
    return "ERROR: " + text + "   code=" + std::to_string(code);
}

}  // namespace setup
