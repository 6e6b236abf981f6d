// A fake port, timers on a virtual clock, a window that records what it is told, and a
// small in-process radio, so an engine runs a whole read or write in milliseconds.
#pragma once

#include "TestSupport.h"
#include "link/ExchangeEngine.h"
#include "link/PowerTestEngine.h"

#include <array>
#include <deque>
#include <map>
#include <optional>
#include <vector>

namespace zorva::test {

using Bytes = std::vector<uint8_t>;

// The radio's side, as far as engine tests need it.
struct FakeRadio {
    std::array<uint8_t, kRadioBytes> memory{};
    std::string ident = "KQ57";
    uint8_t bandByte = 0x15;
    std::string installationId; // to know the answer it owes
    int replyDelayMs = 2;
    size_t splitInto = 0; // deliver every reply in pieces of this size
    bool silent = false;
    bool wrongAnswer = false;
    std::optional<int> nakBlock; // answer 0x15 instead of 0x06 for this block
    std::optional<int> stopAfterBlock;
    Bytes wakeUpReply{0x06};
    int lastBlock = -1;
    bool ended = false;
    // The power test's calibration table and how the radio treats its frames.
    CalibrationTable calibration{};
    std::optional<uint8_t> tableReplyFirst; // a table reply starting with this byte
    bool nakTableWrite = false;
    bool silentAfterWakeUp = false; // answers the wake-up only
    int tableReads = 0;
    std::optional<int> dropTableRead; // leave this table read (1, 2, ...) unanswered

    // The replies to one frame the program wrote.
    std::vector<Bytes> Answer(const Bytes& frame);
};

class VirtualLink : public SerialPort, public LinkTimers, public LinkUser {
public:
    VirtualLink();

    // SerialPort
    bool Open(const std::string& portName, int baudRate, std::string& error) override;
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    bool DiscardBuffers() override { return open; }
    bool Write(const uint8_t* bytes, int count) override;
    bool WaitDrained(int) override { return open; }
    // LinkTimers
    void Start(LinkTimer timer, int ms) override { due[timer] = now + ms; }
    void Stop(LinkTimer timer) override { due.erase(timer); }
    // LinkUser
    int ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) override;
    void SetProgress(int value, int maximum) override;
    void SetOkEnabled(bool enabled) override { okEnabled = enabled; }
    void CloseWindow() override;

    LinkContext Context(Maindb& db);
    // Runs the clock until nothing is scheduled, the window closed, or `ms` passed.
    void Run(int ms = 60000);
    // Bytes arrive from the radio after `delayMs`.
    void Deliver(Bytes bytes, int delayMs);
    void InjectLineError(int delayMs) { lineErrors.push_back(now + delayMs); }

    std::vector<Bytes> FramesStartingWith(uint8_t first) const;
    // Every frame written, in order.
    std::vector<Bytes> Frames() const;

    ExchangeEngine* engine = nullptr;
    FakeRadio radio;
    int64_t now = 0;
    bool open = false;
    bool openSucceeds = true;
    std::string openedName;
    std::map<LinkTimer, int64_t> due;
    std::deque<std::pair<int64_t, Bytes>> arrivals;
    std::vector<int64_t> lineErrors;
    std::vector<std::pair<int64_t, Bytes>> written;
    std::vector<RecordedMessage> messages;
    std::deque<int> answers;
    int progress = 0, progressMax = 0, progressCalls = 0;
    bool okEnabled = true;
    bool closedByItself = false;
    int64_t closedAt = -1;
    std::function<void(int64_t now)> onTick; // called after every event, for mid-run actions

protected:
    // The engine the clock drives.
    virtual bool EngineClosed() const { return engine->Closed(); }
    virtual void EngineBytes(const Bytes& bytes);
    virtual void EngineLineError() { engine->OnLineError(); }
    virtual void EngineTimer(LinkTimer timer) { engine->OnTimer(timer); }
    virtual void EngineFormClose() { engine->FormClose(); }
};

// The power test window's side: what the engine told it last.
class PowerLink : public VirtualLink, public PowerTestUser {
public:
    PowerTestContext PowerContext(Maindb& db);

    int ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) override {
        return VirtualLink::ShowMsg(caption, text, kind);
    }
    void SetProgress(int value, int maximum) override { VirtualLink::SetProgress(value, maximum); }
    void CloseWindow() override { VirtualLink::CloseWindow(); }
    void PortStateChanged(bool isOpen) override { portStates.push_back(isOpen); }
    void ShowProgress(bool visible) override { progressVisible = visible; }
    void SetPanelEnabled(bool enabled) override { panelEnabled = enabled; }
    void SequenceCompleted(PowerSequence sequence) override {
        completed.emplace_back(now, sequence);
    }

    PowerTestEngine* power = nullptr;
    std::vector<bool> portStates;
    bool progressVisible = false;
    bool panelEnabled = true;
    std::vector<std::pair<int64_t, PowerSequence>> completed;

protected:
    bool EngineClosed() const override { return power->Closed(); }
    void EngineBytes(const Bytes& bytes) override;
    void EngineLineError() override {}
    void EngineTimer(LinkTimer timer) override { power->OnTimer(timer); }
    void EngineFormClose() override { power->FormClose(); }
};

std::string Hex(const Bytes& bytes);

} // namespace zorva::test
