// Whether the radio holds what was written: the memory read back after a write, compared with
// the image that was written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorva {

class TALL;

// The differences between `written` (the image as it was sent, write time included) and the
// radio's memory `readBack` (as read, block 0 first), as DifferenceLine texts; empty when the
// radio holds what was written. Only the blocks a write sends are compared, and not the write
// time, which the radio may keep as it likes. A difference the dump does not show (a byte no
// field decodes) is named by its address.
std::vector<std::string> ReadBackDifferences(const TALL& written,
                                             const std::vector<uint8_t>& readBack);

} // namespace zorva
