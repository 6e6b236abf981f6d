// What an edit can change: the image and the state derived from it (the model, its bands and
// the manual frequency flag). An undo step keeps one before and one after its change.
#pragma once

#include "core/TAll.h"

#include <array>
#include <cstdint>
#include <string>

namespace zorva {

struct ImageState {
    std::array<uint8_t, kImageSize> Image{};
    int32_t ChannelCount = 0;
    std::string ModelName;
    std::string BandSummary;
    uint8_t BandMask = 0;
    uint8_t ManualFreqFlag = 0;
    uint8_t ModelBandMask = 0;
    std::array<double, kBands> BandLow{};
    std::array<double, kBands> BandHigh{};
    std::string ImageModelIdent;

    bool operator==(const ImageState&) const = default;
};

ImageState CaptureImageState(const TALL& all);
// Puts the state back; everything else of `all` (language, port, Modified…) stays.
void RestoreImageState(TALL& all, const ImageState& state);

} // namespace zorva
