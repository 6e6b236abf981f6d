#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace radiosim {

inline constexpr std::size_t kBlockSize = 16;
inline constexpr std::size_t kMemorySize = 4752; // blocks 0..296
inline constexpr std::size_t kSerialAddress = 0x1280;
inline constexpr std::size_t kSerialSize = 16;
inline constexpr std::size_t kFileHeaderSize = 16;
inline constexpr std::size_t kDataFileSize = 4768; // header + image blocks 1..297

using Memory = std::array<std::uint8_t, kMemorySize>;

inline constexpr std::size_t kCalibrationSize = 1040; // 65 rows of 16
using Calibration = std::array<std::uint8_t, kCalibrationSize>;

// Erased memory (all 0xFF) carrying a serial number.
Memory blankMemory(std::string_view serial);
// The serial number block: the text, padded with spaces to 16 bytes.
void setSerial(Memory& memory, std::string_view serial);

// A data file holds the header and then image blocks 1..297, so a file offset past the header
// equals the memory address. Memory 0x0010..0x128F comes from the file; block 0 is not stored and
// the file's block 297 lies beyond the radio's memory. Returns an error text, empty on success;
// on failure the memory is untouched.
std::string loadDataFile(const std::string& path, Memory& memory);
// Writes through a temporary file renamed over the target, so a failed save keeps the old file.
std::string saveDataFile(const std::string& path, const Memory& memory, std::string_view ident);

// The power-test table as a file of exactly its 1040 bytes. Loading a file that does not
// exist leaves the table as it is and sets `missing`; any other failure returns an error text.
std::string loadCalibrationFile(const std::string& path, Calibration& table, bool& missing);
// Written like a data file, through a temporary file.
std::string saveCalibrationFile(const std::string& path, const Calibration& table);

} // namespace radiosim
