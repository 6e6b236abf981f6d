// The radio's calibration table and the frames that read and change it. The table holds 1040
// bytes beside the memory: for every 10 MHz sub-range S a row of 16 bytes at 16 * S, with the
// low-power value at 16 * S + 10 and the high-power value at 16 * S + 12.
#pragma once

#include <array>
#include <cstdint>

namespace zorva {

inline constexpr int kCalibrationSize = 1040;
inline constexpr int kCalibrationRowSize = 16;
inline constexpr int kCalibrationLastBlock = 64; // blocks 0..64
inline constexpr int kLowPowerOffset = 10;       // the slider tags
inline constexpr int kHighPowerOffset = 12;

// The reply to a block request: 0x58, the block's address (2 bytes), 0x10 and 16 data bytes.
inline constexpr int kTableReplyLength = 20;
inline constexpr int kTableReadLength = 4;
inline constexpr int kTableWriteLength = 5;

using CalibrationTable = std::array<uint8_t, kCalibrationSize>;

// The table address of sub-range `subRange`'s low (tag 10) or high (tag 12) power value.
constexpr int CalibrationAddress(int subRange, int tag) {
    return kCalibrationRowSize * subRange + tag;
}
// Whether that address lies in the table (a value set elsewhere would be written beyond it,
// here and in the radio).
bool CalibrationAddressValid(int subRange, int tag);

// The request for block `block`: its 16 bytes at 16 * block.
std::array<uint8_t, kTableReadLength> TableReadFrame(int block);
// The request that stores one byte, `value`, at `address`.
std::array<uint8_t, kTableWriteLength> TableWriteFrame(int address, uint8_t value);
// Whether `reply` (kTableReplyLength bytes) answers the request for `block`: an earlier reply
// repeated, or a stray byte ahead of it, does not.
bool IsTableReplyFor(const uint8_t* reply, int block);
// Copies the data bytes of such a reply into the table's row `block`.
void StoreTableBlock(CalibrationTable& table, const uint8_t* reply, int block);

} // namespace zorva
