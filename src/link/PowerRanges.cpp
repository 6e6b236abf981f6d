#include "link/PowerRanges.h"

#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "core/TAll.h"
#include "link/PowerTestEngine.h"

#include <algorithm>
#include <cstdint>

namespace zorva {

namespace {

// Frequencies in 10 Hz units, so that the 10 MHz steps are exact.
constexpr int64_t kUnitsPerMHz = 100000;
constexpr int64_t kStep = 10 * kUnitsPerMHz;

// "0.000": three decimals, halves rounded away from zero.
std::string FormatMHz(int64_t units) {
    const int64_t khz = (units + 50) / 100;
    std::string fraction = std::to_string(khz % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    return std::to_string(khz / 1000) + "." + fraction;
}

// The first two characters as a number; -1 when they are not two digits.
int LeadingNumber(const std::string& text) {
    if (text.size() < 2) return -1;
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!digit(text[0]) || !digit(text[1])) return -1;
    return (text[0] - '0') * 10 + (text[1] - '0');
}

} // namespace

std::vector<PowerSubRange> PowerSubRanges(const std::array<double, kBands>& bandLow,
                                          const std::array<double, kBands>& bandHigh) {
    constexpr int kLastRow = kCalibrationSize / kCalibrationRowSize - 1;
    std::vector<PowerSubRange> ranges;
    for (const int band : {1, 2, 3, 0}) {
        if (!BandInUse(bandLow[band], bandHigh[band])) continue;
        const int64_t top = MhzToUnits(bandHigh[band]);
        for (int64_t low = MhzToUnits(bandLow[band]); low < top;) {
            const int64_t high = std::min((low / kStep + 1) * kStep, top);
            PowerSubRange range;
            range.text = FormatMHz(low) + " -- " + FormatMHz(high) + "MHz";
            range.number = LeadingNumber(range.text);
            if (range.number >= 0 && range.number <= kLastRow) ranges.push_back(std::move(range));
            low = high;
        }
    }
    return ranges;
}

std::vector<PowerSubRange> PowerSubRanges(const TALL& all) {
    return PowerSubRanges(all.BandLow, all.BandHigh);
}

} // namespace zorva
