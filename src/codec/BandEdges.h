// The band edges the user chooses for a new image: reading them from the image, the rule
// that keeps a typed edge inside its band, and handing the choice over to the state.
#pragma once

#include <array>
#include <cstdint>
#include <utility>

namespace zorva {

class TALL;
class TMacType;

// Band flags hold two bits per band (0..3); a band is set when either of its bits is.
bool BandFlagSet(uint8_t flags, int band);
// The low bit of a band: the flag a chosen band gets (0x01, 0x04, 0x10, 0x40).
uint8_t BandFlagBit(int band);

// The lower or upper edge of band 0..3 as the image stores it, in MHz.
double ImageBandEdge(const TALL& all, int band, bool upper);

// Puts a frequency on the 2.5 kHz grid, halves rounding up.
double SnapBandEdge(double mhz);

// The range a band of `model` starts from in the model dialog, and goes back to when it is
// taken out of use: its limits when the model's default bands are all its bands, otherwise
// its defaults.
std::pair<double, double> InitialBandRange(const TMacType& model, int band);

// Brings the edges of a band with the limits [limitLow, limitHigh] in order after the user
// changed its lower (LowerEdgeChanged) or upper (UpperEdgeChanged) edge. An edge of 0 stands
// for "not given". Only the changed edge is put on the grid; the other one may be filled in
// from it.
void LowerEdgeChanged(double& low, double& high, double limitLow, double limitHigh);
void UpperEdgeChanged(double& low, double& high, double limitLow, double limitHigh);

// The bands ticked in the model dialog with their edges (index 0..3).
struct BandChoice {
    std::array<bool, 4> used{};
    std::array<double, 4> low{};
    std::array<double, 4> high{};
};

// Hands a choice for `model` over to the state: BandMask gets the flags of the used bands
// the model can use, BandLow/BandHigh their edges (0 and 0 for every other band) and
// ImageModelIdent the model's ident. Returns false, changing nothing, when no usable band
// was chosen.
bool TakeBandChoice(TALL& all, const TMacType& model, const BandChoice& choice);

} // namespace zorva
