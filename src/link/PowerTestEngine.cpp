#include "link/PowerTestEngine.h"

#include "core/TAll.h"
#include "link/Framing.h"
#include "settings/Language.h"

#include <algorithm>
#include <utility>

namespace zorva {

namespace {

// Online sends its table read once a block: 64 times more than the queue counts it.
constexpr int kOnlineExtraProgress = kCalibrationLastBlock;
// The pause after every frame has left.
constexpr int kGapMs = 20;

} // namespace

PowerTestEngine::PowerTestEngine(PowerTestContext context)
    : ctx_(std::move(context)),
      gate_(ctx_.timers, {[this](const uint8_t* bytes, int count) { Receive(bytes, count); },
                          {},
                          [this](LinkTimer timer) { TimerExpired(timer); }}) {}

bool PowerTestEngine::PortOpen() const {
    return ctx_.port.IsOpen();
}

// ---- What the window asks for ----------------------------------------------------------

void PowerTestEngine::OpenPort(std::function<void(bool opened)> then) {
    gate_.WhenIdle([this, then = std::move(then)] {
        count_ = 0;
        queue_.clear();
        // A port that is already open (a second Online) stays open as it is.
        if (ctx_.port.IsOpen()) {
            then(true);
            return;
        }
        std::string reason;
        if (!ctx_.port.Open(ctx_.all.PortName, ctx_.all.BaudRate, reason)) {
            const std::string& text = ctx_.language.PortError;
            ctx_.user.ShowMsg(ctx_.language.Confirmation,
                              reason.empty() ? text : text + "\n" + reason, kMsgInfo);
            then(false);
            return;
        }
        ctx_.user.PortStateChanged(true);
        gate_.Pause(kPowerOpenPauseMs, [then] { then(true); });
    });
}

void PowerTestEngine::Online() {
    gate_.WhenIdle([this] {
        if (running_ || closing_) return;
        OpenPort([this](bool opened) {
            if (!opened || running_ || closing_) return;
            Entry read;
            const auto frame = TableReadFrame(0);
            std::copy(frame.begin(), frame.end(), read.frame.begin());
            read.sendLength = kTableReadLength;
            read.replyLength = kTableReplyLength;
            read.replyByte = 0;
            read.lastBlock = kCalibrationLastBlock;
            read.kind = ReplyKind::TableBlock;
            // The table is being replaced; until the last block has come it is nobody's.
            tableValid_ = false;
            Build(PowerSequence::Online, &read);
            RunQueue();
        });
    });
}

void PowerTestEngine::SetPower(int subRange, int tag, uint8_t value) {
    gate_.WhenIdle([this, subRange, tag, value] {
        if (!CalibrationAddressValid(subRange, tag)) return;
        const int address = CalibrationAddress(subRange, tag);
        table_[address] = value;
        if (!ctx_.port.IsOpen() || running_ || closing_) return;
        Entry set;
        const auto frame = TableWriteFrame(address, value);
        std::copy(frame.begin(), frame.end(), set.frame.begin());
        set.sendLength = kTableWriteLength;
        set.replyLength = 1;
        set.replyByte = kAck;
        set.kind = ReplyKind::ReplyByte;
        Build(PowerSequence::SetPower, &set);
        RunQueue();
    });
}

void PowerTestEngine::CloseRequested() {
    gate_.WhenIdle([this] {
        ctx_.user.SetPanelEnabled(false);
        if (ctx_.port.IsOpen() && !running_ && !closing_) {
            Build(PowerSequence::Close, nullptr);
            RunQueue();
        }
        ctx_.timers.Start(LinkTimer::CloseDelay, kPowerCloseMs);
    });
}

void PowerTestEngine::FormClose() {
    gate_.Close();
    ctx_.port.Close();
    running_ = false;
    closing_ = false;
    awaiting_ = false;
    tableValid_ = false;
}

// ---- Queues -----------------------------------------------------------------------------

void PowerTestEngine::Build(PowerSequence sequence, const Entry* middle) {
    queue_.clear();
    Entry wakeUp;
    BuildWakeUp(wakeUp.frame.data(), kPowerWakeUpSuffix, ctx_.random);
    wakeUp.sendLength = kWakeUpLength;
    wakeUp.replyLength = 1;
    wakeUp.replyByte = kAck;
    wakeUp.kind = ReplyKind::Acknowledge;
    queue_.push_back(wakeUp);
    if (middle) queue_.push_back(*middle);
    Entry end;
    end.frame[0] = kEndCommand;
    end.sendLength = 1;
    end.replyLength = 0;
    end.kind = ReplyKind::None;
    queue_.push_back(end);
    sequence_ = sequence;
}

void PowerTestEngine::RunQueue() {
    if (!ctx_.port.IsOpen()) {
        // A Retry on a port that has gone away would wait for ever with the panel disabled;
        // it ends as Cancel does.
        if (running_) {
            running_ = false;
            closing_ = true;
            ctx_.timers.Start(LinkTimer::CancelClose, kPowerErrsMs);
        }
        return;
    }
    running_ = true;
    progressMax_ = static_cast<int>(queue_.size()) +
                   (sequence_ == PowerSequence::Online ? kOnlineExtraProgress : 0);
    progress_ = 0;
    ctx_.user.SetProgress(progress_, progressMax_);
    ctx_.user.ShowProgress(true);
    ctx_.user.SetPanelEnabled(false);
    current_ = 0;
    SendCurrent();
    gate_.Pause(kGapMs, [this] { Sent(false); });
}

void PowerTestEngine::SendCurrent() {
    const Entry& entry = queue_[current_];
    replyLength_ = entry.replyLength;
    count_ = 0;
    awaiting_ = false;
    // Bytes that came before this frame left belong to no reply to it.
    gate_.ForgetBytes();
    if (ctx_.port.Write(entry.frame.data(), entry.sendLength))
        ctx_.port.WaitDrained(kDrainPolls * kDrainPollMs);
}

void PowerTestEngine::Sent(bool advance) {
    awaiting_ = true;
    if (queue_[current_].kind == ReplyKind::None) {
        progress_ = progressMax_;
        ctx_.user.SetProgress(progress_, progressMax_);
        ctx_.timers.Start(LinkTimer::SequenceDone, kPowerYesMs);
        return;
    }
    ctx_.timers.Start(LinkTimer::ReplyTimeout, kPowerTryMs);
    if (advance) ctx_.user.SetProgress(++progress_, progressMax_);
    // A reply may have come while the frame was leaving.
    Examine();
}

// ---- Replies ----------------------------------------------------------------------------

void PowerTestEngine::Receive(const uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i)
        if (count_ < kBufferSize) buffer_[count_++] = bytes[i];
    Examine();
}

void PowerTestEngine::Examine() {
    if (!running_ || !awaiting_ || count_ < replyLength_ || count_ > kMaxExamined) return;
    Entry& entry = queue_[current_];
    // Byte 1 counts only when it belongs to this reply, never when left over from another.
    const auto holds = [this](uint8_t byte) {
        return buffer_[0] == byte || (count_ >= 2 && buffer_[1] == byte);
    };
    switch (entry.kind) {
    case ReplyKind::Acknowledge:
        if (holds(kAck)) Accepted(true);
        break;
    case ReplyKind::ReplyByte:
        if (holds(entry.replyByte)) Accepted(true);
        break;
    case ReplyKind::TableBlock: {
        const int block = entry.replyByte;
        // Only the reply to this block's request: any other would fill the block with other
        // bytes. The time-out runs on.
        if (!IsTableReplyFor(buffer_.data(), block)) break;
        StoreTableBlock(table_, buffer_.data(), block);
        entry.replyByte = static_cast<uint8_t>(block + 1);
        if (entry.replyByte > entry.lastBlock) {
            Accepted(true);
        } else {
            const auto frame = TableReadFrame(entry.replyByte);
            std::copy(frame.begin(), frame.end(), entry.frame.begin());
            Accepted(false);
        }
        break;
    }
    case ReplyKind::None:
        break;
    }
}

void PowerTestEngine::Accepted(bool nextEntry) {
    gate_.StopTimer(LinkTimer::ReplyTimeout);
    if (nextEntry) ++current_;
    SendCurrent();
    gate_.Pause(kGapMs, [this] { Sent(true); });
}

// ---- Timers -----------------------------------------------------------------------------

void PowerTestEngine::TimerExpired(LinkTimer timer) {
    switch (timer) {
    case LinkTimer::ReplyTimeout:
        TryTimedOut();
        break;
    case LinkTimer::SequenceDone:
        Completed();
        break;
    case LinkTimer::CancelClose:
        ErrsExpired();
        break;
    case LinkTimer::CloseDelay:
        ctx_.timers.Stop(LinkTimer::CloseDelay);
        ctx_.user.CloseWindow();
        break;
    default:
        break;
    }
}

void PowerTestEngine::TryTimedOut() {
    ctx_.timers.Stop(LinkTimer::ReplyTimeout);
    if (!running_) return;
    awaiting_ = false;
    const int answer =
        ctx_.user.ShowMsg(ctx_.language.Confirmation, ctx_.language.ComError, kMsgRetryCancel);
    if (gate_.Closed()) return;
    if (answer == kResultRetry) {
        // The same queue from its first entry; a table read goes on at the block it reached.
        RunQueue();
        return;
    }
    running_ = false;
    closing_ = true;
    progress_ = 0;
    ctx_.user.SetProgress(progress_, progressMax_);
    ctx_.user.ShowProgress(false);
    ctx_.timers.Start(LinkTimer::CancelClose, kPowerErrsMs);
}

void PowerTestEngine::Completed() {
    ctx_.timers.Stop(LinkTimer::SequenceDone);
    if (!running_) return;
    running_ = false;
    awaiting_ = false;
    if (sequence_ == PowerSequence::Online) tableValid_ = true;
    ctx_.user.ShowProgress(false);
    ctx_.user.SetPanelEnabled(true);
    ctx_.user.SequenceCompleted(sequence_);
}

void PowerTestEngine::ErrsExpired() {
    ctx_.timers.Stop(LinkTimer::CancelClose);
    ctx_.port.Close();
    closing_ = false;
    running_ = false;
    tableValid_ = false;
    ctx_.user.PortStateChanged(false);
    ctx_.user.ShowProgress(false);
    ctx_.user.SetPanelEnabled(true);
}

// ---- Events ------------------------------------------------------------------------------

void PowerTestEngine::OnBytes(const uint8_t* bytes, int count) {
    gate_.OnBytes(bytes, count);
}

void PowerTestEngine::OnTimer(LinkTimer timer) {
    gate_.OnTimer(timer);
}

} // namespace zorva
