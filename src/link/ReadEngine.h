// Reading the radio's memory into the image: wake-up, ident, identification block, then
// 297 blocks fetched one by one, copied into the image only when all have arrived.
#pragma once

#include "core/TAll.h"
#include "link/ExchangeEngine.h"

namespace zorva {

class ReadEngine : public ExchangeEngine {
public:
    static constexpr int kProgressMax = kRadioBlocks - 1;

    explicit ReadEngine(LinkContext context);

    void FormShow() override;

    // Set once all blocks are in the image the read works on.
    bool ReadCompleted() const { return readCompleted_; }
    // The radio's memory exactly as it arrived, block 0 first (valid once ReadCompleted), before
    // the image's own repairs.
    const std::vector<uint8_t>& Blocks() const { return store_; }

private:
    void BeginAttempt() override;
    int DrainTimeoutMs() const override;
    void IdentReplied(const std::string& ident) override;
    void BlockStep() override;
    void TimerExpired(LinkTimer timer) override;
    bool OkBackOnTimeout() const override { return false; }
    void LineError() override;
    void Complete();

    std::vector<uint8_t> store_;
    std::string radioIdent_;
    uint8_t bandByte_ = 0;
    bool firstAttempt_ = true;
    bool readCompleted_ = false;
};

} // namespace zorva
