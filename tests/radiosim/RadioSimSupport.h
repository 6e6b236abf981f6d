// The virtual radio run from a test: its pseudo-terminal, the frames of the protocol built by
// hand, and a temporary folder for its files.
#pragma once

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace radiosim_test {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// Generous, as the machine is shared; a test only waits this long when something is wrong.
inline constexpr auto kReplyWait = 3000ms;

inline const Bytes kWakeUpA = {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x61};
inline const Bytes kWakeUpC = {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x63};
inline const Bytes kExampleBlock = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H',
                                    'I', 'J', 'K', 'L', 'M', 'N', 'O', 0x20};

inline Bytes readRequest(unsigned address) {
    return {0x52, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
            0x10};
}

inline Bytes writeFrame(unsigned address, const Bytes& data) {
    Bytes frame(4 + data.size());
    frame[0] = 0x57;
    frame[1] = static_cast<std::uint8_t>(address >> 8);
    frame[2] = static_cast<std::uint8_t>(address);
    frame[3] = 0x10;
    std::copy(data.begin(), data.end(), frame.begin() + 4);
    return frame;
}

// A read reply has the layout of a write frame.
inline Bytes readReply(unsigned address, const Bytes& data) {
    return writeFrame(address, data);
}

inline Bytes filled(std::uint8_t value) {
    return Bytes(16, value);
}

inline Bytes counting(std::uint8_t first) {
    Bytes data(16);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(first + i);
    return data;
}

inline Bytes fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "radiosim-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

// The simulator as a child process, and our end of its terminal.
class Sim {
public:
    explicit Sim(const std::vector<std::string>& args) {
        errorsPath_ = dir_ / "stderr.txt";
        int out[2];
        if (::pipe(out) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            const int err = ::open(errorsPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(err, STDERR_FILENO);
            std::vector<char*> argv{const_cast<char*>(ZORVA_RADIOSIM_PATH)};
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        stdout_ = out[0];
        path_ = readFirstLine();
    }

    ~Sim() {
        if (fd_ >= 0) ::close(fd_);
        if (stdout_ >= 0) ::close(stdout_);
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    const std::string& path() const { return path_; }
    std::string errors() const {
        const Bytes bytes = fileBytes(errorsPath_);
        return std::string(bytes.begin(), bytes.end());
    }

    // Opens the terminal the way a serial program does: raw, 8 data bits.
    void open(const std::string& device = {}) {
        fd_ = ::open((device.empty() ? path_ : device).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd_, 0) << "cannot open " << path_;
        termios t{};
        ASSERT_EQ(::tcgetattr(fd_, &t), 0);
        ::cfmakeraw(&t);
        ASSERT_EQ(::tcsetattr(fd_, TCSANOW, &t), 0);
    }

    void send(const Bytes& bytes) {
        ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Up to n bytes, whatever has come when the time is up.
    Bytes receive(std::size_t n, std::chrono::milliseconds timeout = kReplyWait) {
        Bytes got;
        const auto deadline = Clock::now() + timeout;
        while (got.size() < n) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            pollfd p{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
            std::uint8_t buffer[64];
            const ssize_t r = ::read(fd_, buffer, std::min(sizeof buffer, n - got.size()));
            if (r <= 0) break;
            got.insert(got.end(), buffer, buffer + r);
            ++reads_;
        }
        return got;
    }

    Bytes exchange(const Bytes& frame, std::size_t replyLength) {
        send(frame);
        return receive(replyLength);
    }

    bool quietFor(std::chrono::milliseconds time) { return receive(1, time).empty(); }

    void handshake() {
        ASSERT_EQ(exchange(kWakeUpA, 1), Bytes{0x06});
        ASSERT_EQ(exchange(kWakeUpC, 1), Bytes{0x06});
        ASSERT_EQ(exchange({0x02}, 8).size(), 8u);
        ASSERT_EQ(exchange(kExampleBlock, 1), Bytes{0x78});
        ASSERT_EQ(exchange({0x06}, 1), Bytes{0x06});
    }

    // The exit status once the process has ended by itself, -1 when it has not within the time.
    int waitExit(std::chrono::milliseconds timeout = kReplyWait) {
        const auto deadline = Clock::now() + timeout;
        while (Clock::now() < deadline) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            ::usleep(5000);
        }
        return -1;
    }

    int stop() {
        ::kill(pid_, SIGTERM);
        return waitExit();
    }

    int reads() const { return reads_; }

private:
    std::string readFirstLine() {
        std::string line;
        const auto deadline = Clock::now() + kReplyWait;
        while (Clock::now() < deadline) {
            pollfd p{stdout_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            char c;
            if (::read(stdout_, &c, 1) != 1 || c == '\n') break;
            line += c;
        }
        return line;
    }

    TempDir dir_;
    fs::path errorsPath_;
    pid_t pid_ = -1;
    int stdout_ = -1;
    int fd_ = -1;
    bool exited_ = false;
    int reads_ = 0;
    std::string path_;
};

} // namespace radiosim_test
