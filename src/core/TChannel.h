// A channel record decoded into its text and number forms, as the windows show it.
#pragma once

#include <cstdint>
#include <string>

namespace zorva {

class TChannel {
public:
    double RxFreq = 0.0;
    double TxFreq = 0.0; // -1.0 when the channel has no TX frequency
    double Offset = 0.0;
    uint8_t Shift = 0;  // 0 off, 1 plus, 2 minus
    std::string RxTone; // empty for none
    std::string TxTone;
    uint8_t Reverse = 0;
    uint8_t BusyLock = 0;  // 0 on, 1 off
    uint8_t Bandwidth = 0; // 0 narrow, 1 wide
    uint8_t Power = 0;     // 0 low, 1 high
    uint8_t VoiceMode = 0; // 0 off, 1 compander, 2 scrambler, 3 both
    uint8_t Scan = 0;      // 0 in the scan list, 1 not (memory channels only)
    uint8_t Epilogue = 0;  // 0 off, 1 on
    uint8_t Vox = 0;       // 0 yes, 1 no
    uint8_t PttId = 0;     // 0 off, 1 BOT, 2 EOT, 3 both
    uint8_t Ani = 0;       // 0 on, 1 off
    std::string Name;
    std::string IdCode;
};

} // namespace zorva
