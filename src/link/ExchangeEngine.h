// What reading and writing the radio share: the port opening, the send routine, the
// reception of replies, the timers and the pauses. An engine is a state machine driven by
// its window: OnBytes for received bytes, OnLineError, OnTimer, Start (Ok) and Cancel.
//
// Pauses do not block: the PauseGate holds back what arrives during one; Cancel is honoured
// at once.
#pragma once

#include "link/LinkPorts.h"
#include "link/PauseGate.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zorva {

class TALL;
class TMacList;
class TLanguage;

inline constexpr int kXTimerMs = 200;
inline constexpr int kHeadTimeMs = 1500;
inline constexpr int kTryTimeMs = 1500;
inline constexpr int kReTimeMs = 500;
inline constexpr int kCloseTimeMs = 300;
inline constexpr int kFrameGapMs = 20;
inline constexpr int kStartPauseMs = 450;
inline constexpr int kDiscardPauseMs = 50;
inline constexpr int kTimeoutPauseMs = 2500;
// After a write's end command the radio leaves programming mode; a session that follows at
// once (a read-back) waits this long before it starts.
inline constexpr int kAfterWritePauseMs = 1000;

struct LinkContext {
    TALL& all;
    const TMacList& macList;
    const TLanguage& language;
    SerialPort& port;
    LinkTimers& timers;
    LinkUser& user;
    // 0..4 for the random wake-up suffix of port numbers above 9.
    std::function<int()> random;
};

// What the reply being awaited answers.
enum class ExchangeState {
    Idle,           // no exchange running: bytes are not replies
    WakeUpSent,     // the second wake-up waits for its acknowledgement
    IdentRequested, // the ident request waits for the model ident
    IdentBlockSent, // the identification block waits for the radio's answer
    Blocks,         // memory blocks are read or written
};

class ExchangeEngine {
public:
    explicit ExchangeEngine(LinkContext context);
    virtual ~ExchangeEngine() = default;
    ExchangeEngine(const ExchangeEngine&) = delete;
    ExchangeEngine& operator=(const ExchangeEngine&) = delete;

    // The window is shown: opens the port; on failure the window closes itself.
    virtual void FormShow() = 0;
    // The user pressed Ok: a new attempt (after a pause that is running, if any).
    void Start();
    // The window closes (Cancel, or by itself): the port is closed, nothing more happens.
    void FormClose();

    void OnBytes(const uint8_t* bytes, int count);
    void OnLineError();
    void OnTimer(LinkTimer timer);

    bool Closed() const { return gate_.Closed(); }
    ExchangeState State() const { return state_; }

protected:
    static constexpr int kBufferSize = 51;
    static constexpr int kMaxCount = 48; // replies longer than 49 bytes are dropped

    // Opens the port as the reading (closeFirst) or writing variant does; shows PortError
    // once per attempt on failure.
    void OpenPort(bool closeFirst, std::function<void(bool)> then);
    // Sends `bytes` (an acknowledgement replaces the first byte by 0x06), expects a reply of
    // `expected` bytes, and goes on with `then` once the frame has left.
    void SendFrame(std::vector<uint8_t> bytes, int expected, bool ack,
                   std::function<void()> then = {});
    void SendEnd(int expected, std::function<void()> then = {});
    void SendWakeUp(int suffixNumber, std::function<void()> then);
    void StartTimer(LinkTimer timer, int ms);
    // Stops the timer and forgets an expiry of it that waits behind a pause.
    void StopTimer(LinkTimer timer);
    void Pause(int ms, std::function<void()> then);
    // The steps both exchanges share.
    // Stops the time-outs a broken attempt may have left running, so they cannot end the
    // new one.
    void StopExchangeTimers();
    // Discards the buffers, then the first wake-up 50 ms later and xTimer after it.
    void DiscardAndWakeUp();
    // WakeUpSent: an acknowledgement to the wake-up asks for the ident.
    void WakeUpReplied();
    // Sends the identification block and waits for the radio's answer (IdentBlockSent).
    void SendIdentBlock();
    // IdentBlockSent: the radio's answer to the identification block.
    void IdentBlockReplied();
    // xTimer, HeadTime and CloseTime expiring.
    void SecondWakeUp();
    void HeadTimedOut();
    void TryTimedOut();
    void CloseTimedOut();
    // Shows a failure with the Confirmation caption and marks the error reported.
    void ReportOnce(const std::string& text);
    void ShowInfo(const std::string& text);

    virtual void BeginAttempt() = 0;
    // How long a frame may take to leave before the exchange goes on anyway.
    virtual int DrainTimeoutMs() const = 0;
    // Hands a reply to the step its state waits for.
    void ExchangeLogic();
    // The radio named its model (IdentRequested): go on, ask, or refuse.
    virtual void IdentReplied(const std::string& ident) = 0;
    // A reply while blocks are transferred.
    virtual void BlockStep() = 0;
    // xTimer, HeadTime, TryTime and CloseTime as both exchanges handle them; reading adds
    // ReTime.
    virtual void TimerExpired(LinkTimer timer);
    // Whether a transfer time-out gives the user Ok back (writing does, reading does not).
    virtual bool OkBackOnTimeout() const = 0;
    virtual void LineError() = 0;

    LinkContext ctx_;
    std::array<uint8_t, kBufferSize> buffer_{};
    int count_ = 0;
    int expected_ = 0;
    bool ackSent_ = false;
    ExchangeState state_ = ExchangeState::Idle;
    bool errorReported_ = false;
    // The attempt ended with the end command after a refusal: later bytes are not replies.
    bool halted_ = false;
    // Whether the last frame was written.
    bool lastWriteOk_ = true;
    int progress_ = 0;
    int block_ = -1;
    uint8_t expectedReply_ = 0;

private:
    void Receive(const uint8_t* bytes, int count);

    PauseGate gate_;
};

} // namespace zorva
