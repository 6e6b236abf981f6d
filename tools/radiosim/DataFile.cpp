#include "DataFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace radiosim {

namespace {

std::string systemError(std::string_view what, const std::string& path) {
    return std::string(what) + " '" + path + "': " + std::strerror(errno);
}

std::string readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return systemError("cannot open", path);
    std::uint8_t chunk[8192];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            std::string error = systemError("cannot read", path);
            ::close(fd);
            return error;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (bytes.size() > kDataFileSize) break; // the rest is never used
    }
    ::close(fd);
    return {};
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Writes `bytes` to a temporary file beside `path` and renames it over `path`, so a failed
// save keeps the old file.
std::string replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return systemError("cannot create a temporary file beside", path);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask); // mkstemp makes 0600; a saved file is an ordinary document
    const bool written = writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    std::string error = written ? std::string() : systemError("cannot write", temp);
    if (::close(fd) != 0 && error.empty()) error = systemError("cannot write", temp);
    if (error.empty() && ::rename(temp.c_str(), path.c_str()) != 0)
        error = systemError("cannot replace", path);
    if (!error.empty()) ::unlink(temp.c_str());
    return error;
}

} // namespace

Memory blankMemory(std::string_view serial) {
    Memory memory;
    memory.fill(0xFF);
    setSerial(memory, serial);
    return memory;
}

void setSerial(Memory& memory, std::string_view serial) {
    for (std::size_t i = 0; i < kSerialSize; ++i)
        memory[kSerialAddress + i] =
            i < serial.size() ? static_cast<std::uint8_t>(serial[i]) : 0x20;
}

std::string loadDataFile(const std::string& path, Memory& memory) {
    std::vector<std::uint8_t> bytes;
    if (std::string error = readWholeFile(path, bytes); !error.empty()) return error;
    if (bytes.size() < kDataFileSize)
        return "'" + path + "' is not a data file: " + std::to_string(bytes.size()) +
               " bytes, a data file has " + std::to_string(kDataFileSize);
    std::copy(bytes.begin() + kFileHeaderSize, bytes.begin() + kMemorySize,
              memory.begin() + kFileHeaderSize);
    return {};
}

std::string saveDataFile(const std::string& path, const Memory& memory, std::string_view ident) {
    std::vector<std::uint8_t> bytes(kDataFileSize, 0x00);
    std::fill(bytes.begin(), bytes.begin() + kFileHeaderSize, 0xFF);
    bytes[0] = 'P';
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint8_t c = i < ident.size() ? static_cast<std::uint8_t>(ident[i]) : 0x20;
        bytes[1 + i] = c;
        bytes[5 + i] = c;
        bytes[9 + i] = 0x20;
    }
    std::copy(memory.begin() + kFileHeaderSize, memory.end(), bytes.begin() + kFileHeaderSize);
    // The file's block 297 lies beyond the radio's memory and stays zero.

    return replaceFile(path, bytes);
}

std::string loadCalibrationFile(const std::string& path, Calibration& table, bool& missing) {
    struct stat status {};
    missing = ::stat(path.c_str(), &status) != 0 && errno == ENOENT;
    if (missing) return {};
    std::vector<std::uint8_t> bytes;
    if (std::string error = readWholeFile(path, bytes); !error.empty()) return error;
    if (bytes.size() != kCalibrationSize)
        return "'" + path + "' is not a power-test table: " + std::to_string(bytes.size()) +
               " bytes, a table has " + std::to_string(kCalibrationSize);
    std::copy(bytes.begin(), bytes.end(), table.begin());
    return {};
}

std::string saveCalibrationFile(const std::string& path, const Calibration& table) {
    return replaceFile(path, std::vector<std::uint8_t>(table.begin(), table.end()));
}

} // namespace radiosim
