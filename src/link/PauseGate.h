// Pauses that do not block, for the engines that talk to the radio. An engine asks for a
// pause and goes on when the Pause timer expires. Whatever arrives meanwhile (bytes, line
// errors, other timers, the window's requests) waits and is handled after the pause, in the
// order it came, as a blocking pause would have it. Closing is honoured at once: a closed
// gate forgets what waits and hands nothing on any more.
#pragma once

#include "link/LinkPorts.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace zorva {

class PauseGate {
public:
    // Where events go once they may be handled. An engine without line errors leaves
    // lineError empty.
    struct Handlers {
        std::function<void(const uint8_t* bytes, int count)> bytes;
        std::function<void()> lineError;
        std::function<void(LinkTimer timer)> timer;
    };

    PauseGate(LinkTimers& timers, Handlers handlers);
    PauseGate(const PauseGate&) = delete;
    PauseGate& operator=(const PauseGate&) = delete;

    // Starts the Pause timer; `then` runs when it expires, before anything that waits.
    void Pause(int ms, std::function<void()> then);
    bool Pausing() const { return static_cast<bool>(afterPause_); }

    void OnBytes(const uint8_t* bytes, int count);
    void OnLineError();
    // The Pause timer ends the pause; any other timer is handed on.
    void OnTimer(LinkTimer timer);
    // Runs `call` now, or after the pause that is running.
    void WhenIdle(std::function<void()> call);

    // Stops the timer and forgets an expiry of it that waits behind the pause, so a timer
    // stopped during a pause cannot act afterwards.
    void StopTimer(LinkTimer timer);
    // Forgets the bytes that wait behind the pause.
    void ForgetBytes();

    // Every timer stops, the pause and whatever waits are forgotten, nothing more is handed
    // on.
    void Close();
    bool Closed() const { return closed_; }

private:
    struct Deferred {
        enum Kind { Bytes, LineError, Timer, Call } kind;
        std::vector<uint8_t> bytes{};
        LinkTimer timer = LinkTimer::Pause;
        std::function<void()> call{};
    };
    void RunDeferred();

    LinkTimers& timers_;
    Handlers handlers_;
    bool closed_ = false;
    std::function<void()> afterPause_;
    std::deque<Deferred> deferred_;
};

} // namespace zorva
