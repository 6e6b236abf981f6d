#include "link/PortNames.h"

#include "settings/IniFile.h"
#include "settings/Language.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zorva {
namespace {

IniFile Ini(const std::string& content) {
    IniFile ini;
    ini.Parse(content);
    return ini;
}

TEST(PortNamesTest, ComNumberAcceptsOnlyComAndADecimalNumberUpTo256) {
    EXPECT_EQ(ComNumber("COM1"), 1);
    EXPECT_EQ(ComNumber("com12"), 12);
    EXPECT_EQ(ComNumber("Com256"), 256);
    EXPECT_EQ(ComNumber("COM257"), 0);
    EXPECT_EQ(ComNumber("COM0"), 0);
    EXPECT_EQ(ComNumber("COM"), 0);
    EXPECT_EQ(ComNumber("COM1a"), 0);
    EXPECT_EQ(ComNumber("COM-1"), 0);
    EXPECT_EQ(ComNumber("/dev/ttyUSB0"), 0);
}

TEST(PortNamesTest, StablePathPrefersTheByIdLinkOfTheDevice) {
    const std::vector<std::pair<std::string, std::string>> links = {
        {"/dev/serial/by-id/usb-Cable_B-if00", "/dev/ttyUSB1"},
        {"/dev/serial/by-id/usb-Cable_A-if00", "/dev/ttyUSB0"},
        {"/dev/serial/by-id/usb-Cable_0-if00", "/dev/ttyUSB0"},
    };
    EXPECT_EQ(StablePath("/dev/ttyUSB1", links), "/dev/serial/by-id/usb-Cable_B-if00");
    // Two links to one device: the same one every time, whatever order the folder lists.
    EXPECT_EQ(StablePath("/dev/ttyUSB0", links), "/dev/serial/by-id/usb-Cable_0-if00");
    EXPECT_EQ(StablePath("/dev/ttyS0", links), "/dev/ttyS0");
    EXPECT_EQ(StablePath("/dev/ttyS0", {}), "/dev/ttyS0");
}

TEST(PortNamesTest, NewDevicesTakeTheLowestFreeNumbersAndKnownOnesKeepTheirs) {
    IniFile ini = Ini("[SysInfo]\n"
                      "Com=COM3\n"
                      "[Ports]\n"
                      "; the user's own pseudo-terminal\n"
                      "COM2=/dev/pts/7\n"
                      "com4 = /dev/ttyUSB0\n");
    const int added = AssignPortNumbers(
        ini, {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyUSB1"});
    EXPECT_EQ(added, 3);
    EXPECT_EQ(ini.Read(kPortsSection, "COM1", ""), "/dev/ttyUSB1");
    EXPECT_EQ(ini.Read(kPortsSection, "COM2", ""), "/dev/pts/7");
    EXPECT_EQ(ini.Read(kPortsSection, "COM3", ""), "/dev/ttyS0");
    EXPECT_EQ(ini.Read(kPortsSection, "COM4", ""), "/dev/ttyUSB0");
    EXPECT_EQ(ini.Read(kPortsSection, "COM5", ""), "/dev/ttyS1");
    EXPECT_EQ(ini.Read("SysInfo", "Com", ""), "COM3");
    EXPECT_NE(ini.Content().find("; the user's own pseudo-terminal\n"), std::string::npos);

    // A second listing of the same devices changes nothing.
    const std::string before = ini.Content();
    EXPECT_EQ(AssignPortNumbers(ini, {"/dev/ttyS1", "/dev/ttyUSB1", "/dev/ttyUSB0"}), 0);
    EXPECT_EQ(ini.Content(), before);
}

TEST(PortNamesTest, NumberingStartsAnEmptyFileAndStopsWhenAllNumbersAreTaken) {
    IniFile ini;
    EXPECT_EQ(AssignPortNumbers(ini, {"/dev/ttyACM0"}), 1);
    EXPECT_EQ(ini.Content(), "[Ports]\nCOM1=/dev/ttyACM0\n");

    std::vector<std::string> many;
    for (int i = 0; i < 300; ++i)
        many.push_back("/dev/ttyX" + std::to_string(i));
    EXPECT_EQ(AssignPortNumbers(ini, many), kMaxPortNumber - 1);
    EXPECT_EQ(ini.Read(kPortsSection, "COM256", ""), "/dev/ttyX254");
    EXPECT_EQ(MappedPorts(ini).size(), static_cast<std::size_t>(kMaxPortNumber));
}

TEST(PortNamesTest, ResolveAndReverseLookUp) {
    const IniFile ini = Ini("[ports]\nCOM3=/dev/pts/4\nCOM7=/dev/serial/by-id/usb-X\n"
                            "COM9=/dev/pts/4\nCOM300=/dev/ttyZ\n");
    EXPECT_EQ(ResolvePort(ini, "COM3"), "/dev/pts/4");
    EXPECT_EQ(ResolvePort(ini, "com7"), "/dev/serial/by-id/usb-X");
    EXPECT_EQ(ResolvePort(ini, "COM1"), "");
    EXPECT_EQ(ResolvePort(ini, "COM300"), "");
    EXPECT_EQ(ResolvePort(ini, "ttyUSB0"), "");
    EXPECT_EQ(ResolvePort(ini, "/dev/ttyUSB0"), "/dev/ttyUSB0");

    EXPECT_EQ(PortNameFor(ini, "/dev/pts/4"), "COM3");
    EXPECT_EQ(PortNameFor(ini, "/dev/serial/by-id/usb-X"), "COM7");
    EXPECT_EQ(PortNameFor(ini, "/dev/ttyUSB0"), "");
}

TEST(PortNamesTest, ChoosePortAtStartUp) {
    EXPECT_EQ(ChoosePort("com2", {"COM1", "COM2"}), "COM2");
    EXPECT_EQ(ChoosePort("COM2", {"COM1", "COM4"}), "COM1");
    EXPECT_EQ(ChoosePort("com2", {}), "COM2");
    EXPECT_EQ(ChoosePort("", {"COM5"}), "COM5");

    EXPECT_EQ(PortReplacedNotice("com7", "COM1", TLanguage{}), "com7 not found, using COM1");
    EXPECT_EQ(PortReplacedNotice("com2", "COM2", TLanguage{}), "");
    EXPECT_EQ(PortReplacedNotice("", "COM5", TLanguage{}), "");
}

TEST(PortNamesTest, FailureTextsNameTheDeviceAndWhatToDo) {
    EXPECT_EQ(PortFailureText(PortFailure::Absent, "/dev/ttyUSB0", "ignored", TLanguage{}),
              "The device /dev/ttyUSB0 is not present. Connect the programming cable or choose "
              "another port.");
    const std::string denied =
        PortFailureText(PortFailure::Denied, "/dev/ttyUSB0", "", TLanguage{});
    EXPECT_NE(denied.find("/dev/ttyUSB0"), std::string::npos);
    EXPECT_NE(denied.find("dialout"), std::string::npos);
    EXPECT_NE(PortFailureText(PortFailure::Unmapped, "COM9", "", TLanguage{}).find("COM9"),
              std::string::npos);
    EXPECT_EQ(PortFailureText(PortFailure::Other, "/dev/x", "Input/output error", TLanguage{}),
              "Input/output error");

    TLanguage language;
    language.PortInUse = "%1 busy, %1 taken";
    EXPECT_EQ(PortFailureText(PortFailure::InUse, "COM%1", "", language),
              "COM%1 busy, COM%1 taken");
}

} // namespace
} // namespace zorva
