#include "Radio.h"

#include <cctype>
#include <cstdio>

namespace radiosim {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint8_t kIdentRequest = 0x02;
constexpr std::uint8_t kEnd = 0x45;
constexpr std::uint8_t kRead = 0x52;
constexpr std::uint8_t kWrite = 0x57;
constexpr std::uint8_t kTableRead = 0x53;
constexpr std::uint8_t kTableWrite = 0x58;
constexpr std::uint8_t kTableReply = 0x58;
constexpr std::uint8_t kBlockLength = 0x10;
constexpr std::string_view kWakeUp = "PROGRAM";
constexpr std::size_t kWakeUpSize = 8;

// Whether `byte` fits position `index` of a wake-up frame.
bool fitsWakeUp(std::size_t index, std::uint8_t byte) {
    if (index < kWakeUp.size()) return byte == static_cast<std::uint8_t>(kWakeUp[index]);
    return byte >= 'a' && byte <= 'i';
}

std::uint8_t swapNibbles(std::uint8_t b) {
    return static_cast<std::uint8_t>((b & 0x0F) << 4 | b >> 4);
}

std::string hexAddress(unsigned address) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", address);
    return text;
}

} // namespace

std::uint8_t identAnswer(std::span<const std::uint8_t, kIdentBlockSize> b) {
    const unsigned sum = b[1] + (b[2] >> 1) + 2u * b[3] + b[4] + swapNibbles(b[5]) + (255u - b[6]) +
                         (b[7] & 0x0Fu) + b[8] + 2u * b[9] + (b[10] >> 1) + b[11] + (255u - b[12]) +
                         swapNibbles(b[13]) + (b[14] & 0xF0u);
    return static_cast<std::uint8_t>(sum);
}

std::uint8_t identCheckByte(std::span<const std::uint8_t, kIdentBlockSize> b) {
    const unsigned sum = (255u - b[5]) + b[1] + b[2] + b[8] + b[9] + (255u - b[11]) + b[12] + b[14];
    return static_cast<std::uint8_t>(sum);
}

Radio::Radio(std::string ident, std::uint8_t band, Faults faults, Memory& memory,
             Calibration& calibration, const Log& log)
    : ident_(std::move(ident)), band_(band), faults_(std::move(faults)), memory_(memory), log_(log),
      calibration_(calibration), random_(std::random_device{}()) {}

Calibration Radio::defaultCalibration() {
    Calibration table{};
    for (std::size_t row = 0; row < kCalibrationSize / kBlockSize; ++row) {
        table[row * kBlockSize + 10] = 0x50;
        table[row * kBlockSize + 12] = 0xC8;
    }
    return table;
}

std::vector<Action> Radio::receive(std::span<const std::uint8_t> bytes) {
    std::vector<Action> out;
    for (const std::uint8_t b : bytes)
        take(b, out);
    return out;
}

std::vector<Action> Radio::frameTimedOut() {
    std::vector<Action> out;
    // A lone end command where the identification block was due: the program refused the radio.
    if (state_ == State::AwaitIdentBlock && frame_.size() == 1 && frame_[0] == kEnd) {
        log_.frame("<-", "end command", frame_);
        frame_.clear();
        endSession(out);
        return out;
    }
    log_.warn("incomplete frame dropped after a pause: " + std::to_string(frame_.size()) + " of " +
              std::to_string(expected_) + " bytes");
    log_.frame("<-", "incomplete frame", frame_);
    frame_.clear();
    return out;
}

std::size_t Radio::frameLength(std::uint8_t first) const {
    if (state_ == State::AwaitIdentBlock) return kIdentBlockSize;
    if (first == kWakeUp[0]) return kWakeUpSize;
    switch (state_) {
    case State::Idle:
        return 0;
    case State::Awake:
        if (first == kIdentRequest || first == kEnd) return 1;
        if (first == kTableRead) return 4;
        if (first == kTableWrite) return 5;
        return 0;
    case State::AwaitAck:
        return first == kAck || first == kEnd ? 1 : 0;
    case State::Transfer:
        if (first == kAck || first == kEnd) return 1;
        if (first == kRead) return 4;
        if (first == kWrite) return 4 + kBlockSize;
        return 0;
    case State::AwaitIdentBlock:
        break;
    }
    return 0;
}

void Radio::take(std::uint8_t byte, std::vector<Action>& out) {
    if (frame_.empty()) {
        expected_ = frameLength(byte);
        if (expected_ == 0) {
            log_.frame("<-", "ignored", std::span(&byte, 1));
            return;
        }
    }
    frame_.push_back(byte);

    const bool wakeUpStart = frame_[0] == kWakeUp[0];
    const std::size_t index = frame_.size() - 1;
    if (wakeUpStart && index < kWakeUpSize && !fitsWakeUp(index, byte) &&
        expected_ == kWakeUpSize) {
        // Not a wake-up after all: drop the first byte and look again in the rest.
        std::vector<std::uint8_t> rest(frame_.begin() + 1, frame_.end());
        log_.frame("<-", "ignored", std::span(frame_.data(), 1));
        frame_.clear();
        for (const std::uint8_t b : rest)
            take(b, out);
        return;
    }
    const bool isWakeUp = wakeUpStart && frame_.size() == kWakeUpSize && [this] {
        for (std::size_t i = 0; i < kWakeUpSize; ++i)
            if (!fitsWakeUp(i, frame_[i])) return false;
        return true;
    }();
    if (isWakeUp || frame_.size() == expected_) handleFrame(isWakeUp, out);
}

void Radio::handleFrame(bool isWakeUp, std::vector<Action>& out) {
    const std::vector<std::uint8_t> f = std::move(frame_);
    frame_.clear();

    if (isWakeUp) {
        log_.frame("<-", "wake-up", f);
        state_ = State::Awake;
        pendingReadBlock_ = -1;
        send(out, {kAck}, "wake-up answer");
        return;
    }
    if (f.size() == 1 && f[0] == kEnd && state_ != State::AwaitIdentBlock) {
        log_.frame("<-", "end command", f);
        endSession(out);
        return;
    }

    switch (state_) {
    case State::Idle:
        break;
    case State::Awake:
        if (f[0] == kIdentRequest) {
            log_.frame("<-", "ident request", f);
            send(out, identReply(), "ident reply");
            state_ = State::AwaitIdentBlock;
        } else if (f[0] == kTableRead) {
            readCalibration(f, out);
        } else if (f[0] == kTableWrite) {
            writeCalibration(f, out);
        }
        break;
    case State::AwaitIdentBlock: {
        log_.frame("<-", "identification block", f);
        const std::span<const std::uint8_t, kIdentBlockSize> block(f.data(), kIdentBlockSize);
        if (const std::uint8_t check = identCheckByte(block); check != block[15]) {
            char text[96];
            std::snprintf(text, sizeof text, "identification block ends in %02X where %02X was due",
                          block[15], check);
            log_.warn(text);
        }
        std::uint8_t answer = identAnswer(block);
        if (faults_.wrongAnswer) ++answer;
        send(out, {answer}, "identification answer");
        state_ = State::AwaitAck;
        break;
    }
    case State::AwaitAck:
        log_.frame("<-", "acknowledgement", f);
        send(out, {kAck}, "acknowledgement answer");
        state_ = State::Transfer;
        pendingReadBlock_ = -1;
        break;
    case State::Transfer:
        if (f[0] == kRead)
            readBlock(f, out);
        else if (f[0] == kWrite)
            writeBlock(f, out);
        else
            answerReadAck(f, out);
        break;
    }
}

void Radio::send(std::vector<Action>& out, std::vector<std::uint8_t> bytes, std::string what) {
    out.push_back({Action::Kind::Send, std::move(bytes), std::move(what)});
}

void Radio::endSession(std::vector<Action>& out) {
    state_ = State::Idle;
    pendingReadBlock_ = -1;
    out.push_back({Action::Kind::EndSession, {}, "end of session"});
}

void Radio::readBlock(const std::vector<std::uint8_t>& f, std::vector<Action>& out) {
    const unsigned address = f[1] << 8 | f[2];
    if (f[3] != kBlockLength || address + kBlockSize > kMemorySize) {
        log_.warn("read request for " + hexAddress(address) + " refused (length byte " +
                  std::to_string(f[3]) + "; memory ends at 0x1290)");
        log_.frame("<-", "refused read request", f);
        return;
    }
    log_.frame("<-", "read request", f);
    std::vector<std::uint8_t> reply =
        faults_.garbage ? garbageBytes() : std::vector<std::uint8_t>();
    reply.insert(reply.end(), {kWrite, f[1], f[2], kBlockLength});
    reply.insert(reply.end(), memory_.begin() + address, memory_.begin() + address + kBlockSize);
    pendingReadBlock_ = static_cast<int>(address / kBlockSize);
    send(out, std::move(reply), "read reply");
}

void Radio::answerReadAck(const std::vector<std::uint8_t>& f, std::vector<Action>& out) {
    log_.frame("<-", "acknowledgement", f);
    const int block = pendingReadBlock_;
    pendingReadBlock_ = -1;
    if (block >= 0 && faults_.nakBlocks.contains(block)) {
        send(out, {kNak}, "refusal (nak-block)");
        return;
    }
    send(out, {kAck}, "acknowledgement answer");
    if (block >= 0) blockTransferred(block, out);
}

void Radio::writeBlock(const std::vector<std::uint8_t>& f, std::vector<Action>& out) {
    const unsigned address = f[1] << 8 | f[2];
    pendingReadBlock_ = -1;
    if (f[3] != kBlockLength || address + kBlockSize > kMemorySize) {
        log_.warn("write frame for " + hexAddress(address) + " refused (length byte " +
                  std::to_string(f[3]) + "; memory ends at 0x1290)");
        log_.frame("<-", "refused write frame", f);
        return;
    }
    log_.frame("<-", "write frame", f);
    const int block = static_cast<int>(address / kBlockSize);
    if (faults_.nakBlocks.contains(block)) {
        send(out, {kNak}, "refusal (nak-block)");
        return;
    }
    // The serial number is factory-set: the radio acknowledges writes to it but keeps it.
    const bool dropped = faults_.dropWrites.contains(block);
    if (dropped) log_.note("write of block " + std::to_string(block) + " dropped (drop-write)");
    for (std::size_t i = 0; i < kBlockSize; ++i)
        if (!dropped && address + i < kSerialAddress) memory_[address + i] = f[4 + i];
    if (address + kBlockSize > kSerialAddress) log_.note("serial number block kept (read-only)");
    send(out, {kAck}, "write answer");
    blockTransferred(block, out);
}

void Radio::readCalibration(const std::vector<std::uint8_t>& f, std::vector<Action>& out) {
    const unsigned address = f[1] << 8 | f[2];
    if (f[3] != kBlockLength || address + kBlockSize > kCalibrationSize) {
        log_.warn("table read for " + hexAddress(address) + " refused (table ends at 0x0410)");
        log_.frame("<-", "refused table read", f);
        return;
    }
    log_.frame("<-", "table read", f);
    std::vector<std::uint8_t> reply =
        faults_.garbage ? garbageBytes() : std::vector<std::uint8_t>();
    reply.insert(reply.end(), {kTableReply, f[1], f[2], kBlockLength});
    reply.insert(reply.end(), calibration_.begin() + address,
                 calibration_.begin() + address + kBlockSize);
    send(out, std::move(reply), "table reply");
    // The table's rows count as blocks for stop-after and hangup-after.
    blockTransferred(static_cast<int>(address / kBlockSize), out);
}

void Radio::writeCalibration(const std::vector<std::uint8_t>& f, std::vector<Action>& out) {
    const unsigned address = f[1] << 8 | f[2];
    if (f[3] != 0x01 || address >= kCalibrationSize) {
        log_.warn("table write for " + hexAddress(address) + " refused (table ends at 0x0410)");
        log_.frame("<-", "refused table write", f);
        return;
    }
    log_.frame("<-", "table write", f);
    if (faults_.nakBlocks.contains(static_cast<int>(address / kBlockSize))) {
        send(out, {kNak}, "refusal (nak-block)");
        return;
    }
    calibration_[address] = f[4];
    send(out, {kAck}, "table write answer");
    out.push_back({Action::Kind::CalibrationChanged, {}, "table changed"});
}

void Radio::blockTransferred(int block, std::vector<Action>& out) {
    if (faults_.stopAfter == block) {
        log_.note("stop-after: silent until the next wake-up");
        state_ = State::Idle;
    }
    if (faults_.hangupAfter == block) out.push_back({Action::Kind::HangUp, {}, "hang-up"});
}

std::vector<std::uint8_t> Radio::identReply() const {
    std::string ident = faults_.wrongIdent ? std::string("XX99") : ident_;
    if (faults_.lowerIdent)
        for (char& c : ident)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto at = [&ident](std::size_t i) { return static_cast<std::uint8_t>(ident.at(i)); };
    return {0x50, at(0), at(1), at(2), at(3), 0x00, band_, 0x00};
}

std::vector<std::uint8_t> Radio::garbageBytes() {
    std::uniform_int_distribution<int> byte(0, 255);
    return {static_cast<std::uint8_t>(byte(random_)), static_cast<std::uint8_t>(byte(random_)),
            static_cast<std::uint8_t>(byte(random_))};
}

} // namespace radiosim
