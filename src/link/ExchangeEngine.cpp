#include "link/ExchangeEngine.h"

#include "core/TAll.h"
#include "link/Framing.h"
#include "settings/Language.h"

#include <utility>

namespace zorva {

ExchangeEngine::ExchangeEngine(LinkContext context)
    : ctx_(std::move(context)),
      gate_(ctx_.timers,
            {[this](const uint8_t* bytes, int count) { Receive(bytes, count); },
             [this] { LineError(); }, [this](LinkTimer timer) { TimerExpired(timer); }}) {}

void ExchangeEngine::FormClose() {
    gate_.Close();
    ctx_.port.Close();
}

void ExchangeEngine::Start() {
    gate_.WhenIdle([this] { BeginAttempt(); });
}

void ExchangeEngine::OnBytes(const uint8_t* bytes, int count) {
    gate_.OnBytes(bytes, count);
}

void ExchangeEngine::OnLineError() {
    gate_.OnLineError();
}

void ExchangeEngine::OnTimer(LinkTimer timer) {
    gate_.OnTimer(timer);
}

void ExchangeEngine::Receive(const uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i)
        if (count_ <= kMaxCount) buffer_[count_++] = bytes[i];
    if (count_ >= expected_ && count_ <= kMaxCount && !halted_) {
        try {
            ExchangeLogic();
        } catch (...) {
            // A reply the logic cannot use ends the handling of this event; the time-outs
            // report the failure.
        }
    }
}

void ExchangeEngine::StartTimer(LinkTimer timer, int ms) {
    ctx_.timers.Start(timer, ms);
}

void ExchangeEngine::StopTimer(LinkTimer timer) {
    gate_.StopTimer(timer);
}

void ExchangeEngine::Pause(int ms, std::function<void()> then) {
    gate_.Pause(ms, std::move(then));
}

void ExchangeEngine::OpenPort(bool closeFirst, std::function<void(bool)> then) {
    if (closeFirst) ctx_.port.Close();
    Pause(kDiscardPauseMs, [this, closeFirst, then = std::move(then)] {
        state_ = ExchangeState::Idle;
        std::string reason;
        bool ok = ctx_.port.Open(ctx_.all.PortName, ctx_.all.BaudRate, reason);
        if (ok && closeFirst) ok = ctx_.port.DiscardBuffers();
        if (!ok && !errorReported_) {
            errorReported_ = true;
            const std::string& text = ctx_.language.PortError;
            ShowInfo(reason.empty() ? text : text + "\n" + reason);
        }
        then(ok);
    });
}

void ExchangeEngine::SendFrame(std::vector<uint8_t> bytes, int expected, bool ack,
                               std::function<void()> then) {
    if (ack && !bytes.empty()) bytes[0] = kAck;
    ackSent_ = ack;
    expected_ = expected;
    count_ = 0;
    Pause(kFrameGapMs, [this, bytes = std::move(bytes), then = std::move(then)] {
        lastWriteOk_ = ctx_.port.Write(bytes.data(), static_cast<int>(bytes.size()));
        if (lastWriteOk_) ctx_.port.WaitDrained(DrainTimeoutMs());
        if (then) then();
    });
}

void ExchangeEngine::SendEnd(int expected, std::function<void()> then) {
    SendFrame({kEndCommand}, expected, false, std::move(then));
}

void ExchangeEngine::SendWakeUp(int suffixNumber, std::function<void()> then) {
    std::vector<uint8_t> frame(kWakeUpLength);
    BuildWakeUp(frame.data(), suffixNumber, ctx_.random);
    SendFrame(std::move(frame), 1, false, std::move(then));
}

void ExchangeEngine::StopExchangeTimers() {
    for (LinkTimer timer :
         {LinkTimer::SecondWakeUp, LinkTimer::HandshakeTimeout, LinkTimer::ReplyTimeout})
        StopTimer(timer);
}

void ExchangeEngine::DiscardAndWakeUp() {
    if (!ctx_.port.IsOpen() || !ctx_.port.DiscardBuffers()) {
        ReportOnce(ctx_.language.PortError);
        return;
    }
    Pause(kDiscardPauseMs, [this] {
        SendWakeUp(1, [this] {
            if (!lastWriteOk_)
                ReportOnce(ctx_.language.PortError);
            else
                StartTimer(LinkTimer::SecondWakeUp, kXTimerMs);
        });
    });
}

void ExchangeEngine::ExchangeLogic() {
    switch (state_) {
    case ExchangeState::WakeUpSent:
        WakeUpReplied();
        break;
    case ExchangeState::IdentRequested:
        if (count_ < kIdentReplyLength) break;
        StopTimer(LinkTimer::HandshakeTimeout);
        IdentReplied(std::string(reinterpret_cast<const char*>(&buffer_[1]), 4));
        break;
    case ExchangeState::IdentBlockSent:
        IdentBlockReplied();
        break;
    case ExchangeState::Blocks:
        BlockStep();
        break;
    case ExchangeState::Idle:
        break;
    }
}

void ExchangeEngine::WakeUpReplied() {
    // Byte 1 counts only when it belongs to this reply (a NAK then an ACK in one event),
    // never when it is left over from an earlier one.
    if (buffer_[0] != kAck && !(count_ >= 2 && buffer_[1] == kAck)) return;
    ackSent_ = false;
    StopTimer(LinkTimer::HandshakeTimeout);
    state_ = ExchangeState::IdentRequested;
    SendFrame({kIdentRequest}, kIdentReplyLength, false,
              [this] { StartTimer(LinkTimer::HandshakeTimeout, kHeadTimeMs); });
}

void ExchangeEngine::SendIdentBlock() {
    state_ = ExchangeState::IdentBlockSent;
    std::vector<uint8_t> block(kIdentBlockLength);
    expectedReply_ = BuildIdentBlock(block.data(), ctx_.all.InstallationId);
    SendFrame(std::move(block), 1, false,
              [this] { StartTimer(LinkTimer::HandshakeTimeout, kHeadTimeMs); });
}

void ExchangeEngine::IdentBlockReplied() {
    StopTimer(LinkTimer::HandshakeTimeout);
    if (buffer_[0] == expectedReply_) {
        block_ = -1;
        state_ = ExchangeState::Blocks;
        SendFrame({kAck}, 1, true, [this] { StartTimer(LinkTimer::ReplyTimeout, kTryTimeMs); });
        return;
    }
    halted_ = true;
    errorReported_ = true;
    SendEnd(0, [this] {
        ShowInfo(ctx_.language.ComError);
        StartTimer(LinkTimer::CloseDelay, kCloseTimeMs);
    });
}

void ExchangeEngine::SecondWakeUp() {
    StopTimer(LinkTimer::SecondWakeUp);
    state_ = ExchangeState::WakeUpSent;
    SendWakeUp(PortNumber(ctx_.all.PortName),
               [this] { StartTimer(LinkTimer::HandshakeTimeout, kHeadTimeMs); });
}

void ExchangeEngine::HeadTimedOut() {
    StopTimer(LinkTimer::HandshakeTimeout);
    state_ = ExchangeState::Idle;
    if (errorReported_) return;
    Pause(kTimeoutPauseMs, [this] {
        ReportOnce(ctx_.language.ComError);
        StartTimer(LinkTimer::CloseDelay, kCloseTimeMs);
    });
}

void ExchangeEngine::TimerExpired(LinkTimer timer) {
    switch (timer) {
    case LinkTimer::SecondWakeUp:
        SecondWakeUp();
        break;
    case LinkTimer::HandshakeTimeout:
        HeadTimedOut();
        break;
    case LinkTimer::ReplyTimeout:
        TryTimedOut();
        break;
    case LinkTimer::CloseDelay:
        CloseTimedOut();
        break;
    default:
        break;
    }
}

void ExchangeEngine::TryTimedOut() {
    StopTimer(LinkTimer::ReplyTimeout);
    state_ = ExchangeState::Idle;
    if (errorReported_) return;
    if (OkBackOnTimeout()) ctx_.user.SetOkEnabled(true);
    ReportOnce(ctx_.language.ComError);
    StartTimer(LinkTimer::CloseDelay, kCloseTimeMs);
}

void ExchangeEngine::CloseTimedOut() {
    StopTimer(LinkTimer::CloseDelay);
    ctx_.user.CloseWindow();
}

void ExchangeEngine::ReportOnce(const std::string& text) {
    if (errorReported_) return;
    errorReported_ = true;
    ShowInfo(text);
}

void ExchangeEngine::ShowInfo(const std::string& text) {
    ctx_.user.ShowMsg(ctx_.language.Confirmation, text, kMsgInfo);
}

} // namespace zorva
