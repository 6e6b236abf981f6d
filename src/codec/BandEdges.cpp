#include "codec/BandEdges.h"

#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "core/MacType.h"
#include "core/TAll.h"

namespace zorva {

namespace {

// The 2.5 kHz grid in 10 Hz units.
constexpr int64_t kGrid = 250;

// Edges are compared and moved in whole 10 Hz units, so that a typed 145.0037 is the same
// number in every comparison and on the grid.
int64_t SnapUnits(int64_t units) {
    double mhz = UnitsToMhz(units);
    Raster raster = Raster::Step2500Hz;
    return SnapToRaster(mhz, raster);
}

// Snaps `moved`, but never past `other` when it was not past it before: rounding half up
// could otherwise lift a lower edge above an upper edge that is off the grid (or the other
// way round), which would leave a band whose lower edge is above its upper one.
int64_t SnapNotPast(int64_t moved, int64_t other, bool isLower) {
    const int64_t snapped = SnapUnits(moved);
    if (isLower && snapped > other && moved <= other)
        return other - ((other % kGrid) + kGrid) % kGrid;
    if (!isLower && snapped < other && moved >= other) {
        const int64_t rest = ((other % kGrid) + kGrid) % kGrid;
        return rest == 0 ? other : other - rest + kGrid;
    }
    return snapped;
}

} // namespace

bool BandFlagSet(uint8_t flags, int band) {
    return ((flags >> (2 * band)) & 3) != 0;
}

uint8_t BandFlagBit(int band) {
    return static_cast<uint8_t>(1u << (2 * band));
}

double ImageBandEdge(const TALL& all, int band, bool upper) {
    return UnitsToMhz(all.U32At(kBandRanges + 8 * band + (upper ? 4 : 0)));
}

double SnapBandEdge(double mhz) {
    return UnitsToMhz(SnapUnits(MhzToUnits(mhz)));
}

std::pair<double, double> InitialBandRange(const TMacType& model, int band) {
    return model.GetRange(band, model.DefaultBandMask == model.BandMask);
}

void LowerEdgeChanged(double& low, double& high, double limitLow, double limitHigh) {
    int64_t l = MhzToUnits(low);
    int64_t h = MhzToUnits(high);
    const int64_t lo = MhzToUnits(limitLow);
    const int64_t hi = MhzToUnits(limitHigh);
    if (l == 0) l = lo;
    if (l > hi) l = hi;
    if (l != 0 && l < lo) l = lo;
    if (h == 0) h = l;
    if (h <= l) l = h;
    l = SnapNotPast(l, h, true);
    low = UnitsToMhz(l);
    high = UnitsToMhz(h);
}

void UpperEdgeChanged(double& low, double& high, double limitLow, double limitHigh) {
    int64_t l = MhzToUnits(low);
    int64_t h = MhzToUnits(high);
    const int64_t lo = MhzToUnits(limitLow);
    const int64_t hi = MhzToUnits(limitHigh);
    if (h == 0) h = hi;
    if (l > h) h = l;
    if (h > hi) h = hi;
    if (h != 0 && h < lo) h = lo;
    if (l == 0) l = h;
    h = SnapNotPast(h, l, false);
    low = UnitsToMhz(l);
    high = UnitsToMhz(h);
}

bool TakeBandChoice(TALL& all, const TMacType& model, const BandChoice& choice) {
    uint8_t flags = 0;
    for (int band = 0; band < kBands; ++band)
        if (choice.used[band]) flags |= BandFlagBit(band);
    flags &= model.BandMask;
    if (flags == 0) return false;

    all.BandMask = flags;
    for (int band = 0; band < kBands; ++band) {
        // A band the model cannot use is not in use, whatever was ticked for it: its edges
        // would otherwise reach the new image beside a band mask that leaves it out.
        const bool inUse = BandFlagSet(flags, band);
        all.BandLow[band] = inUse ? choice.low[band] : 0.0;
        all.BandHigh[band] = inUse ? choice.high[band] : 0.0;
    }
    all.ImageModelIdent = model.Ident;
    return true;
}

} // namespace zorva
