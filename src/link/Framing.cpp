#include "link/Framing.h"

#include <cstring>

namespace zorva {

namespace {

// A block frame carries 16 bytes of memory at 16 * block; its fourth byte is that length.
constexpr int kBlockBytes = 16;

} // namespace

int PortNumber(const std::string& portName) {
    int number = 0;
    for (size_t i = 3; i < portName.size(); ++i) {
        const char c = portName[i];
        if (c < '0' || c > '9' || number > 99999) return 0;
        number = number * 10 + (c - '0');
    }
    return number;
}

int BuildWakeUp(uint8_t* buffer, int suffixNumber, const std::function<int()>& random) {
    std::memcpy(buffer, "PROGRAM", 7);
    if (suffixNumber >= 1 && suffixNumber <= 9)
        buffer[7] = static_cast<uint8_t>('a' + suffixNumber - 1);
    else
        buffer[7] = static_cast<uint8_t>('e' + (random ? random() % 5 : 0));
    return kWakeUpLength;
}

uint8_t BuildIdentBlock(uint8_t* block, const std::string& installationId) {
    for (int i = 0; i < 15; ++i)
        block[i] = i < static_cast<int>(installationId.size())
                       ? static_cast<uint8_t>(installationId[static_cast<size_t>(i)])
                       : ' ';
    const auto b = [block](int i) { return static_cast<unsigned>(block[i]); };
    const auto swapNibbles = [](unsigned v) { return ((v & 0x0F) << 4) | (v >> 4); };
    block[15] = static_cast<uint8_t>((255 - b(5)) + b(1) + b(2) + b(8) + b(9) + (255 - b(11)) +
                                     b(12) + b(14));
    const unsigned reply = b(1) + (b(2) >> 1) + 2 * b(3) + b(4) + swapNibbles(b(5)) + (255 - b(6)) +
                           (b(7) & 0x0F) + b(8) + 2 * b(9) + (b(10) >> 1) + b(11) + (255 - b(12)) +
                           swapNibbles(b(13)) + (b(14) & 0xF0);
    return static_cast<uint8_t>(reply);
}

std::array<uint8_t, 4> BuildReadRequest(int block) {
    const int address = block * kBlockBytes;
    return {kReadCommand, static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
            kBlockBytes};
}

std::array<uint8_t, kWriteFrameLength> BuildWriteFrame(int block, const uint8_t* data) {
    const int address = block * kBlockBytes;
    std::array<uint8_t, kWriteFrameLength> frame{kWriteCommand, static_cast<uint8_t>(address >> 8),
                                                 static_cast<uint8_t>(address), kBlockBytes};
    std::memcpy(frame.data() + 4, data, kBlockBytes);
    return frame;
}

} // namespace zorva
