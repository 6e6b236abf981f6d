#include "link/CalibrationTable.h"

#include <algorithm>

namespace zorva {

namespace {

constexpr uint8_t kTableRead = 0x53;  // "S"
constexpr uint8_t kTableWrite = 0x58; // "X"
constexpr uint8_t kTableReply = 0x58; // the request's first byte plus 5
constexpr int kReplyDataAt = 4;

constexpr uint8_t High(int address) {
    return static_cast<uint8_t>(address >> 8);
}
constexpr uint8_t Low(int address) {
    return static_cast<uint8_t>(address & 0xFF);
}

} // namespace

bool CalibrationAddressValid(int subRange, int tag) {
    return subRange >= 0 && tag >= 0 && tag < kCalibrationRowSize &&
           CalibrationAddress(subRange, tag) < kCalibrationSize;
}

std::array<uint8_t, kTableReadLength> TableReadFrame(int block) {
    const int address = block * kCalibrationRowSize;
    return {kTableRead, High(address), Low(address), kCalibrationRowSize};
}

std::array<uint8_t, kTableWriteLength> TableWriteFrame(int address, uint8_t value) {
    return {kTableWrite, High(address), Low(address), 0x01, value};
}

bool IsTableReplyFor(const uint8_t* reply, int block) {
    const int address = block * kCalibrationRowSize;
    return reply[0] == kTableReply && reply[1] == High(address) && reply[2] == Low(address);
}

void StoreTableBlock(CalibrationTable& table, const uint8_t* reply, int block) {
    if (block < 0 || block > kCalibrationLastBlock) return;
    std::copy(reply + kReplyDataAt, reply + kTableReplyLength,
              table.begin() + block * kCalibrationRowSize);
}

} // namespace zorva
