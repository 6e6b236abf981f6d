// The frames of the programming protocol.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace zorva {

inline constexpr uint8_t kAck = 0x06;
inline constexpr uint8_t kIdentRequest = 0x02;
inline constexpr uint8_t kEndCommand = 0x45;
inline constexpr uint8_t kReadCommand = 0x52;
inline constexpr uint8_t kWriteCommand = 0x57;
inline constexpr int kWakeUpLength = 8;
inline constexpr int kIdentReplyLength = 8;
inline constexpr int kIdentBlockLength = 16;
inline constexpr int kReadReplyLength = 20;
inline constexpr int kWriteFrameLength = 20;

// The port number of a port name: the decimal number from its fourth character on
// ("COM12" is 12); 0 when there is none.
int PortNumber(const std::string& portName);

// "PROGRAM" and the suffix for `suffixNumber`: "a".."i" for 1..9, else one of "e".."i"
// chosen by `random` (which returns 0..4). Returns 8.
int BuildWakeUp(uint8_t* buffer, int suffixNumber, const std::function<int()>& random);

// The identification block of `installationId` (at least 15 characters); returns the byte
// the radio must answer.
uint8_t BuildIdentBlock(uint8_t* block, const std::string& installationId);

// "R" request and "W" frame of image block `block` (address = block * 16, high byte first).
std::array<uint8_t, 4> BuildReadRequest(int block);
std::array<uint8_t, kWriteFrameLength> BuildWriteFrame(int block, const uint8_t* data);

} // namespace zorva
