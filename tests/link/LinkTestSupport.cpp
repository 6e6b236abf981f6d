#include "link/LinkTestSupport.h"

#include "link/Framing.h"

#include <algorithm>
#include <cstring>

namespace zorva::test {

std::vector<Bytes> FakeRadio::Answer(const Bytes& frame) {
    if (silent || frame.empty()) return {};
    const auto block = [&](int address) { return address / 16; };
    if (frame.size() == kWakeUpLength && std::memcmp(frame.data(), "PROGRAM", 7) == 0) {
        ended = false;
        lastBlock = -1;
        return {wakeUpReply};
    }
    if (silentAfterWakeUp) return {};
    if (frame.size() == 4 && frame[0] == 0x53 && frame[3] == 0x10) {
        const int address = frame[1] * 256 + frame[2];
        if (address + 16 > kCalibrationSize) return {};
        if (++tableReads == dropTableRead) return {};
        Bytes reply{tableReplyFirst.value_or(0x58), frame[1], frame[2], 0x10};
        reply.insert(reply.end(), calibration.begin() + address,
                     calibration.begin() + address + 16);
        return {reply};
    }
    if (frame.size() == 5 && frame[0] == 0x58 && frame[3] == 0x01) {
        const int address = frame[1] * 256 + frame[2];
        if (nakTableWrite || address >= kCalibrationSize) return {{0x15}};
        calibration[address] = frame[4];
        return {{kAck}};
    }
    if (stopAfterBlock && lastBlock >= *stopAfterBlock) return {};
    if (frame.size() == 1 && frame[0] == kIdentRequest) {
        Bytes reply{'P', 0, 0, 0, 0, 0, bandByte, 0};
        std::memcpy(&reply[1], ident.data(), 4);
        return {reply};
    }
    if (frame.size() == kIdentBlockLength) {
        uint8_t expected[kIdentBlockLength];
        uint8_t answer = BuildIdentBlock(expected, installationId);
        if (wrongAnswer || std::memcmp(expected, frame.data(), kIdentBlockLength) != 0) ++answer;
        return {{answer}};
    }
    if (frame.size() == 1 && frame[0] == kAck) {
        if (nakBlock && lastBlock == *nakBlock) return {{0x15}};
        return {{kAck}};
    }
    if (frame.size() == 4 && frame[0] == kReadCommand) {
        const int address = frame[1] * 256 + frame[2];
        lastBlock = block(address);
        Bytes reply{kWriteCommand, frame[1], frame[2], 0x10};
        reply.insert(reply.end(), memory.begin() + address, memory.begin() + address + 16);
        return {reply};
    }
    if (frame.size() == kWriteFrameLength && frame[0] == kWriteCommand) {
        const int address = frame[1] * 256 + frame[2];
        lastBlock = block(address);
        if (nakBlock && lastBlock == *nakBlock) return {{0x15}};
        std::copy(frame.begin() + 4, frame.end(), memory.begin() + address);
        return {{kAck}};
    }
    if (frame.size() == 1 && frame[0] == kEndCommand) ended = true;
    return {};
}

VirtualLink::VirtualLink() {
    radio.memory.fill(0xFF);
}

bool VirtualLink::Open(const std::string& portName, int, std::string& error) {
    openedName = portName;
    if (!openSucceeds) {
        error = "No such device";
        return false;
    }
    open = true;
    return true;
}

bool VirtualLink::Write(const uint8_t* bytes, int count) {
    if (!open) return false;
    Bytes frame(bytes, bytes + count);
    written.emplace_back(now, frame);
    for (Bytes& reply : radio.Answer(frame))
        Deliver(std::move(reply), radio.replyDelayMs);
    return true;
}

void VirtualLink::Deliver(Bytes bytes, int delayMs) {
    const size_t piece = radio.splitInto ? radio.splitInto : bytes.size();
    int64_t at = now + delayMs;
    for (size_t from = 0; from < bytes.size(); from += piece, ++at) {
        Bytes part(bytes.begin() + static_cast<long>(from),
                   bytes.begin() + static_cast<long>(std::min(bytes.size(), from + piece)));
        const auto later = std::upper_bound(arrivals.begin(), arrivals.end(), at,
                                            [](int64_t t, const auto& a) { return t < a.first; });
        arrivals.insert(later, {at, std::move(part)});
    }
}

int VirtualLink::ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) {
    messages.push_back({caption, text, kind});
    if (kind == kMsgRetryCancel && answers.empty()) return kResultCancel;
    if ((kind != kMsgYesNo && kind != kMsgRetryCancel) || answers.empty())
        return kind == kMsgYesNo ? kResultNo : kResultOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void VirtualLink::SetProgress(int value, int maximum) {
    progress = value;
    progressMax = maximum;
    ++progressCalls;
}

void VirtualLink::CloseWindow() {
    closedByItself = true;
    closedAt = now;
    EngineFormClose();
}

LinkContext VirtualLink::Context(Maindb& db) {
    radio.installationId = db.All.InstallationId;
    return LinkContext{db.All, db.MacList, db.Language, *this, *this, *this, [] { return 2; }};
}

void VirtualLink::Run(int ms) {
    const int64_t end = now + ms;
    while (!EngineClosed()) {
        // The earliest of: a timer, an arrival, a line error.
        int64_t next = end + 1;
        std::optional<LinkTimer> timer;
        for (const auto& [t, at] : due)
            if (at < next) {
                next = at;
                timer = t;
            }
        const bool arrival = !arrivals.empty() && arrivals.front().first <= next;
        if (arrival) next = arrivals.front().first, timer.reset();
        const auto lineError = std::min_element(lineErrors.begin(), lineErrors.end());
        const bool error = lineError != lineErrors.end() && *lineError < next;
        if (error) next = *lineError, timer.reset();
        if (next > end) break;
        now = std::max(now, next);
        if (error) {
            lineErrors.erase(lineError);
            EngineLineError();
        } else if (arrival) {
            Bytes bytes = std::move(arrivals.front().second);
            arrivals.pop_front();
            EngineBytes(bytes);
        } else if (timer) {
            due.erase(*timer);
            EngineTimer(*timer);
        }
        if (onTick) onTick(now);
    }
}

std::vector<Bytes> VirtualLink::FramesStartingWith(uint8_t first) const {
    std::vector<Bytes> frames;
    for (const auto& [at, frame] : written)
        if (!frame.empty() && frame[0] == first) frames.push_back(frame);
    return frames;
}

std::vector<Bytes> VirtualLink::Frames() const {
    std::vector<Bytes> frames;
    for (const auto& [at, frame] : written)
        frames.push_back(frame);
    return frames;
}

void VirtualLink::EngineBytes(const Bytes& bytes) {
    engine->OnBytes(bytes.data(), static_cast<int>(bytes.size()));
}

PowerTestContext PowerLink::PowerContext(Maindb& db) {
    return PowerTestContext{db.All, db.Language, *this, *this, *this, [] { return 2; }};
}

void PowerLink::EngineBytes(const Bytes& bytes) {
    power->OnBytes(bytes.data(), static_cast<int>(bytes.size()));
}

std::string Hex(const Bytes& bytes) {
    return HexBytes(bytes.data(), static_cast<int>(bytes.size()));
}

} // namespace zorva::test
