// Writing the image to the radio: wake-up, ident and model check, write-time stamp,
// identification block, then blocks 0 to 294 each in a write frame acknowledged by the radio.
#pragma once

#include "link/ExchangeEngine.h"

namespace zorva {

class WriteEngine : public ExchangeEngine {
public:
    static constexpr int kBlocks = 295;
    static constexpr int kProgressMax = kBlocks - 1;

    // `timeText` gives the local time for the write-time stamp ("yyyy-MM-dd HH:mm:ss").
    WriteEngine(LinkContext context, std::function<std::string()> timeText);

    void FormShow() override;

    // Every write that reached the end command since the window opened.
    int WritesCompleted() const { return writesCompleted_; }

private:
    enum class ModelCheck { Refuse, Ask, Proceed };
    ModelCheck CheckModel(const std::string& ident) const;
    void BeginAttempt() override;
    int DrainTimeoutMs() const override;
    void IdentReplied(const std::string& ident) override;
    void BlockStep() override;
    bool OkBackOnTimeout() const override { return true; }
    void LineError() override;
    void Proceed();
    void Complete();

    std::function<std::string()> timeText_;
    int writesCompleted_ = 0;
};

} // namespace zorva
