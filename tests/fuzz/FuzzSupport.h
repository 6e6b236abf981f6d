// What the fuzz targets share: a check that stops the run with a message, a reader that
// turns the fuzzer's bytes into choices and texts, and files of this process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorva::fuzz {

// A property that does not hold is a finding: print what and where, then abort so that the
// fuzzer keeps the input and the replay test fails.
[[noreturn]] void Fail(const char* what, const char* file, int line, const std::string& detail);

#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition)) ::zorva::fuzz::Fail(#condition, __FILE__, __LINE__, (detail));           \
    } while (false)

// Takes choices and texts from the front of the input; an exhausted input gives zeros and
// empty texts.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }
    uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
    // A number in [0, count).
    int Pick(int count) { return count <= 0 ? 0 : Byte() % count; }
    // A text of up to 255 bytes, its length first.
    std::string Text();
    // Everything that is left.
    std::string Rest();

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A file of its own for this process (parallel fuzzing jobs must not share one), in a
// folder removed when the process ends.
std::string ScratchFile(const std::string& name);
// Writes the bytes to the file, replacing it.
void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);

} // namespace zorva::fuzz
