// The timers of a transfer window: one single-shot QTimer per LinkTimer.
#pragma once

#include "link/LinkPorts.h"

#include <QTimer>
#include <array>
#include <functional>
#include <memory>

namespace zorva {

class QtLinkTimers : public LinkTimers {
public:
    using ExpiryHandler = std::function<void(LinkTimer)>;

    explicit QtLinkTimers(ExpiryHandler handler = {});
    ~QtLinkTimers() override;
    QtLinkTimers(const QtLinkTimers&) = delete;
    QtLinkTimers& operator=(const QtLinkTimers&) = delete;

    void SetExpiryHandler(ExpiryHandler handler) { handler_ = std::move(handler); }

    void Start(LinkTimer timer, int ms) override;
    void Stop(LinkTimer timer) override;
    bool IsActive(LinkTimer timer) const;

private:
    static constexpr std::size_t kCount = static_cast<std::size_t>(LinkTimer::Count);
    QTimer& At(LinkTimer timer) const;

    std::array<std::unique_ptr<QTimer>, kCount> timers_;
    ExpiryHandler handler_;
};

} // namespace zorva
