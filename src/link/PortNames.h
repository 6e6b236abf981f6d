// Port names on systems without "COMn" devices. The program speaks of "COM1".."COM256"; the
// [Ports] section of SysInfo.Ini maps each to a device path, so that a cable keeps its number
// from one session to the next. A device seen for the first time gets the lowest free number
// under its stable path (its /dev/serial/by-id link when it has one). A user may write any path
// there, a pseudo-terminal for example.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zorva {

class IniFile;
class TLanguage;

inline constexpr const char* kPortsSection = "Ports";
inline constexpr int kMaxPortNumber = 256;

// The n of "COMn" (letters in any case, n in 1..256); 0 for any other text.
int ComNumber(const std::string& portName);
std::string ComName(int number);

// The path under which `device` is remembered: a link of `byIdLinks` (pairs of link path and
// the device it points at) that points at it, the first by name when several do; else the
// device itself.
std::string StablePath(const std::string& device,
                       const std::vector<std::pair<std::string, std::string>>& byIdLinks);

// Every mapped port, by number: (n, path).
std::vector<std::pair<int, std::string>> MappedPorts(const IniFile& ini);

// Gives every path not yet mapped the lowest free number and writes it into [Ports]; known
// paths keep theirs. Returns how many were added (0 when all 256 numbers are taken).
int AssignPortNumbers(IniFile& ini, const std::vector<std::string>& stablePaths);

// The device to open for a port name: "COMn" through the map, a name starting with "/" as
// it is; empty when the name is not mapped.
std::string ResolvePort(const IniFile& ini, const std::string& portName);

// "COMn" of the lowest number mapped to `device`; empty when none is.
std::string PortNameFor(const IniFile& ini, const std::string& device);

// The port at start-up: the stored name upper-cased; when it is not listed, the first listed
// name; with an empty list the stored name stays.
std::string ChoosePort(const std::string& stored, const std::vector<std::string>& listed);
// What the user is told when ChoosePort took another port than the stored one (a read must
// not reach another device unnoticed); empty when the stored port is used.
std::string PortReplacedNotice(const std::string& stored, const std::string& chosen,
                               const TLanguage& language);

// Why a port did not open, told so that the user knows what to do.
enum class PortFailure { Unmapped, Absent, InUse, Denied, Other };

// The reason for `failure` in the language's words, "%1" replaced by `subject` (the port name
// for Unmapped, else the device); Other gives `detail` (the system's own words).
std::string PortFailureText(PortFailure failure, const std::string& subject,
                            const std::string& detail, const TLanguage& language);

} // namespace zorva
