// The image the benchmarks measure: all 128 channels in use, with a tone and a name each, so
// every column and page has something to show.
#pragma once

#include "codec/ChannelRecord.h"
#include "codec/Numbers.h"
#include "core/Maindb.h"

#include <string>

namespace zorva::bench {

inline void FillAllChannels() {
    for (int n = 1; n <= kMemoryChannels; ++n) {
        InitNewChannel(All(), n, FormatFreq(144.0 + n * 0.0125));
        std::string tone = "88.5", name = "CH" + std::to_string(n);
        SetChannelField(All(), n, kFieldRxTone, tone);
        SetChannelField(All(), n, kFieldName, name);
    }
}

} // namespace zorva::bench
