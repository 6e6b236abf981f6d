// Tests of the serial port: a pseudo-terminal whose master side the test holds while the
// program under test opens the slave device by its path, and a wait that runs the events.
#pragma once

#include <QElapsedTimer>
#include <QTest>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zorva::test {

// Runs the event loop until `condition` holds or `ms` have passed; tells whether it held.
template <typename Condition>
bool WaitFor(Condition condition, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms) return false;
        QTest::qWait(2);
    }
    return true;
}

class PtyPair {
public:
    PtyPair() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
            throw std::runtime_error("no pseudo-terminal");
        }
        slave_ = ptsname(master_);
        termios tio{};
        tcgetattr(master_, &tio);
        cfmakeraw(&tio);
        tcsetattr(master_, TCSANOW, &tio);
    }
    ~PtyPair() { CloseMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& SlavePath() const { return slave_; }

    void Send(const std::vector<uint8_t>& bytes) const {
        if (::write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            throw std::runtime_error("pseudo-terminal write failed");
        }
    }

    // What arrives within `waitMs`, stopping early once `atLeast` bytes are in.
    std::vector<uint8_t> Receive(std::size_t atLeast, int waitMs) const {
        std::vector<uint8_t> got;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        while (got.size() < atLeast) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            pollfd fd{master_, POLLIN, 0};
            if (::poll(&fd, 1, static_cast<int>(left.count())) <= 0) break;
            uint8_t buffer[256];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0) break;
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

    // Whatever has arrived, without waiting.
    std::vector<uint8_t> ReadNow() const {
        std::vector<uint8_t> got;
        pollfd fd{master_, POLLIN, 0};
        uint8_t buffer[256];
        while (::poll(&fd, 1, 0) > 0) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0) break;
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

    void CloseMaster() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    std::string slave_;
};

} // namespace zorva::test
