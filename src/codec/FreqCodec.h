// Frequencies: text parse, raster snapping and the band-range checks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorva {

class TALL;

// Value standing for "no frequency".
inline constexpr double kNoFreq = -1.0;

// A band is in use when both its edges are given.
bool BandInUse(const TALL& all, int band);

// Removes everything from the first "MHz" on; an empty remainder is kNoFreq. Throws
// ConversionError when the rest is not a number.
double ParseFreqText(std::string_view text);

// Raster modes: 0 = 0.5 kHz, 1 = 1.25 kHz, 2 = whichever of 0 and 1 fits, 4 = 2.5 kHz.
// Snaps `mhz` in place, sets `mode` to the raster used (0, 1 or 4) and returns 10 Hz units.
int64_t SnapToRaster(double& mhz, int& mode);
// Raster mode of the frequency-mode records, from the step index in setting 9.
int RasterMode(const TALL& all);
// 2 when a multiple of both 125 and 50 units (or of neither), 1 of 125 only, 0 of 50 only.
int RasterClass(double mhz);

// Whether `mhz` lies in a band in use, edges included (compared in 10 Hz units).
bool InBandInUse(const TALL& all, double mhz);
// The bands in use, low to high edge: "136.00000–174.00000, 400.00000–520.00000".
std::string BandsInUseText(const TALL& all);

// A TX frequency as typed: a number, or with a leading "+" or "-" an offset from `rx` (the sum
// taken in 10 Hz units). nullopt for a text that is no number; not yet range-checked.
std::optional<double> ParseTxText(std::string_view text, double rx);

// A frequency as typed, when it is a number in a band in use; nullopt when it is refused.
std::optional<double> AcceptedFreq(const TALL& all, std::string_view text);
// The same for a TX frequency, which may be typed as an offset from `rx` (ParseTxText).
std::optional<double> AcceptedTxFreq(const TALL& all, std::string_view text, double rx);

// True when the frequency is refused; `value` is then the low limit of the first band in
// use. A non-empty text is converted into `value` first (a text that is no number is
// refused). Never throws.
bool FreqRangeCheck(const TALL& all, std::string_view text, double& value);

// The band edge nearest to x among the bands in use: the high edge when `upper`, else the
// low edge; 0.0 when no band is in use.
double NearestBandEdge(const TALL& all, bool upper, double x);

} // namespace zorva
