#pragma once

#include "Log.h"

#include <chrono>
#include <csignal>
#include <cstdint>
#include <span>
#include <string>

namespace radiosim {

// The radio's end of the cable: a pseudo-terminal whose slave side the program opens as its
// serial port. We keep a descriptor of the slave open ourselves, so that the master does not fail
// with EIO whenever the program closes its end between sessions; both sides are raw, so that no
// byte is echoed or translated before the program sets its own line settings.
class Pty {
public:
    Pty() = default;
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;
    ~Pty();

    std::string open(); // an error text, empty on success
    // Waits until the program has taken what we sent (at most `limit`), so a hang-up comes after
    // the last reply instead of discarding it.
    void waitUntilTaken(std::chrono::milliseconds limit) const;
    void close(); // the cable is pulled: the program sees the line go away
    int master() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

// PATH becomes a symbolic link to the terminal; an existing link is replaced, anything else kept.
std::string createLink(const std::string& path, const std::string& target);
// Removes PATH only while it still points at our terminal.
void removeLink(const std::string& path, const std::string& target);

// Sleeps until `deadline`, returning early when a stop has been requested.
void sleepUntil(std::chrono::steady_clock::time_point deadline,
                const volatile std::sig_atomic_t& stop);

// Sends replies as a serial line would deliver them. With a baud rate, each byte is handed over
// when its last bit would have arrived (11 bits: start, 8 data, 2 stop) and the line is busy
// until then, so the average rate is exact; with a piece size, replies go out in pieces 5 ms apart.
class PacedWriter {
public:
    PacedWriter(int fd, long baud, int pieceSize, const volatile std::sig_atomic_t& stop,
                const Log& log);
    // False when the terminal has failed; a reply nobody reads is dropped with a warning.
    bool write(std::span<const std::uint8_t> bytes);

private:
    enum class Result { Done, Dropped, Failed };
    Result writeNow(std::span<const std::uint8_t> bytes);

    int fd_;
    std::chrono::nanoseconds byteTime_{0};
    std::size_t pieceSize_;
    const volatile std::sig_atomic_t& stop_;
    const Log& log_;
    std::chrono::steady_clock::time_point lineFree_{};
};

} // namespace radiosim
