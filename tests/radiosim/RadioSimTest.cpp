// Runs the built virtual radio and speaks the protocol to it by hand through its pseudo-terminal.

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

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// Generous, as the machine is shared; a test only waits this long when something is wrong.
constexpr auto kReplyWait = 3000ms;

const Bytes kWakeUpA = {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x61};
const Bytes kWakeUpC = {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x63};
const Bytes kExampleBlock = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H',
                             'I', 'J', 'K', 'L', 'M', 'N', 'O', 0x20};

Bytes readRequest(unsigned address) {
    return {0x52, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
            0x10};
}

Bytes writeFrame(unsigned address, const Bytes& data) {
    Bytes frame(4 + data.size());
    frame[0] = 0x57;
    frame[1] = static_cast<std::uint8_t>(address >> 8);
    frame[2] = static_cast<std::uint8_t>(address);
    frame[3] = 0x10;
    std::copy(data.begin(), data.end(), frame.begin() + 4);
    return frame;
}

// A read reply has the layout of a write frame.
Bytes readReply(unsigned address, const Bytes& data) {
    return writeFrame(address, data);
}

Bytes filled(std::uint8_t value) {
    return Bytes(16, value);
}

Bytes counting(std::uint8_t first) {
    Bytes data(16);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(first + i);
    return data;
}

Bytes fileBytes(const fs::path& path) {
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

TEST(RadioSim, HandshakeAnswersAsTheRadio) {
    Sim sim({});
    ASSERT_TRUE(sim.path().starts_with("/dev/")) << sim.path();
    sim.open();
    // Both wake-ups are answered; the reply to the identification block follows from the block.
    EXPECT_EQ(sim.exchange(kWakeUpA, 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(kWakeUpC, 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange({0x02}, 8), (Bytes{0x50, 'K', 'Q', '5', '7', 0x00, 0x15, 0x00}));
    EXPECT_EQ(sim.exchange(kExampleBlock, 1), Bytes{0x78});
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});

    // Every weight of the sum shows with all-0xFF and all-zero blocks; b0 and b15 do not count.
    EXPECT_EQ(sim.exchange(kWakeUpA, 1), Bytes{0x06});
    sim.exchange({0x02}, 8);
    EXPECT_EQ(sim.exchange(Bytes(16, 0xFF), 1), Bytes{0xF3});
    EXPECT_EQ(sim.exchange(kWakeUpA, 1), Bytes{0x06});
    sim.exchange({0x02}, 8);
    Bytes zeros(16, 0x00);
    zeros[0] = 0x12;
    zeros[15] = 0x34;
    EXPECT_EQ(sim.exchange(zeros, 1), Bytes{0xFE});
}

TEST(RadioSim, IdentAndBandFromOptions) {
    Sim sim({"--ident", "AB12", "--band", "0x3f"});
    sim.open();
    EXPECT_EQ(sim.exchange(kWakeUpC, 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange({0x02}, 8), (Bytes{0x50, 'A', 'B', '1', '2', 0x00, 0x3F, 0x00}));
}

TEST(RadioSim, IgnoresStrayBytesAndFindsTheWakeUp) {
    Sim sim({});
    sim.open();
    // Nothing but a wake-up means anything to an idle radio.
    sim.send({0x02, 0x06, 0x52, 0x00, 0x00, 0x10});
    EXPECT_TRUE(sim.quietFor(200ms));
    // A false start ("P" then "PROGRAMa") is found all the same.
    EXPECT_EQ(sim.exchange({0x00, 0x50, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x61}, 1),
              Bytes{0x06});
    EXPECT_TRUE(sim.quietFor(200ms)) << "one wake-up, one answer";
    // A suffix beyond "i" is no wake-up.
    sim.send({0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x6A});
    EXPECT_TRUE(sim.quietFor(200ms));
}

TEST(RadioSim, ReadsAndWritesMemory) {
    Sim sim({"--serial", "SN42"});
    sim.open();
    sim.handshake();

    EXPECT_EQ(sim.exchange(readRequest(0x0000), 20), readReply(0x0000, filled(0xFF)));
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});

    EXPECT_EQ(sim.exchange(writeFrame(0x0050, counting(1)), 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(writeFrame(0x1270, counting(0x80)), 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(readRequest(0x0050), 20), readReply(0x0050, counting(1)));
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(readRequest(0x1270), 20), readReply(0x1270, counting(0x80)));
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});

    // The serial number block is acknowledged but keeps the serial, padded with spaces.
    EXPECT_EQ(sim.exchange(writeFrame(0x1280, filled(0x00)), 1), Bytes{0x06});
    const Bytes serial = {'S', 'N', '4', '2', ' ', ' ', ' ', ' ',
                          ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    EXPECT_EQ(sim.exchange(readRequest(0x1280), 20), readReply(0x1280, serial));
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});

    // Beyond the memory, or with another length, nothing is answered and the session goes on.
    sim.send(readRequest(0x1290));
    EXPECT_TRUE(sim.quietFor(200ms));
    sim.send({0x52, 0x00, 0x00, 0x20});
    EXPECT_TRUE(sim.quietFor(200ms));
    EXPECT_EQ(sim.exchange(readRequest(0x0050), 20), readReply(0x0050, counting(1)));
}

TEST(RadioSim, EndCommandSavesTheMemoryAsADataFile) {
    TempDir dir;
    const fs::path file = dir / "radio.dat";
    Sim sim({"--save", file.string(), "--sessions", "1"});
    sim.open();
    sim.handshake();
    sim.exchange(writeFrame(0x0000, filled(0x11)), 1); // block 0 is not stored in a file
    sim.exchange(writeFrame(0x0010, counting(0x20)), 1);
    sim.exchange(writeFrame(0x1270, counting(0x40)), 1);
    sim.send({0x45});
    ASSERT_EQ(sim.waitExit(), 0) << sim.errors();

    const Bytes saved = fileBytes(file);
    ASSERT_EQ(saved.size(), 4768u);
    const Bytes header = {0x50, 'K', 'Q', '5', '7', 'K',  'Q',  '5',
                          '7',  ' ', ' ', ' ', ' ', 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 16), header);
    EXPECT_EQ(Bytes(saved.begin() + 0x10, saved.begin() + 0x20), counting(0x20));
    EXPECT_EQ(Bytes(saved.begin() + 0x20, saved.begin() + 0x30), filled(0xFF));
    EXPECT_EQ(Bytes(saved.begin() + 0x1270, saved.begin() + 0x1280), counting(0x40));
    EXPECT_EQ(std::string(saved.begin() + 0x1280, saved.begin() + 0x1290), "ZS520A1234567890");
    EXPECT_EQ(Bytes(saved.begin() + 0x1290, saved.end()), filled(0x00));
    const auto entries = std::distance(fs::directory_iterator(file.parent_path()), {});
    EXPECT_EQ(entries, 1) << "no temporary file left behind";
}

TEST(RadioSim, StopSignalSavesAndRemovesTheLink) {
    TempDir dir;
    const fs::path file = dir / "radio.dat";
    const fs::path link = dir / "ttyRADIO";
    Sim sim({"--save", file.string(), "--link", link.string()});
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link).string(), sim.path());
    sim.open(link.string());
    sim.handshake();
    sim.exchange(writeFrame(0x0100, counting(0x50)), 1);

    EXPECT_EQ(sim.stop(), 0) << sim.errors();
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    const Bytes saved = fileBytes(file);
    ASSERT_EQ(saved.size(), 4768u);
    EXPECT_EQ(Bytes(saved.begin() + 0x100, saved.begin() + 0x110), counting(0x50));
}

TEST(RadioSim, ServesALoadedDataFile) {
    TempDir dir;
    const fs::path file = dir / "in.dat";
    Bytes content(4768);
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<std::uint8_t>(i * 7 + 3);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(content.data()),
               static_cast<std::streamsize>(content.size()));
    auto slice = [&content](std::size_t at) {
        return Bytes(content.begin() + static_cast<std::ptrdiff_t>(at),
                     content.begin() + static_cast<std::ptrdiff_t>(at + 16));
    };

    {
        Sim sim({"--load", file.string()});
        sim.open();
        sim.handshake();
        // Past the header, a file offset is the memory address; block 0 is not in the file.
        EXPECT_EQ(sim.exchange(readRequest(0x0000), 20), readReply(0x0000, filled(0xFF)));
        sim.exchange({0x06}, 1);
        EXPECT_EQ(sim.exchange(readRequest(0x0010), 20), readReply(0x0010, slice(0x10)));
        sim.exchange({0x06}, 1);
        EXPECT_EQ(sim.exchange(readRequest(0x1280), 20), readReply(0x1280, slice(0x1280)));
    }
    {
        Sim sim({"--load", file.string(), "--serial", "0123456789ABCDEF"});
        sim.open();
        sim.handshake();
        const Bytes serial = {'0', '1', '2', '3', '4', '5', '6', '7',
                              '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
        EXPECT_EQ(sim.exchange(readRequest(0x1280), 20), readReply(0x1280, serial));
    }
}

TEST(RadioSim, RefusesBadOptionsAndShortFiles) {
    TempDir dir;
    const fs::path file = dir / "short.dat";
    std::ofstream(file, std::ios::binary) << std::string(4767, 'x');
    const std::vector<std::vector<std::string>> cases = {
        {"--load", file.string()}, {"--load", (dir / "absent.dat").string()},
        {"--band", "256"},         {"--ident", "KQ5"},
        {"--fault", "nak-block"},  {"--fault", "split:0"},
        {"--fault", "melting"},    {"--baud"},
        {"--fault", "drop-write"}, {"--frobnicate"},
    };
    for (const auto& args : cases) {
        Sim sim(args);
        EXPECT_EQ(sim.path(), "") << args[0];
        EXPECT_EQ(sim.waitExit(), 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_FALSE(sim.errors().empty()) << args[0];
    }
    EXPECT_NE(Sim({"--load", file.string()}).errors().find("4767"), std::string::npos);
}

TEST(RadioSim, EndCommandInsteadOfTheIdentificationBlockEndsTheSession) {
    // What a program does when it does not know the radio's model.
    Sim sim({"--sessions", "1"});
    sim.open();
    EXPECT_EQ(sim.exchange(kWakeUpC, 1), Bytes{0x06});
    sim.exchange({0x02}, 8);
    sim.send({0x45});
    EXPECT_EQ(sim.waitExit(), 0) << sim.errors();
}

TEST(RadioSim, CalibrationTable) {
    Sim sim({});
    sim.open();
    EXPECT_EQ(sim.exchange({0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x67}, 1), Bytes{0x06});
    const Bytes row = sim.exchange({0x53, 0x02, 0x80, 0x10}, 20);
    ASSERT_EQ(row.size(), 20u);
    EXPECT_EQ(Bytes(row.begin(), row.begin() + 4), (Bytes{0x58, 0x02, 0x80, 0x10}));
    EXPECT_EQ(sim.exchange({0x58, 0x02, 0x8C, 0x01, 0xC8}, 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange({0x53, 0x02, 0x80, 0x10}, 20).at(4 + 12), 0xC8);
    sim.send({0x53, 0x04, 0x10, 0x10}); // past the table's 65 rows
    EXPECT_TRUE(sim.quietFor(200ms));
}

const Bytes kWakeUpG = {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x67};

Bytes tableRow(const Bytes& reply) {
    return reply.size() < 20 ? Bytes() : Bytes(reply.end() - 16, reply.end());
}

// Waits until `path` holds `size` bytes with `byte` at `offset`.
bool fileShows(const fs::path& path, std::size_t size, std::size_t offset, std::uint8_t byte) {
    const auto deadline = Clock::now() + kReplyWait;
    while (Clock::now() < deadline) {
        const Bytes bytes = fileBytes(path);
        if (bytes.size() == size && bytes[offset] == byte) return true;
        ::usleep(5000);
    }
    return false;
}

TEST(RadioSim, CalibrationFileIsServedAndKeptUpToDate) {
    TempDir dir;
    const fs::path file = dir / "table.bin";
    Bytes table(1040);
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<std::uint8_t>(i * 7);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(table.data()), 1040);

    Sim sim({"--calibration", file.string()});
    sim.open();
    EXPECT_EQ(sim.exchange(kWakeUpG, 1), Bytes{0x06});
    EXPECT_EQ(tableRow(sim.exchange({0x53, 0x04, 0x00, 0x10}, 20)),
              Bytes(table.begin() + 0x400, table.end()));
    EXPECT_EQ(sim.exchange({0x58, 0x02, 0x8C, 0x01, 0xC8}, 1), Bytes{0x06});
    EXPECT_TRUE(fileShows(file, 1040, 0x28C, 0xC8)) << "saved after the set";
    EXPECT_EQ(sim.stop(), 0) << sim.errors();
    table[0x28C] = 0xC8;
    EXPECT_EQ(fileBytes(file), table);
    const auto entries = std::distance(fs::directory_iterator(dir / ""), {});
    EXPECT_EQ(entries, 1) << "no temporary file left behind";
}

TEST(RadioSim, MissingCalibrationFileIsCreatedAndAWrongOneRefused) {
    TempDir dir;
    const fs::path file = dir / "new.bin";
    {
        Sim sim({"--calibration", file.string()});
        sim.open();
        EXPECT_EQ(sim.stop(), 0) << sim.errors();
    }
    const Bytes saved = fileBytes(file);
    ASSERT_EQ(saved.size(), 1040u);
    EXPECT_EQ(saved[16 * 40 + 10], 0x50);
    EXPECT_EQ(saved[16 * 40 + 12], 0xC8);

    const fs::path shortFile = dir / "short.bin";
    std::ofstream(shortFile, std::ios::binary) << "too short";
    Sim bad({"--calibration", shortFile.string()});
    EXPECT_EQ(bad.waitExit(), 2);
    EXPECT_NE(bad.errors().find("1040"), std::string::npos) << bad.errors();
}

TEST(RadioSimFaults, FaultsReachTheCalibrationTable) {
    {
        Sim sim({"--fault", "nak-block:40", "--fault", "garbage"});
        sim.open();
        sim.exchange(kWakeUpG, 1);
        EXPECT_EQ(sim.exchange({0x58, 0x02, 0x8C, 0x01, 0x01}, 1), Bytes{0x15});
        EXPECT_EQ(sim.exchange({0x58, 0x02, 0x9C, 0x01, 0x01}, 1), Bytes{0x06});
        const Bytes reply = sim.exchange({0x53, 0x02, 0x80, 0x10}, 23);
        ASSERT_EQ(reply.size(), 23u);
        EXPECT_EQ(Bytes(reply.begin() + 3, reply.begin() + 7), (Bytes{0x58, 0x02, 0x80, 0x10}));
        EXPECT_EQ(reply[3 + 4 + 12], 0xC8) << "a refused value is not stored";
    }
    {
        Sim sim({"--fault", "stop-after:1"});
        sim.open();
        sim.exchange(kWakeUpG, 1);
        EXPECT_EQ(sim.exchange({0x53, 0x00, 0x10, 0x10}, 20).size(), 20u);
        sim.send({0x53, 0x00, 0x20, 0x10});
        EXPECT_TRUE(sim.quietFor(300ms));
        EXPECT_EQ(sim.exchange(kWakeUpG, 1), Bytes{0x06});
    }
    {
        Sim sim({"--fault", "silent"});
        sim.open();
        sim.send(kWakeUpG);
        sim.send({0x53, 0x00, 0x00, 0x10});
        EXPECT_TRUE(sim.quietFor(300ms));
    }
}

TEST(RadioSimFaults, SilentWrongIdentsAndWrongAnswer) {
    {
        Sim sim({"--fault", "silent"});
        sim.open();
        sim.send(kWakeUpC);
        EXPECT_TRUE(sim.quietFor(300ms));
    }
    {
        Sim sim({"--fault", "lower-ident"});
        sim.open();
        sim.exchange(kWakeUpC, 1);
        EXPECT_EQ(sim.exchange({0x02}, 8), (Bytes{0x50, 'k', 'q', '5', '7', 0x00, 0x15, 0x00}));
    }
    {
        Sim sim({"--fault", "wrong-ident", "--fault", "wrong-answer"});
        sim.open();
        sim.exchange(kWakeUpC, 1);
        EXPECT_EQ(sim.exchange({0x02}, 8), (Bytes{0x50, 'X', 'X', '9', '9', 0x00, 0x15, 0x00}));
        EXPECT_EQ(sim.exchange(kExampleBlock, 1), Bytes{0x79});
    }
}

TEST(RadioSimFaults, NakBlockRefusesWriteAndReadOfThatBlock) {
    Sim sim({"--fault", "nak-block:2"});
    sim.open();
    sim.handshake();
    EXPECT_EQ(sim.exchange(writeFrame(0x0020, counting(0)), 1), Bytes{0x15});
    EXPECT_EQ(sim.exchange(writeFrame(0x0030, counting(0)), 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(readRequest(0x0020), 20), readReply(0x0020, filled(0xFF)))
        << "a refused write is not stored";
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x15});
    EXPECT_EQ(sim.exchange(readRequest(0x0030), 20), readReply(0x0030, counting(0)));
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});
}

TEST(RadioSimFaults, DropWriteAcknowledgesButKeepsTheOldBytes) {
    Sim sim({"--fault", "drop-write:2"});
    sim.open();
    sim.handshake();
    EXPECT_EQ(sim.exchange(writeFrame(0x0020, counting(0)), 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(writeFrame(0x0030, counting(0)), 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(readRequest(0x0020), 20), readReply(0x0020, filled(0xFF)));
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(readRequest(0x0030), 20), readReply(0x0030, counting(0)));
}

TEST(RadioSimFaults, StopAfterFallsSilentUntilTheNextWakeUp) {
    Sim sim({"--fault", "stop-after:1"});
    sim.open();
    sim.handshake();
    for (unsigned block = 0; block < 2; ++block) {
        EXPECT_EQ(sim.exchange(readRequest(block * 16), 20).size(), 20u);
        EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});
    }
    sim.send(readRequest(0x0020));
    EXPECT_TRUE(sim.quietFor(300ms));
    sim.handshake();
}

TEST(RadioSimFaults, HangupClosesTheLineAndExits) {
    Sim sim({"--fault", "hangup-after:0"});
    sim.open();
    sim.handshake();
    EXPECT_EQ(sim.exchange(writeFrame(0x0000, counting(0)), 1), Bytes{0x06});
    EXPECT_EQ(sim.waitExit(), 1);
}

TEST(RadioSimFaults, GarbageLengthensReadReplies) {
    Sim sim({"--fault", "garbage"});
    sim.open();
    sim.handshake();
    const Bytes reply = sim.exchange(readRequest(0x0040), 23);
    ASSERT_EQ(reply.size(), 23u);
    EXPECT_EQ(Bytes(reply.begin() + 3, reply.end()), readReply(0x0040, filled(0xFF)));
}

TEST(RadioSimFaults, SplitPacingAndDelayKeepTheBytes) {
    // split:3 sends a 20-byte reply as 7 pieces with 6 gaps of 5 ms.
    {
        Sim sim({"--fault", "split:3"});
        sim.open();
        sim.handshake();
        const auto start = Clock::now();
        EXPECT_EQ(sim.exchange(readRequest(0x0000), 20), readReply(0x0000, filled(0xFF)));
        EXPECT_GE(Clock::now() - start, 30ms);
        EXPECT_GE(sim.reads(), 2);
    }
    // At 1200 baud, 20 bytes of 11 bits take 183 ms on the line.
    {
        Sim sim({"--baud", "1200"});
        sim.open();
        sim.handshake();
        const auto start = Clock::now();
        EXPECT_EQ(sim.exchange(readRequest(0x0000), 20), readReply(0x0000, filled(0xFF)));
        const auto took = Clock::now() - start;
        EXPECT_GE(took, 183ms);
        EXPECT_LT(took, 1500ms);
    }
    {
        Sim sim({"--reply-delay", "150"});
        sim.open();
        const auto start = Clock::now();
        EXPECT_EQ(sim.exchange(kWakeUpA, 1), Bytes{0x06});
        EXPECT_GE(Clock::now() - start, 150ms);
    }
}

} // namespace
