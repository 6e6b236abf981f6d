#include "link/qt/QtLinkTimers.h"

#include <algorithm>

namespace zorva {

QtLinkTimers::QtLinkTimers(ExpiryHandler handler) : handler_(std::move(handler)) {
    for (std::size_t i = 0; i < kCount; ++i) {
        auto timer = std::make_unique<QTimer>();
        timer->setSingleShot(true);
        // The pauses between frames are 20 ms; a coarse timer may be a millisecond off.
        timer->setTimerType(Qt::PreciseTimer);
        const auto which = static_cast<LinkTimer>(i);
        QObject::connect(timer.get(), &QTimer::timeout, timer.get(), [this, which] {
            if (handler_) handler_(which);
        });
        timers_[i] = std::move(timer);
    }
}

QtLinkTimers::~QtLinkTimers() = default;

QTimer& QtLinkTimers::At(LinkTimer timer) const {
    return *timers_[std::min(static_cast<std::size_t>(timer), kCount - 1)];
}

void QtLinkTimers::Start(LinkTimer timer, int ms) {
    if (timer == LinkTimer::Count) return;
    At(timer).start(std::max(ms, 0));
}

void QtLinkTimers::Stop(LinkTimer timer) {
    if (timer == LinkTimer::Count) return;
    At(timer).stop();
}

bool QtLinkTimers::IsActive(LinkTimer timer) const {
    return timer != LinkTimer::Count && At(timer).isActive();
}

} // namespace zorva
