#include "link/PauseGate.h"

#include <utility>

namespace zorva {

PauseGate::PauseGate(LinkTimers& timers, Handlers handlers)
    : timers_(timers), handlers_(std::move(handlers)) {}

void PauseGate::Pause(int ms, std::function<void()> then) {
    afterPause_ = std::move(then);
    timers_.Start(LinkTimer::Pause, ms);
}

void PauseGate::OnBytes(const uint8_t* bytes, int count) {
    if (closed_ || count <= 0) return;
    if (Pausing()) {
        deferred_.push_back({Deferred::Bytes, std::vector<uint8_t>(bytes, bytes + count)});
        return;
    }
    handlers_.bytes(bytes, count);
}

void PauseGate::OnLineError() {
    if (closed_ || !handlers_.lineError) return;
    if (Pausing()) {
        deferred_.push_back({Deferred::LineError});
        return;
    }
    handlers_.lineError();
}

void PauseGate::OnTimer(LinkTimer timer) {
    if (closed_) return;
    if (timer == LinkTimer::Pause) {
        auto then = std::exchange(afterPause_, nullptr);
        if (then) then();
        RunDeferred();
        return;
    }
    if (Pausing()) {
        deferred_.push_back({Deferred::Timer, {}, timer});
        return;
    }
    handlers_.timer(timer);
}

void PauseGate::WhenIdle(std::function<void()> call) {
    if (closed_) return;
    if (Pausing()) {
        deferred_.push_back({Deferred::Call, {}, LinkTimer::Pause, std::move(call)});
        return;
    }
    call();
}

void PauseGate::StopTimer(LinkTimer timer) {
    timers_.Stop(timer);
    std::erase_if(deferred_, [timer](const Deferred& event) {
        return event.kind == Deferred::Timer && event.timer == timer;
    });
}

void PauseGate::ForgetBytes() {
    std::erase_if(deferred_, [](const Deferred& event) { return event.kind == Deferred::Bytes; });
}

void PauseGate::Close() {
    closed_ = true;
    afterPause_ = nullptr;
    deferred_.clear();
    for (int t = 0; t < static_cast<int>(LinkTimer::Count); ++t)
        timers_.Stop(static_cast<LinkTimer>(t));
}

// A handler may pause again or close; what is left then waits for that pause, or is gone.
void PauseGate::RunDeferred() {
    while (!closed_ && !Pausing() && !deferred_.empty()) {
        Deferred event = std::move(deferred_.front());
        deferred_.pop_front();
        switch (event.kind) {
        case Deferred::Bytes:
            handlers_.bytes(event.bytes.data(), static_cast<int>(event.bytes.size()));
            break;
        case Deferred::LineError:
            handlers_.lineError();
            break;
        case Deferred::Timer:
            handlers_.timer(event.timer);
            break;
        case Deferred::Call:
            event.call();
            break;
        }
    }
}

} // namespace zorva
