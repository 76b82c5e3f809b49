#include "HalfEven.h"

namespace setup {

uint64_t RoundHalfEven(uint64_t numerator, uint64_t denominator) {
    if (denominator == 0) return 0;
    const uint64_t quotient = numerator / denominator;
    const uint64_t remainder = numerator % denominator;
    const uint64_t rest = denominator - remainder;  // remainder compared with half, no overflow
    if (remainder > rest || (remainder == rest && quotient % 2 == 1)) return quotient + 1;
    return quotient;
}

}  // namespace setup
