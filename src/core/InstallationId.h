#pragma once

#include <string>

namespace zorva {

// A stable text of 16 upper-case hexadecimal characters for this machine, sent to the radio
// in the handshake. Derived from the machine id when there is one, else from `fallbackSeed`.
std::string ComputeInstallationId(const std::string& fallbackSeed);

} // namespace zorva
