#pragma once

#include "DataFile.h"
#include "Log.h"
#include "Options.h"

#include <array>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace radiosim {

inline constexpr std::size_t kIdentBlockSize = 16;

// The answer the radio owes to an identification block; b0 and b15 do not enter it.
std::uint8_t identAnswer(std::span<const std::uint8_t, kIdentBlockSize> block);
// The check byte b15 a well-formed block carries.
std::uint8_t identCheckByte(std::span<const std::uint8_t, kIdentBlockSize> block);

// What the radio does in response to received bytes, in order.
struct Action {
    enum class Kind { Send, EndSession, HangUp, CalibrationChanged };
    Kind kind = Kind::Send;
    std::vector<std::uint8_t> bytes; // for Send
    std::string what;                // for the log
};

// The radio's side of the programming protocol, without any I/O: bytes in, actions out.
// Frames are recognised by their first byte in the current state; bytes that start no frame are
// dropped, and a wake-up ("PROGRAM" and a suffix a..i) restarts the session from any state.
class Radio {
public:
    Radio(std::string ident, std::uint8_t band, Faults faults, Memory& memory,
          Calibration& calibration, const Log& log);
    // Plausible power settings: a low and a high value in every row of the table.
    static Calibration defaultCalibration();

    std::vector<Action> receive(std::span<const std::uint8_t> bytes);
    // A frame was started but its remaining bytes never came.
    bool frameInProgress() const { return !frame_.empty(); }
    std::vector<Action> frameTimedOut();

private:
    enum class State { Idle, Awake, AwaitIdentBlock, AwaitAck, Transfer };

    void take(std::uint8_t byte, std::vector<Action>& out);
    std::size_t frameLength(std::uint8_t first) const;
    void handleFrame(bool isWakeUp, std::vector<Action>& out);
    void send(std::vector<Action>& out, std::vector<std::uint8_t> bytes, std::string what);
    void endSession(std::vector<Action>& out);
    void readBlock(const std::vector<std::uint8_t>& f, std::vector<Action>& out);
    void answerReadAck(const std::vector<std::uint8_t>& f, std::vector<Action>& out);
    void writeBlock(const std::vector<std::uint8_t>& f, std::vector<Action>& out);
    void readCalibration(const std::vector<std::uint8_t>& f, std::vector<Action>& out);
    void writeCalibration(const std::vector<std::uint8_t>& f, std::vector<Action>& out);
    void blockTransferred(int block, std::vector<Action>& out);
    std::vector<std::uint8_t> identReply() const;
    std::vector<std::uint8_t> garbageBytes();

    std::string ident_;
    std::uint8_t band_;
    Faults faults_;
    Memory& memory_;
    const Log& log_;
    Calibration& calibration_;
    std::mt19937 random_;

    State state_ = State::Idle;
    std::vector<std::uint8_t> frame_;
    std::size_t expected_ = 0;
    int pendingReadBlock_ = -1; // block whose read reply awaits the program's 0x06
};

} // namespace radiosim
