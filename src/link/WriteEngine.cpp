#include "link/WriteEngine.h"

#include "codec/DerivedFields.h"
#include "core/MacType.h"
#include "core/TAll.h"
#include "link/Framing.h"
#include "settings/Language.h"

#include <algorithm>

namespace zorva {

WriteEngine::WriteEngine(LinkContext context, std::function<std::string()> timeText)
    : ExchangeEngine(std::move(context)), timeText_(std::move(timeText)) {}

// Counted as polls of the output: at most 101 of 50 ms, about five seconds, before the write
// goes on anyway; writing waits longer than reading.
int WriteEngine::DrainTimeoutMs() const {
    constexpr int kPolls = 101, kPollMs = 50;
    return kPolls * kPollMs;
}

void WriteEngine::FormShow() {
    ctx_.user.SetProgress(0, kProgressMax);
    OpenPort(false, [this](bool ok) {
        if (!ok) StartTimer(LinkTimer::CloseDelay, kCloseTimeMs);
    });
}

void WriteEngine::BeginAttempt() {
    StopExchangeTimers();
    Pause(kStartPauseMs, [this] {
        state_ = ExchangeState::Idle;
        errorReported_ = false;
        halted_ = false;
        progress_ = 0;
        ctx_.user.SetProgress(0, kProgressMax);
        ctx_.user.SetOkEnabled(false);
        DiscardAndWakeUp();
    });
}

WriteEngine::ModelCheck WriteEngine::CheckModel(const std::string& ident) const {
    const TMacType* entry = ctx_.macList.FindByIdent(ident);
    if (!entry) return ModelCheck::Refuse;
    if (ident == ctx_.all.ImageModelIdent) return ModelCheck::Proceed;
    if (entry->ChannelCount == ctx_.all.ChannelCount) return ModelCheck::Ask;
    return ModelCheck::Refuse;
}

void WriteEngine::IdentReplied(const std::string& ident) {
    switch (CheckModel(ident)) {
    case ModelCheck::Refuse:
        halted_ = true;
        errorReported_ = true;
        SendEnd(16, [this] {
            ShowInfo(ctx_.language.ModError);
            StartTimer(LinkTimer::CloseDelay, kCloseTimeMs);
        });
        break;
    case ModelCheck::Ask: {
        // Replies arriving while the question is open are not answers to anything.
        halted_ = true;
        const int answer =
            ctx_.user.ShowMsg(ctx_.language.Confirmation,
                              ctx_.language.ModError + " " + ctx_.language.Modforce, kMsgYesNo);
        if (Closed()) break;
        if (answer == kResultYes) {
            halted_ = false;
            Proceed();
        } else {
            StartTimer(LinkTimer::CloseDelay, kCloseTimeMs);
        }
        break;
    }
    case ModelCheck::Proceed:
        Proceed();
        break;
    }
}

void WriteEngine::Proceed() {
    // The radio learns when it was last programmed; this does not make the image modified.
    try {
        StampWriteTime(ctx_.all, timeText_());
    } catch (const std::exception&) {
        // A clock text we cannot read leaves the previous time; the write goes on.
    }
    SendIdentBlock();
}

void WriteEngine::BlockStep() {
    if (buffer_[0] != kAck) return; // not an acknowledgement; the time-out runs on
    StopTimer(LinkTimer::ReplyTimeout);
    if (++block_ == kBlocks) {
        Complete();
        return;
    }
    const auto frame = BuildWriteFrame(block_, &ctx_.all.Image[block_ * kBlockSize]);
    SendFrame({frame.begin(), frame.end()}, 1, false, [this] {
        StartTimer(LinkTimer::ReplyTimeout, kTryTimeMs);
        ctx_.user.SetProgress(std::min(++progress_, kProgressMax), kProgressMax);
    });
}

void WriteEngine::Complete() {
    state_ = ExchangeState::Idle;
    SendEnd(0, [this] {
        ++writesCompleted_;
        ctx_.user.SetProgress(kProgressMax, kProgressMax);
        ShowInfo(ctx_.language.WriteOk);
        // Done, as a read is: a second Ok must not write the radio again unasked, and a
        // verification waits for the window to close.
        StartTimer(LinkTimer::CloseDelay, kCloseTimeMs);
    });
}

void WriteEngine::LineError() {
    state_ = ExchangeState::Idle;
    ReportOnce(ctx_.language.ComError);
}

} // namespace zorva
