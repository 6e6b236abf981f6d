#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace radiosim {

// Faults the radio can be told to show; all off by default.
struct Faults {
    bool silent = false;      // never answer anything
    bool wrongIdent = false;  // report "XX99" as the model ident
    bool lowerIdent = false;  // report the ident in lower case
    bool wrongAnswer = false; // answer the identification block with R + 1
    bool garbage = false;     // three random bytes before every read reply
    std::set<int> nakBlocks;  // answer 0x15 instead of 0x06 for these blocks
    std::set<int> dropWrites; // acknowledge writes of these blocks but keep the old bytes
    std::optional<int> stopAfter;
    std::optional<int> hangupAfter;
    int pieceSize = 0; // send replies in pieces of this many bytes; 0 = whole
};

struct Options {
    std::string ident = "KQ57";
    std::uint8_t band = 0x15;
    std::string serial = "ZS520A1234567890";
    bool serialGiven = false;
    std::string loadPath;
    std::string savePath;
    std::string linkPath;
    std::string calibrationPath;
    long sessions = 0; // 0: serve until killed
    long baud = 0;     // 0: no pacing
    long replyDelayMs = 0;
    bool verbose = false;
    Faults faults;
};

struct ParsedOptions {
    enum class Outcome { Run, Help, Error };
    Outcome outcome = Outcome::Run;
    Options options;
    std::string error; // set with Outcome::Error
};

ParsedOptions parseOptions(const std::vector<std::string>& args);
const char* usageText();

} // namespace radiosim
