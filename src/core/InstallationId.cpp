#include "core/InstallationId.h"

#include <cstdint>
#include <cstdio>
#include <fstream>

namespace zorva {

namespace {

std::string FirstLineOf(const char* path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

} // namespace

std::string ComputeInstallationId(const std::string& fallbackSeed) {
    std::string seed = FirstLineOf("/etc/machine-id");
    if (seed.empty()) seed = FirstLineOf("/var/lib/dbus/machine-id");
    if (seed.empty()) seed = fallbackSeed;
    // FNV-1a: stable across runs and builds, unlike std::hash.
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : seed) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(hash));
    return text;
}

} // namespace zorva
