#include "link/ReadEngine.h"

#include "codec/DerivedFields.h"
#include "core/MacType.h"
#include "link/Framing.h"
#include "settings/Language.h"

#include <algorithm>

namespace zorva {

ReadEngine::ReadEngine(LinkContext context)
    : ExchangeEngine(std::move(context)), store_(kRadioBytes, 0) {}

// Counted as polls of the output: at most 51 of 20 ms, a little over a second, before the
// read goes on anyway (a frame of the read is at most 20 bytes).
int ReadEngine::DrainTimeoutMs() const {
    constexpr int kPolls = 51, kPollMs = 20;
    return kPolls * kPollMs;
}

void ReadEngine::FormShow() {
    readCompleted_ = false;
    firstAttempt_ = true;
    ctx_.user.SetProgress(0, kProgressMax);
    OpenPort(true, [this](bool ok) {
        if (!ok) StartTimer(LinkTimer::CloseDelay, kCloseTimeMs);
    });
}

void ReadEngine::BeginAttempt() {
    StopExchangeTimers();
    readCompleted_ = false;
    state_ = ExchangeState::Idle;
    errorReported_ = false;
    halted_ = false;
    progress_ = 0;
    ctx_.user.SetProgress(0, kProgressMax);
    ctx_.user.SetOkEnabled(false);
    Pause(kStartPauseMs, [this] {
        count_ = 0;
        DiscardAndWakeUp();
    });
}

void ReadEngine::IdentReplied(const std::string& ident) {
    if (ctx_.macList.FindByIdent(ident)) {
        radioIdent_ = ident;
        bandByte_ = buffer_[6];
        SendIdentBlock();
    } else {
        // The window stays open with Ok disabled; the user closes it.
        halted_ = true;
        errorReported_ = true;
        SendEnd(0, [this] { ShowInfo(ctx_.language.ModError); });
    }
}

void ReadEngine::BlockStep() {
    if (ackSent_) {
        if (buffer_[0] != kAck) return; // not the answer to our 0x06; the time-out runs on
        StopTimer(LinkTimer::ReplyTimeout);
        if (++block_ == kRadioBlocks) {
            Complete();
            return;
        }
        const auto request = BuildReadRequest(block_);
        SendFrame({request.begin(), request.end()}, kReadReplyLength, false,
                  [this] { StartTimer(LinkTimer::ReplyTimeout, kTryTimeMs); });
        return;
    }
    if (block_ < 0 || block_ >= kRadioBlocks) return;
    // Only the reply to this request: a stray byte ahead of it (a late acknowledgement) or an
    // earlier block's reply would put other bytes at this block's place. The time-out runs on.
    const auto request = BuildReadRequest(block_);
    if (buffer_[0] != kWriteCommand || !std::equal(request.begin() + 1, request.end(), &buffer_[1]))
        return;
    StopTimer(LinkTimer::ReplyTimeout);
    std::copy_n(&buffer_[4], kBlockSize, store_.begin() + block_ * kBlockSize);
    ctx_.user.SetProgress(std::min(++progress_, kProgressMax), kProgressMax);
    SendFrame({kAck}, 1, true, [this] { StartTimer(LinkTimer::ReplyTimeout, kTryTimeMs); });
}

void ReadEngine::Complete() {
    state_ = ExchangeState::Idle;
    SendEnd(0, [this] {
        ctx_.user.SetProgress(kProgressMax, kProgressMax);
        ShowInfo(ctx_.language.ReadOk);
        // Only now, with every block in hand, does the image change.
        TALL& all = ctx_.all;
        std::copy(store_.begin(), store_.end(), all.Image.begin());
        all.ManualFreqFlag = all.Image[kManualFreqByte];
        // The ident reply's band byte has two bits a band; only the low one, "in use with the
        // edges in the image", is kept, since the edges are those of the memory just read.
        if (bandByte_ != 0xFF) all.Image[kBandMaskByte] = bandByte_ & 0x55;
        AfterReadSequence(all, ctx_.macList, radioIdent_);
        readCompleted_ = true;
        StartTimer(LinkTimer::CloseDelay, kCloseTimeMs);
    });
}

void ReadEngine::TimerExpired(LinkTimer timer) {
    if (timer != LinkTimer::RetryDelay) {
        ExchangeEngine::TimerExpired(timer);
        return;
    }
    StopTimer(LinkTimer::RetryDelay);
    ctx_.user.SetOkEnabled(true);
    BeginAttempt();
}

void ReadEngine::LineError() {
    ctx_.port.DiscardBuffers();
    state_ = ExchangeState::Idle;
    if (firstAttempt_) {
        // Silence the broken attempt's time-outs; a new attempt follows.
        errorReported_ = true;
        firstAttempt_ = false;
        StartTimer(LinkTimer::RetryDelay, kReTimeMs);
    } else {
        StartTimer(LinkTimer::ReplyTimeout, kTryTimeMs);
    }
}

} // namespace zorva
