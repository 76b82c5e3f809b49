// Rounding of the wizard's ratios (logo width, progress maxima and steps): to the nearest whole
// number, an exact half going to the even neighbour. Done on whole numbers so that a ratio that
// is exactly a half is recognised as one, which binary fractions cannot promise.
#pragma once

#include <cstdint>

namespace setup {

// numerator / denominator rounded half to even; 0 when the denominator is 0.
uint64_t RoundHalfEven(uint64_t numerator, uint64_t denominator);

}  // namespace setup
