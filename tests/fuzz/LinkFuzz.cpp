// The read, write and power-test engines against the fake radio, whose replies the input
// splits, drops, delays, corrupts, pads and repeats, with line errors, Cancel and the user's
// Retry/Cancel answers and new attempts interleaved on the virtual clock. Never a crash; a
// read completes only with the radio's memory and otherwise leaves the image untouched; a
// write sends no block before the identification of its attempt.
#include "TestSupport.h"
#include "core/MacType.h"
#include "fuzz/FuzzSupport.h"
#include "link/Framing.h"
#include "link/LinkTestSupport.h"
#include "link/PowerTestEngine.h"
#include "link/ReadEngine.h"
#include "link/WriteEngine.h"

#include <algorithm>
#include <cstring>

namespace zorva {
namespace {

using test::Bytes;

// What the input does to the replies and to the user's side.
template <typename Link>
class HostileLink : public Link {
public:
    explicit HostileLink(fuzz::FuzzInput& in) : in_(in) {
        this->onTick = [this](int64_t now) {
            if (cancelAt_ >= 0 && now >= cancelAt_) {
                cancelAt_ = -1;
                this->EngineFormClose();
            }
        };
    }

    bool Write(const uint8_t* bytes, int count) override {
        if (!this->open) return false;
        Bytes frame(bytes, bytes + count);
        this->written.emplace_back(this->now, frame);
        for (Bytes& reply : this->radio.Answer(frame))
            Disturb(std::move(reply));
        Interleave();
        return true;
    }

    // A byte the engine cannot check was changed or added: what it got may then differ from
    // the radio's memory without a fault.
    bool dataCorrupted = false;

private:
    // Delivers as a serial line does: whatever the delay, bytes come in the order the radio
    // sent them, so a late reply holds back every later one instead of running into it.
    void Send(Bytes bytes, int64_t delayMs) {
        const int64_t at = std::max(this->now + delayMs, lastArrival_);
        lastArrival_ = at;
        this->Deliver(std::move(bytes), static_cast<int>(at - this->now));
    }

    void Disturb(Bytes reply) {
        const int delay = this->radio.replyDelayMs;
        switch (in_.Pick(16)) {
        case 1: // lost
            return;
        case 2: { // in pieces, one every millisecond
            const size_t piece = 1 + in_.Pick(8);
            int64_t at = delay;
            for (size_t from = 0; from < reply.size(); from += piece, ++at)
                Send(Bytes(reply.begin() + static_cast<long>(from),
                           reply.begin() + static_cast<long>(std::min(reply.size(), from + piece))),
                     static_cast<int>(at));
            return;
        }
        case 3: { // a byte changed
            const size_t at = in_.Byte() % reply.size();
            reply[at] ^= static_cast<uint8_t>(1 + in_.Pick(255));
            // Only the framing of a block reply (command, address, length) can tell.
            if (reply.size() != kReadReplyLength || at >= 4) dataCorrupted = true;
            break;
        }
        case 4: // bytes added
            for (int n = 1 + in_.Pick(24); n > 0; --n)
                reply.push_back(in_.Byte());
            dataCorrupted = true;
            break;
        case 5: // late, past the time-outs
            Send(std::move(reply), delay + 40 * in_.Byte());
            return;
        case 6: // twice
            Send(reply, delay);
            break;
        case 7: // cut short: the rest of the block may come from a later reply, with its
                // framing in place; without a checksum nothing can tell
            reply.resize(in_.Byte() % reply.size());
            dataCorrupted = true;
            break;
        default:
            break;
        }
        Send(std::move(reply), delay);
    }

    void Interleave() {
        switch (in_.Pick(24)) {
        case 1:
            this->InjectLineError(in_.Byte());
            break;
        case 2:
            if (cancelAt_ < 0) cancelAt_ = this->now + 10 * in_.Byte();
            break;
        case 3:
            this->answers.push_back(kResultRetry);
            break;
        case 4:
            this->answers.push_back(kResultCancel);
            break;
        case 5:
            this->answers.push_back(kResultYes);
            break;
        default:
            break;
        }
    }

    fuzz::FuzzInput& in_;
    int64_t cancelAt_ = -1;
    int64_t lastArrival_ = 0;
};

void FillRadio(test::FakeRadio& radio, fuzz::FuzzInput& in) {
    for (int i = 0; i < kRadioBytes; ++i)
        radio.memory[i] = static_cast<uint8_t>(i * 7 + 3);
    std::memcpy(&radio.memory[0x11F9], "KQ57", 4);
    static const char* const idents[] = {"KQ57", "KQ58", "KQ60", "\xFF\xFF\xFF\xFF"};
    radio.ident = idents[in.Pick(4)];
    radio.bandByte = in.Byte();
    radio.wrongAnswer = in.Pick(8) == 1;
}

std::unique_ptr<Maindb> MakeDb() {
    auto db = test::MakeStartedDb();
    db->All.PortName = "COM3";
    db->MacList.Add(std::make_unique<TMacType>("KQ58", "Other", 128));
    db->MacList.Add(std::make_unique<TMacType>("KQ60", "Small", 64));
    return db;
}

// The user presses Ok again after a failure, a few times at most, then closes the window.
template <typename Link, typename Engine>
void Attempts(Link& link, Engine& engine, fuzz::FuzzInput& in) {
    engine.FormShow();
    link.Run(100);
    for (int attempt = 0; attempt < 4 && !engine.Closed(); ++attempt) {
        engine.Start();
        link.Run(20000 + 100 * in.Byte());
        if (in.Pick(2) == 1) break;
    }
    if (!engine.Closed()) engine.FormClose();
}

// The image a clean read of the same radio gives.
std::array<uint8_t, kImageSize> CleanRead(const TALL& start, const test::FakeRadio& radio) {
    auto db = MakeDb();
    db->All = start;
    test::VirtualLink link;
    ReadEngine engine(link.Context(*db));
    link.engine = &engine;
    const std::string id = link.radio.installationId;
    link.radio = radio;
    link.radio.installationId = id;
    link.radio.wrongAnswer = false;
    engine.FormShow();
    link.Run(100);
    engine.Start();
    link.Run();
    FUZZ_CHECK(engine.ReadCompleted(), "a clean read failed");
    return db->All.Image;
}

void Read(fuzz::FuzzInput& in) {
    auto db = MakeDb();
    HostileLink<test::VirtualLink> link(in);
    ReadEngine engine(link.Context(*db));
    link.engine = &engine;
    FillRadio(link.radio, in);
    const TALL start = db->All;
    const auto& before = start.Image;
    const bool modifiedBefore = start.Modified;
    Attempts(link, engine, in);

    if (!engine.ReadCompleted()) {
        FUZZ_CHECK(db->All.Image == before, "an incomplete read changed the image");
        FUZZ_CHECK(db->All.Modified == modifiedBefore, "an incomplete read set Modified");
        return;
    }
    if (link.dataCorrupted) return;
    FUZZ_CHECK(!link.radio.wrongAnswer, "a read completed after a wrong identification answer");
    const auto& blocks = engine.Blocks();
    FUZZ_CHECK(blocks.size() == static_cast<size_t>(kRadioBytes), std::to_string(blocks.size()));
    const auto differs = std::mismatch(blocks.begin(), blocks.end(), link.radio.memory.begin());
    FUZZ_CHECK(differs.first == blocks.end(),
               "a completed read holds other bytes than the radio's from address " +
                   std::to_string(differs.first - blocks.begin()));
    FUZZ_CHECK(db->All.Image == CleanRead(start, link.radio),
               "a completed read gave another image than an undisturbed one");
}

void Write(fuzz::FuzzInput& in) {
    auto db = MakeDb();
    HostileLink<test::VirtualLink> link(in);
    WriteEngine engine(link.Context(*db), [] { return std::string("2026-12-09 10:11:12"); });
    link.engine = &engine;
    FillRadio(link.radio, in);
    Attempts(link, engine, in);

    // Every block frame follows an identification block sent after the last wake-up.
    bool identified = false;
    for (const auto& [at, frame] : link.written) {
        if (frame.size() == kWakeUpLength && std::memcmp(frame.data(), "PROGRAM", 7) == 0)
            identified = false;
        else if (frame.size() == kIdentBlockLength)
            identified = true;
        else if (frame.size() == kWriteFrameLength && frame[0] == kWriteCommand)
            FUZZ_CHECK(identified, "a block at " + std::to_string(at) + " before identification");
    }
}

void PowerTest(fuzz::FuzzInput& in) {
    auto db = MakeDb();
    HostileLink<test::PowerLink> link(in);
    PowerTestEngine engine(link.PowerContext(*db));
    link.power = &engine;
    for (int i = 0; i < kCalibrationSize; ++i)
        link.radio.calibration[i] = static_cast<uint8_t>(i * 13 + 1);
    engine.Online();
    link.Run(5000 + 100 * in.Byte());
    if (engine.TableValid() && !link.dataCorrupted)
        FUZZ_CHECK(engine.Table() == link.radio.calibration, "the table read is not the radio's");
    for (int n = in.Pick(4); n > 0 && !engine.Closed(); --n) {
        const int subRange = in.Pick(65);
        const int tag = in.Pick(2) ? kHighPowerOffset : kLowPowerOffset;
        engine.SetPower(subRange, tag, in.Byte());
        link.Run(3000 + 100 * in.Byte());
        if (in.Pick(4) == 1) engine.Online(), link.Run(5000);
    }
    if (!engine.Closed()) {
        engine.CloseRequested();
        link.Run(5000);
    }
    if (!engine.Closed()) engine.FormClose();
}

} // namespace
} // namespace zorva

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorva;
    fuzz::FuzzInput in(data, size);
    switch (in.Pick(3)) {
    case 0:
        Read(in);
        break;
    case 1:
        Write(in);
        break;
    default:
        PowerTest(in);
        break;
    }
    return 0;
}
