#include "core/ImageState.h"

namespace zorva {

ImageState CaptureImageState(const TALL& all) {
    ImageState state;
    state.Image = all.Image;
    state.ChannelCount = all.ChannelCount;
    state.ModelName = all.ModelName;
    state.BandSummary = all.BandSummary;
    state.BandMask = all.BandMask;
    state.ManualFreqFlag = all.ManualFreqFlag;
    state.ModelBandMask = all.ModelBandMask;
    state.BandLow = all.BandLow;
    state.BandHigh = all.BandHigh;
    state.ImageModelIdent = all.ImageModelIdent;
    return state;
}

void RestoreImageState(TALL& all, const ImageState& state) {
    all.Image = state.Image;
    all.ChannelCount = state.ChannelCount;
    all.ModelName = state.ModelName;
    all.BandSummary = state.BandSummary;
    all.BandMask = state.BandMask;
    all.ManualFreqFlag = state.ManualFreqFlag;
    all.ModelBandMask = state.ModelBandMask;
    all.BandLow = state.BandLow;
    all.BandHigh = state.BandHigh;
    all.ImageModelIdent = state.ImageModelIdent;
}

} // namespace zorva
