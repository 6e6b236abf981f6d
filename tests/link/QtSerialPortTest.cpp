#include "link/qt/QtSerialPort.h"

#include "TestSupport.h"
#include "core/MacType.h"
#include "core/TAll.h"
#include "link/PtyPair.h"
#include "link/ReadEngine.h"
#include "link/qt/LinkWiring.h"
#include "link/qt/PortList.h"
#include "link/qt/QtLinkTimers.h"
#include "settings/Language.h"

#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace zorva {
namespace {

using test::PtyPair;
using test::TempDir;

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

class QtSerialPortTest : public testing::Test {
protected:
    void MapPorts(const std::string& lines) {
        dir.Write("SysInfo.Ini", "[SysInfo]\nCom=COM5\n[Ports]\n" + lines);
    }
    std::string Settings() const { return dir.File("SysInfo.Ini"); }

    TempDir dir;
    PtyPair pty;
};

TEST_F(QtSerialPortTest, OpensAMappedComNameAndCarriesBytesBothWaysInOrder) {
    MapPorts("COM5=" + pty.SlavePath() + "\n");
    QtSerialPort port(Settings());
    std::vector<uint8_t> received;
    int events = 0;
    port.SetBytesHandler([&](const uint8_t* bytes, int count) {
        received.insert(received.end(), bytes, bytes + count);
        ++events;
    });

    std::string error;
    ASSERT_TRUE(port.Open("com5", 4800, error)) << error;
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.Device(), pty.SlavePath());

    pty.Send({0x06});
    pty.Send(Bytes("KQ57"));
    ASSERT_TRUE(test::WaitFor([&] { return received.size() == std::size_t{5}; }, 2000));
    pty.Send({0x00, 0xFF, 0x0A, 0x0D, 0x11, 0x13});
    ASSERT_TRUE(test::WaitFor([&] { return received.size() == std::size_t{11}; }, 2000));
    // Raw line: no translation of CR/LF, no flow-control characters eaten.
    EXPECT_EQ(received,
              (std::vector<uint8_t>{0x06, 'K', 'Q', '5', '7', 0x00, 0xFF, 0x0A, 0x0D, 0x11, 0x13}));
    EXPECT_GE(events, 2);

    const std::vector<uint8_t> frame = {0x52, 0x12, 0x80, 0x10, 0x0A, 0x0D, 0x00};
    ASSERT_TRUE(port.Write(frame.data(), static_cast<int>(frame.size())));
    EXPECT_TRUE(port.WaitDrained(1000));
    EXPECT_EQ(pty.Receive(frame.size(), 1000), frame);

    port.Close();
    EXPECT_FALSE(port.IsOpen());
    port.Close();
    const uint8_t ack = 0x06;
    EXPECT_FALSE(port.Write(&ack, 1));
}

TEST_F(QtSerialPortTest, DiscardDropsWhatWaitsUnread) {
    MapPorts("COM5=" + pty.SlavePath() + "\n");
    QtSerialPort port(Settings());
    std::vector<uint8_t> received;
    port.SetBytesHandler([&](const uint8_t* bytes, int count) {
        received.insert(received.end(), bytes, bytes + count);
    });
    std::string error;
    ASSERT_TRUE(port.Open("COM5", 4800, error)) << error;
    pty.Send(Bytes("stale"));
    QTest::qSleep(50); // in the driver, not yet taken by the event loop
    ASSERT_TRUE(port.DiscardBuffers());
    pty.Send({0x06});
    ASSERT_TRUE(test::WaitFor([&] { return !received.empty(); }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(received, std::vector<uint8_t>{0x06});
}

TEST_F(QtSerialPortTest, OpeningFailuresSayWhatIsWrong) {
    MapPorts("COM3=/dev/zorva-no-such-device\nCOM4=" + pty.SlavePath() + "\n");
    QtSerialPort port(Settings());
    std::string error;

    EXPECT_FALSE(port.Open("COM9", 4800, error));
    EXPECT_NE(error.find("COM9 is not assigned"), std::string::npos) << error;

    error.clear();
    EXPECT_FALSE(port.Open("COM3", 4800, error));
    EXPECT_NE(error.find("/dev/zorva-no-such-device is not present"), std::string::npos) << error;

    error.clear();
    EXPECT_FALSE(port.Open("/dev/zorva-other", 4800, error));
    EXPECT_NE(error.find("/dev/zorva-other is not present"), std::string::npos) << error;

    // Another window (or program) has the device: refused, and named as in use.
    QtSerialPort holder(Settings());
    ASSERT_TRUE(holder.Open("COM4", 4800, error)) << error;
    error.clear();
    EXPECT_FALSE(port.Open("COM4", 4800, error));
    EXPECT_NE(error.find("in use"), std::string::npos) << error;
    EXPECT_FALSE(port.IsOpen());
    holder.Close();
    EXPECT_TRUE(port.Open("COM4", 4800, error)) << error;
}

TEST_F(QtSerialPortTest, PermissionDeniedPointsToTheDialoutGroup) {
    if (geteuid() == 0) GTEST_SKIP() << "root may open any device";
    ASSERT_EQ(chmod(pty.SlavePath().c_str(), 0), 0);
    QtSerialPort port;
    std::string error;
    EXPECT_FALSE(port.Open(pty.SlavePath(), 4800, error));
    EXPECT_NE(error.find("dialout"), std::string::npos) << error;
}

TEST_F(QtSerialPortTest, ADeviceThatGoesAwayFallsSilentAndTakesNoMoreWrites) {
    MapPorts("COM5=" + pty.SlavePath() + "\n");
    QtSerialPort port(Settings());
    int lineErrors = 0;
    port.SetLineErrorHandler([&] { ++lineErrors; });
    std::string error;
    ASSERT_TRUE(port.Open("COM5", 4800, error)) << error;

    pty.CloseMaster();
    ASSERT_TRUE(test::WaitFor([&] { return port.Lost(); }, 2000));
    EXPECT_FALSE(port.IsOpen());
    const uint8_t ack = 0x06;
    EXPECT_FALSE(port.Write(&ack, 1));
    EXPECT_FALSE(port.WaitDrained(100));
    EXPECT_FALSE(port.DiscardBuffers());
    QTest::qWait(50);
    EXPECT_EQ(lineErrors, 0);
    port.Close();
    EXPECT_FALSE(port.Lost());
}

TEST_F(QtSerialPortTest, ListingNumbersNewDevicesAndOffersOnlyWhatOpens) {
    PtyPair second;
    dir.Write("SysInfo.Ini", "[SysInfo]\nCom=COM2\n[Ports]\nCOM2=" + pty.SlavePath() +
                                 "\nCOM3=/dev/zorva-unplugged\nCOM7=" + second.SlavePath() +
                                 "\nCOM9=" + pty.SlavePath() + "\n");
    QtSerialPort holder(Settings());
    std::string error;
    ASSERT_TRUE(holder.Open("COM7", 4800, error)) << error;

    const std::vector<ListedPort> ports = ListPorts(Settings());
    std::vector<int> numbers;
    for (const ListedPort& port : ports)
        numbers.push_back(port.number);
    EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end()));
    auto find = [&](int number) {
        for (const ListedPort& port : ports)
            if (port.number == number) return &port;
        return static_cast<const ListedPort*>(nullptr);
    };
    ASSERT_NE(find(2), nullptr);
    EXPECT_EQ(find(2)->name, "COM2");
    EXPECT_EQ(find(2)->device, pty.SlavePath());
    EXPECT_EQ(find(3), nullptr); // absent
    EXPECT_EQ(find(7), nullptr); // in use
    EXPECT_EQ(find(9), nullptr); // the same device as COM2

    // The file keeps what it had; devices of this machine, if any, were added to it.
    const std::string content = dir.Read("SysInfo.Ini");
    EXPECT_EQ(content.rfind("[SysInfo]\nCom=COM2\n[Ports]\nCOM2=" + pty.SlavePath() + "\n", 0), 0u);
    EXPECT_NE(content.find("COM3=/dev/zorva-unplugged\n"), std::string::npos);

    holder.Close();
    const std::vector<std::string> names = PortNamesOf(ListPorts(Settings()));
    EXPECT_NE(std::find(names.begin(), names.end(), "COM7"), names.end());
}

// The window's side of an exchange, counting what the engine asks of it.
struct CountingUser : LinkUser {
    int ShowMsg(const std::string&, const std::string& text, MsgKind) override {
        shown.push_back(text);
        return kResultOk;
    }
    void SetProgress(int, int) override {}
    void SetOkEnabled(bool) override {}
    void CloseWindow() override { ++closed; }
    std::vector<std::string> shown;
    int closed = 0;
};

TEST_F(QtSerialPortTest, WiringCarriesTimersAndBytesBetweenPortAndEngineUntilDisconnected) {
    TALL all;
    all.PortName = pty.SlavePath();
    all.BaudRate = 9600;
    const TMacList models;
    const TLanguage language;
    CountingUser user;
    LinkWiring link(dir.Path(), language);
    ReadEngine engine(link.ExchangeContext(all, models, user));
    link.Connect(engine);

    // The port opens after a pause: the Pause timer reached the engine.
    engine.FormShow();
    ASSERT_TRUE(test::WaitFor([&] { return link.Port().IsOpen(); }, 2000)) << user.shown.size();
    engine.Start();
    std::vector<uint8_t> sent;
    const auto sentAtLeast = [&](std::size_t count) {
        return test::WaitFor(
            [&] {
                const auto got = pty.ReadNow();
                sent.insert(sent.end(), got.begin(), got.end());
                return sent.size() >= count;
            },
            3000);
    };
    // Both wake-ups, the second after xTimer.
    ASSERT_TRUE(sentAtLeast(16));
    EXPECT_EQ(std::string(sent.begin(), sent.begin() + 7), "PROGRAM");
    EXPECT_EQ(std::string(sent.begin() + 8, sent.begin() + 15), "PROGRAM");
    // The acknowledgement reached the engine, which asks for the ident.
    pty.Send({0x06});
    ASSERT_TRUE(sentAtLeast(17));
    EXPECT_EQ(sent[16], 0x02);

    link.Timers().Start(LinkTimer::CloseDelay, 0);
    ASSERT_TRUE(test::WaitFor([&] { return user.closed == 1; }, 1000));
    link.Disconnect();
    link.Timers().Start(LinkTimer::CloseDelay, 0);
    QTest::qWait(50);
    EXPECT_EQ(user.closed, 1);
    engine.FormClose();
}

TEST(QtLinkTimersTest, SingleShotRestartableAndStoppable) {
    std::vector<LinkTimer> fired;
    QtLinkTimers timers([&](LinkTimer timer) { fired.push_back(timer); });
    timers.Start(LinkTimer::HandshakeTimeout, 60);
    timers.Start(LinkTimer::Pause, 20);
    timers.Start(LinkTimer::ReplyTimeout, 30);
    timers.Stop(LinkTimer::ReplyTimeout);
    QTest::qWait(40);
    timers.Start(LinkTimer::HandshakeTimeout, 60); // restarted: fires 60 ms from now, not 20
    QTest::qWait(40);
    EXPECT_EQ(fired, std::vector<LinkTimer>{LinkTimer::Pause});
    ASSERT_TRUE(test::WaitFor([&] { return fired.size() == std::size_t{2}; }, 1000));
    EXPECT_EQ(fired.back(), LinkTimer::HandshakeTimeout);
    EXPECT_FALSE(timers.IsActive(LinkTimer::HandshakeTimeout));
    QTest::qWait(80);
    EXPECT_EQ(fired.size(), 2u);
}

} // namespace
} // namespace zorva
