// The serial port and timers an exchange with the radio runs on, wired to its engine: what
// the port receives, its line errors and every timer's expiry go to the engine, on the thread
// of the event loop. The port opens when the engine asks (SerialPort::Open) and paces frames
// with the engine's pauses (the Pause timer) and its wait for the output to drain. The read
// and write windows, the power test window and the command-line companion each run their
// engine on one of these. Qt Core only.
#pragma once

#include "link/ExchangeEngine.h"
#include "link/PowerTestEngine.h"
#include "link/qt/QtLinkTimers.h"
#include "link/qt/QtSerialPort.h"

#include <string>

namespace zorva {

class TALL;
class TLanguage;
class TMacList;

class LinkWiring {
public:
    // `exeDir` locates the SysInfo.Ini whose [Ports] section maps "COMn" to devices;
    // `language` words the reasons a port did not open and must outlive the wiring.
    LinkWiring(const std::string& exeDir, const TLanguage& language);
    ~LinkWiring();
    LinkWiring(const LinkWiring&) = delete;
    LinkWiring& operator=(const LinkWiring&) = delete;

    // What an engine is built with: `all` (or a copy of it) is what it exchanges, `user`
    // the window or terminal it reports to.
    LinkContext ExchangeContext(TALL& all, const TMacList& macList, LinkUser& user);
    PowerTestContext PowerContext(const TALL& all, PowerTestUser& user);

    // From now on the port's bytes and line errors and the timers' expiries reach `engine`.
    void Connect(ExchangeEngine& engine);
    // The power test takes no line errors.
    void Connect(PowerTestEngine& engine);
    // Nothing the port or the timers report reaches an engine any more (before the engine
    // goes, or while the window holding it is taken apart).
    void Disconnect();

    QtSerialPort& Port() { return port_; }
    const QtSerialPort& Port() const { return port_; }
    QtLinkTimers& Timers() { return timers_; }

    // 0..4, the random part of a wake-up.
    static int RandomSuffix();

private:
    const TLanguage& language_;
    QtSerialPort port_;
    QtLinkTimers timers_;
};

} // namespace zorva
