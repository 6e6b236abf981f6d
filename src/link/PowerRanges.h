// The 10 MHz sub-ranges of the bands in use, as the power test lists them. Each sub-range has
// a row of the radio's calibration table; its number is the first two digits of its text
// ("40" for 400.000 -- 410.000MHz).
#pragma once

#include "core/TAll.h"

#include <array>
#include <string>
#include <vector>

namespace zorva {

struct PowerSubRange {
    std::string text; // "400.000 -- 410.000MHz"
    int number = 0;   // the calibration row, 0..64
};

// The sub-ranges of the bands 1, 2, 3 and 0, in that order, each band cut at the multiples of
// 10 MHz. A band is in use when both its edges are given. A sub-range whose text does not start
// with two digits, or whose number has no row in the table, is left out: its values would lie
// outside the table.
std::vector<PowerSubRange> PowerSubRanges(const std::array<double, kBands>& bandLow,
                                          const std::array<double, kBands>& bandHigh);
std::vector<PowerSubRange> PowerSubRanges(const TALL& all);

} // namespace zorva
