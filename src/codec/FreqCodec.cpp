#include "codec/FreqCodec.h"

#include "codec/Numbers.h"
#include "codec/OptionCodes.h"
#include "core/TAll.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace zorva {

namespace {

// Snaps units to a multiple of step; exact halves go up.
int64_t SnapUnits(int64_t units, int64_t step) {
    const int64_t rest = units % step;
    return 2 * rest >= step ? units - rest + step : units - rest;
}

} // namespace

bool BandInUse(double low, double high) {
    return low != 0.0 && high != 0.0;
}

bool BandInUse(const TALL& all, int band) {
    return BandInUse(all.BandLow[band], all.BandHigh[band]);
}

double ParseFreqText(std::string_view text) {
    if (const auto mhz = text.find("MHz"); mhz != std::string_view::npos)
        text = text.substr(0, mhz);
    if (text.empty()) return kNoFreq;
    return ToNumber(text);
}

int64_t SnapToRaster(double& mhz, Raster& raster) {
    const int64_t units = MhzToUnits(mhz);
    int64_t snapped = units;
    switch (raster) {
    case Raster::Step500Hz:
        snapped = SnapUnits(units, 50);
        break;
    case Raster::Step1250Hz:
        snapped = SnapUnits(units, 125);
        break;
    case Raster::Step2500Hz:
        snapped = SnapUnits(units, 250);
        break;
    case Raster::Nearer: {
        const int64_t r125 = units % 125;
        const int64_t r50 = units % 50;
        if (r125 == 0) {
            raster = Raster::Step1250Hz;
            return units; // the value stays as it was given
        }
        if (r50 == 0) {
            raster = Raster::Step500Hz;
            return units;
        }
        if (r50 < r125) {
            raster = Raster::Step500Hz;
            snapped = SnapUnits(units, 50);
        } else {
            raster = Raster::Step1250Hz;
            snapped = SnapUnits(units, 125);
        }
    }
    }
    mhz = UnitsToMhz(snapped);
    return snapped;
}

Raster RasterMode(const TALL& all) {
    const int step = ReadField(all, kVfoStep);
    if (step == 2) return Raster::Step1250Hz;
    if (step >= 4) return Raster::Nearer;
    return Raster::Step500Hz;
}

Raster RasterClass(double mhz) {
    const int64_t units = MhzToUnits(mhz);
    const bool of125 = units % 125 == 0;
    const bool of50 = units % 50 == 0;
    if (of125 && !of50) return Raster::Step1250Hz;
    if (of50 && !of125) return Raster::Step500Hz;
    return Raster::Nearer;
}

bool InBand(const TALL& all, int band, double mhz) {
    if (band < 0 || band >= kBands || !BandInUse(all, band) || !(mhz > 0.0)) return false;
    const int64_t units = MhzToUnits(mhz);
    return MhzToUnits(all.BandLow[band]) <= units && units <= MhzToUnits(all.BandHigh[band]);
}

int BandHolding(const TALL& all, double mhz) {
    for (int band = 0; band < kBands; ++band)
        if (InBand(all, band, mhz)) return band;
    return -1;
}

bool InBandInUse(const TALL& all, double mhz) {
    return BandHolding(all, mhz) >= 0;
}

std::string BandsInUseText(const TALL& all) {
    std::vector<std::pair<double, double>> bands;
    for (int band = 0; band < kBands; ++band)
        if (BandInUse(all, band)) bands.emplace_back(all.BandLow[band], all.BandHigh[band]);
    std::sort(bands.begin(), bands.end());
    std::string text;
    for (const auto& [low, high] : bands) {
        if (!text.empty()) text += ", ";
        text += FormatFreq(low) + "\xE2\x80\x93" + FormatFreq(high);
    }
    return text;
}

std::optional<double> ParseTxText(std::string_view text, double rx) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    const bool offset = !text.empty() && (text.front() == '+' || text.front() == '-');
    const std::optional<double> number = ParseNumber(text);
    if (!number || !offset) return number;
    return UnitsToMhz(MhzToUnits(rx) + MhzToUnits(*number));
}

std::optional<double> AcceptedFreq(const TALL& all, std::string_view text) {
    const std::optional<double> mhz = ParseNumber(text);
    return mhz && InBandInUse(all, *mhz) ? mhz : std::nullopt;
}

std::optional<double> AcceptedTxFreq(const TALL& all, std::string_view text, double rx) {
    const std::optional<double> mhz = ParseTxText(text, rx);
    return mhz && InBandInUse(all, *mhz) ? mhz : std::nullopt;
}

bool FreqRangeCheck(const TALL& all, std::string_view text, double& value) {
    bool refused = false;
    if (!text.empty()) {
        const auto number = ParseNumber(text);
        if (number) {
            value = *number;
        } else {
            value = kNoFreq;
            refused = true;
        }
    }
    if (!refused) refused = !InBandInUse(all, value);
    if (refused)
        for (int band = 0; band < kBands; ++band)
            if (BandInUse(all, band)) {
                value = all.BandLow[band];
                break;
            }
    return refused;
}

double NearestBandEdge(const TALL& all, bool upper, double x) {
    constexpr double kNever = 999.0;
    double low = 0.0, high = 0.0;
    double lowDistance = kNever, highDistance = kNever;
    for (int band = 0; band < kBands; ++band) {
        if (!BandInUse(all, band)) continue;
        const double dLow = std::fabs(all.BandLow[band] - x);
        const double dHigh = std::fabs(all.BandHigh[band] - x);
        if (dLow < lowDistance) {
            lowDistance = dLow;
            low = all.BandLow[band];
        }
        if (dHigh < highDistance) {
            highDistance = dHigh;
            high = all.BandHigh[band];
        }
    }
    return upper ? high : low;
}

} // namespace zorva
