// The serial ports that can be opened at this moment, as "COMn" names. Devices found for the
// first time are numbered and remembered in the [Ports] section of SysInfo.Ini.
#pragma once

#include <string>
#include <vector>

namespace zorva {

class IniFile;

struct ListedPort {
    int number = 0;
    std::string name;        // "COMn"
    std::string device;      // the path in [Ports]
    std::string description; // what the system says the device is; may be empty
};

// The serial devices the system knows and the mapped devices that exist (a pseudo-terminal a
// user wrote into [Ports]), numbered through the file at `settingsPath` (written in place
// when a device is new), each probed by opening and closing it at once. Sorted by number;
// one entry per device, under its lowest number.
std::vector<ListedPort> ListPorts(const std::string& settingsPath);

// Only the numbering: the system's new devices are added to `ini` (loaded from
// `settingsPath`) and the file is saved when any was new. Nothing is opened.
void NumberPorts(IniFile& ini, const std::string& settingsPath);

std::vector<std::string> PortNamesOf(const std::vector<ListedPort>& ports);

} // namespace zorva
