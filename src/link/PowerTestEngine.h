// The power test's exchanges with the radio, which keeps a calibration table beside its
// memory (CalibrationTable.h). The engine runs short command queues entry by entry: Online
// (wake-up, the 65 table reads, end), Set power (wake-up, one value, end) and Close (wake-up,
// end). No Qt: the window gives it a port, timers and itself.
#pragma once

#include "link/CalibrationTable.h"
#include "link/LinkPorts.h"
#include "link/PauseGate.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zorva {

class TALL;
class TLanguage;

// Above 9: the power test's wake-up ends in a random letter, "e" to "i".
inline constexpr int kPowerWakeUpSuffix = 97;
inline constexpr int kPowerOpenPauseMs = 200;
inline constexpr int kPowerTryMs = 1500;
inline constexpr int kPowerYesMs = 500;
inline constexpr int kPowerErrsMs = 300;
inline constexpr int kPowerCloseMs = 500;

enum class PowerSequence { None, Online, SetPower, Close };

// The window the power test runs in.
class PowerTestUser : public UserMessages {
public:
    // Status panel 0: " COM: " and the Open or Close text.
    virtual void PortStateChanged(bool open) = 0;
    virtual void SetProgress(int value, int maximum) = 0;
    virtual void ShowProgress(bool visible) = 0;
    // The panel holding every control: disabled while a queue runs.
    virtual void SetPanelEnabled(bool enabled) = 0;
    // A queue has run to its end (Yes_Timer). After Online the table is the radio's: the
    // window marks it and enables the range list, sliders and edits.
    virtual void SequenceCompleted(PowerSequence sequence) = 0;
    // Close_Timer: the window closes.
    virtual void CloseWindow() = 0;
};

struct PowerTestContext {
    const TALL& all; // PortName, BaudRate
    const TLanguage& language;
    SerialPort& port;
    LinkTimers& timers;
    PowerTestUser& user;
    // 0..4: the random wake-up suffix ("e".."i").
    std::function<int()> random;
};

class PowerTestEngine {
public:
    explicit PowerTestEngine(PowerTestContext context);
    PowerTestEngine(const PowerTestEngine&) = delete;
    PowerTestEngine& operator=(const PowerTestEngine&) = delete;

    // Opens the port (PortError on failure, and `then(false)`), pauses 200 ms, then
    // `then(true)`.
    void OpenPort(std::function<void(bool opened)> then);
    // "Online": opens the port and reads the whole table.
    void Online();
    // Stores `value` at CalibrationAddress(subRange, tag) and runs Set power; nothing is sent
    // while the port is closed or a queue runs.
    void SetPower(int subRange, int tag, uint8_t value);
    // "Close": the Close sequence when the port is open; the window closes 500 ms later.
    void CloseRequested();
    // The window closes: the port is closed and nothing more happens.
    void FormClose();

    void OnBytes(const uint8_t* bytes, int count);
    void OnTimer(LinkTimer timer);

    const CalibrationTable& Table() const { return table_; }
    bool PortOpen() const;
    // A queue is running (from its start until Yes_Timer or Cancel).
    bool Running() const { return running_; }
    // An Online sequence has completed since the port was last closed.
    bool TableValid() const { return tableValid_; }
    // FormClose has run.
    bool Closed() const { return gate_.Closed(); }

private:
    enum class ReplyKind { Acknowledge, TableBlock, ReplyByte, None };
    struct Entry {
        std::array<uint8_t, 20> frame{}; // room for any frame of a queue
        int sendLength = 0;
        int replyLength = 0;
        uint8_t replyByte = 0; // for a table read: the block asked for next
        uint8_t lastBlock = 0;
        ReplyKind kind = ReplyKind::None;
    };
    // The reply buffer keeps at most 79 bytes; a reply is examined at up to 78.
    static constexpr int kBufferSize = 79;
    static constexpr int kMaxExamined = 78;
    // A frame may take 50 polls of 20 ms, a second, to leave before the queue goes on.
    static constexpr int kDrainPolls = 50;
    static constexpr int kDrainPollMs = 20;

    void Build(PowerSequence sequence, const Entry* middle);
    void RunQueue();
    void SendCurrent();
    // The frame has left: wait for its reply (advancing the progress unless it is the
    // first of a run), or, after the end command, for Yes_Timer.
    void Sent(bool advance);
    void Receive(const uint8_t* bytes, int count);
    void Examine();
    void Accepted(bool nextEntry);
    void TimerExpired(LinkTimer timer);
    void TryTimedOut();
    void Completed();
    void ErrsExpired();

    PowerTestContext ctx_;
    CalibrationTable table_{};
    PowerSequence sequence_ = PowerSequence::None;
    bool running_ = false;
    bool tableValid_ = false;
    // Cancel was answered; Errs_Timer closes the port.
    bool closing_ = false;
    std::vector<Entry> queue_;
    int current_ = 0;
    int progress_ = 0;
    int progressMax_ = 0;
    std::array<uint8_t, kBufferSize> buffer_{};
    int count_ = 0;
    int replyLength_ = 0;
    // The current entry has left and its reply may be examined.
    bool awaiting_ = false;
    // Every request of the window waits for the pause that is running (gate_.WhenIdle).
    PauseGate gate_;
};

} // namespace zorva
