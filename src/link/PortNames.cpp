#include "link/PortNames.h"

#include "settings/IniFile.h"
#include "settings/Language.h"

#include <algorithm>
#include <array>

namespace zorva {

namespace {

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = AsciiUpper(c);
    return text;
}

std::string Substitute(std::string text, const std::string& value,
                       const std::string& marker = "%1") {
    for (std::size_t at = text.find(marker); at != std::string::npos;
         at = text.find(marker, at + value.size())) {
        text.replace(at, marker.size(), value);
    }
    return text;
}

} // namespace

int ComNumber(const std::string& portName) {
    if (portName.size() < 4 || Upper(portName.substr(0, 3)) != "COM") return 0;
    int number = 0;
    for (std::size_t i = 3; i < portName.size(); ++i) {
        const char c = portName[i];
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
        if (number > kMaxPortNumber) return 0;
    }
    return number;
}

std::string ComName(int number) {
    return "COM" + std::to_string(number);
}

std::string StablePath(const std::string& device,
                       const std::vector<std::pair<std::string, std::string>>& byIdLinks) {
    std::string best;
    for (const auto& [link, target] : byIdLinks) {
        if (target == device && (best.empty() || link < best)) best = link;
    }
    return best.empty() ? device : best;
}

std::vector<std::pair<int, std::string>> MappedPorts(const IniFile& ini) {
    std::vector<std::pair<int, std::string>> mapped;
    for (int n = 1; n <= kMaxPortNumber; ++n) {
        std::string path = ini.Read(kPortsSection, ComName(n), "");
        if (!path.empty()) mapped.emplace_back(n, std::move(path));
    }
    return mapped;
}

int AssignPortNumbers(IniFile& ini, const std::vector<std::string>& stablePaths) {
    std::array<bool, kMaxPortNumber + 1> taken{};
    std::vector<std::string> known;
    for (auto& [n, path] : MappedPorts(ini)) {
        taken[static_cast<std::size_t>(n)] = true;
        known.push_back(std::move(path));
    }
    int added = 0;
    int next = 1;
    for (const std::string& path : stablePaths) {
        if (path.empty() || std::find(known.begin(), known.end(), path) != known.end()) continue;
        while (next <= kMaxPortNumber && taken[static_cast<std::size_t>(next)])
            ++next;
        if (next > kMaxPortNumber) break;
        ini.Write(kPortsSection, ComName(next), path);
        taken[static_cast<std::size_t>(next)] = true;
        known.push_back(path);
        ++added;
    }
    return added;
}

std::string ResolvePort(const IniFile& ini, const std::string& portName) {
    if (!portName.empty() && portName.front() == '/') return portName;
    const int number = ComNumber(portName);
    if (number == 0) return "";
    return ini.Read(kPortsSection, ComName(number), "");
}

std::string PortNameFor(const IniFile& ini, const std::string& device) {
    for (const auto& [n, path] : MappedPorts(ini)) {
        if (path == device) return ComName(n);
    }
    return "";
}

std::string ChoosePort(const std::string& stored, const std::vector<std::string>& listed) {
    std::string name = Upper(stored);
    if (listed.empty() || std::find(listed.begin(), listed.end(), name) != listed.end()) {
        return name;
    }
    return listed.front();
}

std::string PortReplacedNotice(const std::string& stored, const std::string& chosen,
                               const TLanguage& language) {
    if (stored.empty() || Upper(stored) == chosen) return {};
    return Substitute(Substitute(language.PortReplaced, stored), chosen, "%2");
}

std::string PortFailureText(PortFailure failure, const std::string& subject,
                            const std::string& detail, const TLanguage& language) {
    switch (failure) {
    case PortFailure::Unmapped:
        return Substitute(language.PortUnmapped, subject);
    case PortFailure::Absent:
        return Substitute(language.PortAbsent, subject);
    case PortFailure::InUse:
        return Substitute(language.PortInUse, subject);
    case PortFailure::Denied:
        return Substitute(language.PortDenied, subject);
    case PortFailure::Other:
        break;
    }
    return detail;
}

} // namespace zorva
