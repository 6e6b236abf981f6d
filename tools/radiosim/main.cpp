// zorva-radiosim: a virtual ZORVA-520SX on a pseudo-terminal, for trying the programming software
// without a radio and for checking its read and write exchanges end to end.

#include "DataFile.h"
#include "Line.h"
#include "Log.h"
#include "Options.h"
#include "Radio.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

using namespace radiosim;
using Clock = std::chrono::steady_clock;

// A frame whose remaining bytes do not follow within this time is dropped.
constexpr auto kFrameTimeout = std::chrono::milliseconds(500);

volatile std::sig_atomic_t stopRequested = 0;
int signalPipe[2] = {-1, -1};

extern "C" void onStopSignal(int) {
    stopRequested = 1;
    const char wake = 0;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &wake, 1);
}

bool installSignalHandlers() {
    if (::pipe(signalPipe) != 0) return false;
    for (const int fd : signalPipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    struct sigaction stop {};
    stop.sa_handler = onStopSignal;
    sigemptyset(&stop.sa_mask);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    return ::sigaction(SIGTERM, &stop, nullptr) == 0 && ::sigaction(SIGINT, &stop, nullptr) == 0 &&
           ::sigaction(SIGHUP, &stop, nullptr) == 0 && ::sigaction(SIGPIPE, &ignore, nullptr) == 0;
}

class Server {
public:
    Server(const Options& options, Memory& memory, Calibration& calibration, Pty& pty,
           const Log& log)
        : options_(options), memory_(memory), calibration_(calibration), pty_(pty), log_(log),
          radio_(options.ident, options.band, options.faults, memory, calibration, log),
          writer_(pty.master(), options.baud, options.faults.pieceSize, stopRequested, log) {}

    // Serves until stopped; returns the exit status.
    int run() {
        auto lastByte = Clock::now();
        while (!stopRequested) {
            int timeoutMs = -1;
            if (radio_.frameInProgress()) {
                const auto left = kFrameTimeout - (Clock::now() - lastByte);
                timeoutMs = static_cast<int>(std::max<long long>(
                    0, std::chrono::ceil<std::chrono::milliseconds>(left).count()));
            }
            pollfd fds[2] = {{pty_.master(), POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
            const int ready = ::poll(fds, 2, timeoutMs);
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0) return fail("cannot wait for the terminal");
            if (stopRequested) break;

            std::vector<Action> actions;
            if (ready == 0) {
                if (radio_.frameInProgress()) actions = radio_.frameTimedOut();
            } else if (fds[0].revents & POLLIN) {
                std::uint8_t buffer[512];
                const ssize_t n = ::read(pty_.master(), buffer, sizeof buffer);
                if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
                if (n <= 0) return fail("cannot read from the terminal");
                // The program's bytes reach the terminal at once; on a cable they take their
                // time too, so a frame counts as received when its last byte would have.
                if (options_.baud > 0) {
                    const auto byteTime =
                        std::chrono::nanoseconds(11'000'000'000LL / options_.baud);
                    incomingDoneAt_ = std::max(Clock::now(), incomingDoneAt_) + byteTime * n;
                    sleepUntil(incomingDoneAt_, stopRequested);
                }
                lastByte = Clock::now();
                actions = radio_.receive(std::span(buffer, static_cast<std::size_t>(n)));
            } else if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
                return fail("the terminal has failed");
            }

            for (const Action& action : actions) {
                if (const auto status = perform(action)) return *status;
            }
        }
        log_.note("stopped");
        return finish(0, true);
    }

private:
    // Carries out one action; an exit status when the program must end.
    std::optional<int> perform(const Action& action) {
        switch (action.kind) {
        case Action::Kind::Send:
            if (options_.faults.silent) {
                log_.frame("x>", action.what + " withheld (silent)", action.bytes);
                return std::nullopt;
            }
            if (options_.replyDelayMs > 0)
                sleepUntil(Clock::now() + std::chrono::milliseconds(options_.replyDelayMs),
                           stopRequested);
            log_.frame("->", action.what, action.bytes);
            if (!writer_.write(action.bytes)) return finish(1, true);
            return std::nullopt;
        case Action::Kind::EndSession:
            ++sessions_;
            log_.note("session " + std::to_string(sessions_) + " ended");
            save();
            if (options_.sessions > 0 && sessions_ >= options_.sessions) return finish(0, false);
            return std::nullopt;
        case Action::Kind::CalibrationChanged:
            saveCalibration();
            return std::nullopt;
        case Action::Kind::HangUp:
            log_.note("hangup-after: closing the terminal");
            pty_.waitUntilTaken(std::chrono::milliseconds(500));
            pty_.close();
            return finish(1, true);
        }
        return std::nullopt;
    }

    bool save() {
        if (options_.savePath.empty()) return true;
        const std::string error = saveDataFile(options_.savePath, memory_, options_.ident);
        if (!error.empty()) {
            log_.warn(error);
            return false;
        }
        log_.note("memory saved to " + options_.savePath);
        return true;
    }

    bool saveCalibration() {
        if (options_.calibrationPath.empty()) return true;
        const std::string error = saveCalibrationFile(options_.calibrationPath, calibration_);
        if (!error.empty()) {
            log_.warn(error);
            return false;
        }
        log_.note("power-test table saved to " + options_.calibrationPath);
        return true;
    }

    int fail(const std::string& what) {
        log_.warn(what + ": " + std::strerror(errno));
        return finish(1, true);
    }

    int finish(int status, bool saveFirst) {
        if (saveFirst && !save() && status == 0) status = 1;
        if (!saveCalibration() && status == 0) status = 1;
        if (!options_.linkPath.empty()) removeLink(options_.linkPath, pty_.slavePath());
        return status;
    }

    const Options& options_;
    Memory& memory_;
    Calibration& calibration_;
    Pty& pty_;
    const Log& log_;
    Radio radio_;
    PacedWriter writer_;
    long sessions_ = 0;
    Clock::time_point incomingDoneAt_{};
};

} // namespace

int main(int argc, char** argv) {
    const ParsedOptions parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.outcome == ParsedOptions::Outcome::Help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    if (parsed.outcome == ParsedOptions::Outcome::Error) {
        std::fprintf(stderr, "zorva-radiosim: %s\nTry 'zorva-radiosim --help'.\n",
                     parsed.error.c_str());
        return 2;
    }
    const Options& options = parsed.options;
    const Log log(options.verbose);

    Memory memory = blankMemory(options.serial);
    if (!options.loadPath.empty()) {
        if (const std::string error = loadDataFile(options.loadPath, memory); !error.empty()) {
            log.warn(error);
            return 2;
        }
        if (options.serialGiven) setSerial(memory, options.serial);
    }

    Calibration calibration = Radio::defaultCalibration();
    if (!options.calibrationPath.empty()) {
        bool missing = false;
        if (const std::string error =
                loadCalibrationFile(options.calibrationPath, calibration, missing);
            !error.empty()) {
            log.warn(error);
            return 2;
        }
        if (missing) log.note(options.calibrationPath + " does not exist yet; a new table");
    }

    Pty pty;
    if (const std::string error = pty.open(); !error.empty()) {
        log.warn(error);
        return 1;
    }
    if (!options.linkPath.empty()) {
        if (const std::string error = createLink(options.linkPath, pty.slavePath());
            !error.empty()) {
            log.warn(error);
            return 2;
        }
    }
    if (!installSignalHandlers()) {
        log.warn(std::string("cannot install signal handlers: ") + std::strerror(errno));
        if (!options.linkPath.empty()) removeLink(options.linkPath, pty.slavePath());
        return 1;
    }

    std::printf("%s\n", pty.slavePath().c_str());
    std::fflush(stdout);
    log.note("serving on " + pty.slavePath());

    Server server(options, memory, calibration, pty, log);
    return server.run();
}
