#include "dump/ReadBackCheck.h"

#include "core/TAll.h"
#include "dump/DumpDiff.h"
#include "dump/DumpJson.h"

#include <algorithm>
#include <cstdio>

namespace zorva {

namespace {

// The write time: a 16-bit year, then month, day, hour, minute and second.
constexpr int kWriteTimeLength = 7;
// Enough byte lines to see what went wrong without flooding a message box.
constexpr int kMaxByteLines = 16;

bool InWriteTime(int address) {
    return address >= kWriteTime && address < kWriteTime + kWriteTimeLength;
}

std::string ByteLine(int address, uint8_t a, uint8_t b) {
    char text[48];
    std::snprintf(text, sizeof text, "image[0x%04X]: 0x%02X -> 0x%02X", address, a, b);
    return text;
}

} // namespace

std::vector<std::string> ReadBackDifferences(const TALL& written,
                                             const std::vector<uint8_t>& readBack) {
    // Both sides start as the image written, so whatever the write does not send is equal.
    TALL sent = written;
    TALL held = written;
    const int compared =
        std::min<int>(kWrittenBlocks * kBlockSize, static_cast<int>(readBack.size()));
    for (int i = 0; i < compared; ++i)
        if (!InWriteTime(i)) held.Image[i] = readBack[i];
    if (sent.Image == held.Image) return {};

    std::vector<std::string> lines;
    for (const DumpDifference& d : DiffDumps(DumpImage(sent), DumpImage(held)))
        lines.push_back(DifferenceLine(d));
    if (!lines.empty()) return lines;
    for (int i = 0; i < compared && static_cast<int>(lines.size()) < kMaxByteLines; ++i)
        if (!InWriteTime(i) && written.Image[i] != readBack[i])
            lines.push_back(ByteLine(i, written.Image[i], readBack[i]));
    return lines;
}

} // namespace zorva
