#include "Log.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace radiosim {

namespace {

const auto startTime = std::chrono::steady_clock::now();

std::string stamp() {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - startTime)
                        .count();
    char text[32];
    std::snprintf(text, sizeof text, "%8lld ms", static_cast<long long>(ms));
    return text;
}

} // namespace

Log::Log(bool verbose) : verbose_(verbose) {}

void Log::frame(std::string_view direction, std::string_view what,
                std::span<const std::uint8_t> bytes) const {
    if (!verbose_) return;
    std::string hex;
    hex.reserve(bytes.size() * 3);
    for (const std::uint8_t b : bytes) {
        char two[4];
        std::snprintf(two, sizeof two, " %02X", b);
        hex += two;
    }
    std::fprintf(stderr, "zorva-radiosim %s %.*s %.*s:%s\n", stamp().c_str(),
                 static_cast<int>(direction.size()), direction.data(),
                 static_cast<int>(what.size()), what.data(), hex.c_str());
}

void Log::note(std::string_view text) const {
    if (!verbose_) return;
    std::fprintf(stderr, "zorva-radiosim %s    %.*s\n", stamp().c_str(),
                 static_cast<int>(text.size()), text.data());
}

void Log::warn(std::string_view text) const {
    std::fprintf(stderr, "zorva-radiosim: %.*s\n", static_cast<int>(text.size()), text.data());
}

} // namespace radiosim
