// The arithmetic of the two install bars, in units of 32768 bytes: the current file's bar gets
// one block event per unit, the overall bar spans the whole install, and files smaller than a
// unit add up until together they make one.
#pragma once

#include <cstdint>
#include <string>

namespace setup {

constexpr uint32_t kProgressUnit = 32768;

// The overall bar's maximum: the total size in units, halves to even.
int OverallBarMaximum(uint64_t totalSize);

// The file bar's maximum for a file that begins: whole units when more than one, else 1.
int FileBarMaximum(uint32_t fileSize);

// How far each of the file's blocks moves the overall bar: the size the library reports over the
// size the listing gave, halves to even; 0 for an entry listed as empty.
int OverallStep(uint32_t reportedSize, uint32_t listedSize);

// Kept for the whole run, never reset: small files carry their remainder over to later ones.
class SmallFileSum {
public:
    // Adds a file below one unit; true when the sum has gone past one unit, which is then taken
    // off and the overall bar steps once.
    bool Add(uint32_t fileSize);
    uint32_t Value() const { return sum_; }

private:
    uint32_t sum_ = 0;
};

// The message of the library's error event; empty for error code 0, which shows nothing.
std::string ErrorEventMessage(const std::string& text, int32_t code);

}  // namespace setup
