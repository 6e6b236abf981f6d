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
bool BandInUse(double low, double high);

// Removes everything from the first "MHz" on; an empty remainder is kNoFreq. Throws
// ConversionError when the rest is not a number.
double ParseFreqText(std::string_view text);

// The channel rasters a frequency is put on.
enum class Raster {
    Step500Hz = 0,  // 0.5 kHz
    Step1250Hz = 1, // 1.25 kHz
    Nearer = 2,     // whichever of 0.5 and 1.25 kHz the value is nearer to
    Step2500Hz = 4, // 2.5 kHz, the grid of the band edges
};

// Snaps `mhz` in place onto `raster` and returns it in 10 Hz units; Nearer becomes the raster
// used (a value on both stays as given and counts as 1.25 kHz).
int64_t SnapToRaster(double& mhz, Raster& raster);
// The raster of the frequency-mode records, from the step index in setting 9.
Raster RasterMode(const TALL& all);
// Nearer when a multiple of both 1.25 and 0.5 kHz (or of neither), else the one it is on.
Raster RasterClass(double mhz);

// Whether `mhz` lies within the edges of band `band`, edges included (compared in 10 Hz
// units); false for a band not in use and for a value that is no frequency.
bool InBand(const TALL& all, int band, double mhz);
// The first band in use that holds `mhz`, -1 for none.
int BandHolding(const TALL& all, double mhz);
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
