#include "link/qt/PortList.h"

#include "link/PortNames.h"
#include "link/qt/LocalPath.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace zorva {

namespace {

constexpr const char* kByIdFolder = "/dev/serial/by-id";

// Where a path leads; empty when it does not exist.
std::string Canonical(const std::string& path) {
    return ToLocalPath(QFileInfo(FromLocalPath(path)).canonicalFilePath());
}

std::vector<std::pair<std::string, std::string>> ByIdLinks() {
    std::vector<std::pair<std::string, std::string>> links;
    const QDir folder(QString::fromLatin1(kByIdFolder));
    for (const QFileInfo& link :
         folder.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        links.emplace_back(ToLocalPath(link.absoluteFilePath()),
                           ToLocalPath(link.canonicalFilePath()));
    }
    return links;
}

bool CanOpen(const std::string& device) {
    QSerialPort probe;
    probe.setPortName(FromLocalPath(device));
    if (!probe.open(QIODevice::ReadWrite)) return false;
    probe.close();
    return true;
}

} // namespace

namespace {

// The system's serial devices with their descriptions.
std::map<std::string, std::string> SystemDevices() {
    std::map<std::string, std::string> descriptions;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        std::string device = Canonical(ToLocalPath(info.systemLocation()));
        if (device.empty()) continue;
        QString description = info.description();
        if (description.isEmpty()) description = info.manufacturer();
        descriptions.emplace(std::move(device), description.toStdString());
    }
    return descriptions;
}

// Numbers the devices that no mapped path leads to yet and saves the file when any was new.
void Number(IniFile& ini, const std::map<std::string, std::string>& devices,
            const std::string& settingsPath) {
    std::set<std::string> known;
    for (const auto& [n, path] : MappedPorts(ini)) {
        const std::string device = Canonical(path);
        if (!device.empty()) known.insert(device);
    }
    const auto links = ByIdLinks();
    std::vector<std::string> fresh;
    for (const auto& [device, description] : devices) {
        if (!known.contains(device)) fresh.push_back(StablePath(device, links));
    }
    if (AssignPortNumbers(ini, fresh) > 0 && !settingsPath.empty()) {
        // Without a writable settings file the numbers hold for this session only.
        std::string error;
        ini.Save(settingsPath, error);
    }
}

} // namespace

void NumberPorts(IniFile& ini, const std::string& settingsPath) {
    Number(ini, SystemDevices(), settingsPath);
}

std::vector<ListedPort> ListPorts(const std::string& settingsPath) {
    IniFile ini;
    if (!settingsPath.empty()) ini.Load(settingsPath);
    const auto descriptions = SystemDevices();
    Number(ini, descriptions, settingsPath);

    std::vector<ListedPort> ports;
    std::set<std::string> listed;
    for (const auto& [n, path] : MappedPorts(ini)) {
        const std::string device = Canonical(path);
        if (device.empty() || !listed.insert(device).second || !CanOpen(device)) continue;
        const auto found = descriptions.find(device);
        ports.push_back({n, ComName(n), path, found == descriptions.end() ? "" : found->second});
    }
    return ports;
}

std::vector<std::string> PortNamesOf(const std::vector<ListedPort>& ports) {
    std::vector<std::string> names;
    names.reserve(ports.size());
    for (const ListedPort& port : ports)
        names.push_back(port.name);
    return names;
}

} // namespace zorva
