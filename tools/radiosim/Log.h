#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace radiosim {

// Diagnostics on stderr. Frames and notes appear only with --verbose; warnings (frames the radio
// refuses, files it cannot use) always, since they point at a fault in the program under test.
class Log {
public:
    explicit Log(bool verbose);

    bool verbose() const { return verbose_; }
    void frame(std::string_view direction, std::string_view what,
               std::span<const std::uint8_t> bytes) const;
    void note(std::string_view text) const;
    void warn(std::string_view text) const;

private:
    bool verbose_;
};

} // namespace radiosim
