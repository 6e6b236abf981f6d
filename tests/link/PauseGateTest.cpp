#include "link/PauseGate.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace zorva {
namespace {

struct Gate : ::testing::Test, LinkTimers {
    void Start(LinkTimer timer, int) override { running.insert(timer); }
    void Stop(LinkTimer timer) override { running.erase(timer); }

    void Bytes(uint8_t byte) { gate.OnBytes(&byte, 1); }
    void EndPause() {
        running.erase(LinkTimer::Pause);
        gate.OnTimer(LinkTimer::Pause);
    }

    std::set<LinkTimer> running;
    std::vector<std::string> log;
    PauseGate gate{
        *this,
        {[this](const uint8_t* bytes, int) { log.push_back("b" + std::to_string(*bytes)); },
         [this] { log.push_back("line"); },
         [this](LinkTimer timer) {
             log.push_back("t" + std::to_string(static_cast<int>(timer)));
         }}};
};

const std::string kTry = "t" + std::to_string(static_cast<int>(LinkTimer::ReplyTimeout));
const std::string kHead = "t" + std::to_string(static_cast<int>(LinkTimer::HandshakeTimeout));

TEST_F(Gate, WhatArrivesDuringAPauseRunsAfterItInArrivalOrder) {
    Bytes(1);
    EXPECT_EQ(log, (std::vector<std::string>{"b1"}));

    gate.Pause(20, [this] { log.push_back("then"); });
    EXPECT_TRUE(running.count(LinkTimer::Pause));
    Bytes(2);
    gate.OnLineError();
    gate.OnTimer(LinkTimer::ReplyTimeout);
    gate.WhenIdle([this] { log.push_back("call"); });
    Bytes(3);
    EXPECT_EQ(log.size(), 1u);

    EndPause();
    EXPECT_EQ(log, (std::vector<std::string>{"b1", "then", "b2", "line", kTry, "call", "b3"}));
    EXPECT_FALSE(gate.Pausing());
}

TEST_F(Gate, APauseStartedByAWaitingEventHoldsBackTheRest) {
    gate.Pause(20, [] {});
    gate.WhenIdle([this] {
        log.push_back("call");
        gate.Pause(50, [this] { log.push_back("second"); });
    });
    Bytes(1);
    gate.OnTimer(LinkTimer::HandshakeTimeout);

    EndPause();
    EXPECT_EQ(log, (std::vector<std::string>{"call"}));
    EndPause();
    EXPECT_EQ(log, (std::vector<std::string>{"call", "second", "b1", kHead}));
}

TEST_F(Gate, AStoppedTimerDoesNotActAfterThePause) {
    running = {LinkTimer::ReplyTimeout, LinkTimer::HandshakeTimeout};
    gate.Pause(20, [] {});
    gate.OnTimer(LinkTimer::ReplyTimeout);
    gate.OnTimer(LinkTimer::HandshakeTimeout);
    Bytes(1);
    gate.StopTimer(LinkTimer::ReplyTimeout);
    EXPECT_FALSE(running.count(LinkTimer::ReplyTimeout));

    EndPause();
    EXPECT_EQ(log, (std::vector<std::string>{kHead, "b1"}));
}

TEST_F(Gate, ClosingInsideAWaitingEventEndsEverything) {
    running = {LinkTimer::ReplyTimeout, LinkTimer::CloseDelay};
    gate.Pause(20, [] {});
    gate.WhenIdle([this] {
        log.push_back("close");
        gate.Close();
    });
    Bytes(1);
    gate.OnTimer(LinkTimer::ReplyTimeout);

    EndPause();
    EXPECT_EQ(log, (std::vector<std::string>{"close"}));
    EXPECT_TRUE(gate.Closed());
    EXPECT_TRUE(running.empty());

    Bytes(2);
    gate.OnLineError();
    gate.OnTimer(LinkTimer::ReplyTimeout);
    gate.WhenIdle([this] { log.push_back("late"); });
    EXPECT_EQ(log.size(), 1u);
}

} // namespace
} // namespace zorva
