#include "Line.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace radiosim {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPieceGap = std::chrono::milliseconds(5);
constexpr int kBitsPerByte = 11;
constexpr int kStalledWriteMs = 1000;

std::string systemError(std::string_view what) {
    return std::string(what) + ": " + std::strerror(errno);
}

bool makeRaw(int fd) {
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return false;
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                        IXON | IXOFF);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
    t.c_cflag |= CS8 | CREAD | CLOCAL;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

} // namespace

Pty::~Pty() {
    close();
}

std::string Pty::open() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) return systemError("cannot open a pseudo-terminal");
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return systemError("cannot unlock the pseudo-terminal");
    const char* name = ::ptsname(master_);
    if (name == nullptr) return systemError("cannot name the pseudo-terminal");
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) return systemError("cannot open " + slavePath_);
    if (!makeRaw(slave_) || !makeRaw(master_))
        return systemError("cannot set the pseudo-terminal raw");
    const int flags = ::fcntl(master_, F_GETFL);
    if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0)
        return systemError("cannot make the pseudo-terminal non-blocking");
    return {};
}

void Pty::waitUntilTaken(std::chrono::milliseconds limit) const {
    // The kernel hands bytes from the master to the slave side a little later, so an empty slave
    // queue right after a write proves nothing; it must stay empty for a moment.
    constexpr auto settle = std::chrono::milliseconds(20);
    const auto start = Clock::now();
    auto emptySince = start;
    int waiting = 0;
    while (slave_ >= 0 && Clock::now() - start < limit) {
        if (::ioctl(slave_, FIONREAD, &waiting) != 0) return;
        const auto now = Clock::now();
        if (waiting > 0)
            emptySince = now;
        else if (now - emptySince >= settle)
            return;
        ::usleep(2000);
    }
}

void Pty::close() {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    master_ = slave_ = -1;
}

std::string createLink(const std::string& path, const std::string& target) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode))
        return "'" + path + "' exists and is not a symbolic link; not replacing it";
    // Made beside the target name and renamed over it, so an old link is replaced in one step.
    const std::string temp = path + ".radiosim-" + std::to_string(::getpid());
    ::unlink(temp.c_str());
    if (::symlink(target.c_str(), temp.c_str()) != 0)
        return systemError("cannot create the link '" + path + "'");
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        std::string error = systemError("cannot create the link '" + path + "'");
        ::unlink(temp.c_str());
        return error;
    }
    return {};
}

void removeLink(const std::string& path, const std::string& target) {
    std::vector<char> buffer(target.size() + 2);
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n >= 0 && std::string(buffer.data(), static_cast<std::size_t>(n)) == target)
        ::unlink(path.c_str());
}

void sleepUntil(Clock::time_point deadline, const volatile std::sig_atomic_t& stop) {
    while (!stop) {
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) return;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        timespec pause{static_cast<time_t>(ns / 1'000'000'000),
                       static_cast<long>(ns % 1'000'000'000)};
        ::nanosleep(&pause, nullptr); // a signal cuts it short; the loop checks again
    }
}

PacedWriter::PacedWriter(int fd, long baud, int pieceSize, const volatile std::sig_atomic_t& stop,
                         const Log& log)
    : fd_(fd), pieceSize_(pieceSize > 0 ? static_cast<std::size_t>(pieceSize) : 0), stop_(stop),
      log_(log) {
    if (baud > 0) byteTime_ = std::chrono::nanoseconds(kBitsPerByte * 1'000'000'000LL / baud);
}

bool PacedWriter::write(std::span<const std::uint8_t> bytes) {
    const std::size_t piece = pieceSize_ > 0 ? pieceSize_ : bytes.size();
    for (std::size_t start = 0; start < bytes.size() && !stop_; start += piece) {
        if (start > 0) {
            lineFree_ = std::max(lineFree_, Clock::now()) + kPieceGap;
            sleepUntil(lineFree_, stop_);
        }
        const auto chunk = bytes.subspan(start, std::min(piece, bytes.size() - start));
        if (byteTime_ == std::chrono::nanoseconds::zero()) {
            const Result r = writeNow(chunk);
            if (r == Result::Failed) return false;
            if (r == Result::Dropped) return true;
            continue;
        }
        // Each byte's time counts from the start of the piece, so a late wake-up for one byte
        // does not delay the ones after it.
        lineFree_ = std::max(lineFree_, Clock::now());
        for (std::size_t i = 0; i < chunk.size() && !stop_; ++i) {
            lineFree_ += byteTime_;
            sleepUntil(lineFree_, stop_);
            const Result r = writeNow(chunk.subspan(i, 1));
            if (r == Result::Failed) return false;
            if (r == Result::Dropped) return true;
        }
    }
    return true;
}

PacedWriter::Result PacedWriter::writeNow(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // The terminal's buffer is full: nobody is reading at the other end.
            pollfd p{fd_, POLLOUT, 0};
            if (::poll(&p, 1, kStalledWriteMs) > 0) continue;
            if (stop_) return Result::Dropped;
            log_.warn("nobody reads the terminal; " + std::to_string(bytes.size()) +
                      " bytes dropped");
            return Result::Dropped;
        }
        log_.warn(systemError("cannot write to the terminal"));
        return Result::Failed;
    }
    return Result::Done;
}

} // namespace radiosim
