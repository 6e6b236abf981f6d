// The serial port of a transfer window, on QSerialPort. Received bytes and line errors are
// handed to callbacks on the user-interface thread, in the order they arrived.
#pragma once

#include "link/LinkPorts.h"
#include "link/PortNames.h"
#include "settings/Language.h"

#include <QSerialPort>
#include <cstdint>
#include <functional>
#include <string>

namespace zorva {

class QtSerialPort : public SerialPort {
public:
    using BytesHandler = std::function<void(const uint8_t* bytes, int count)>;
    using LineErrorHandler = std::function<void()>;

    // `settingsPath` is the SysInfo.Ini whose [Ports] section maps "COMn" to devices.
    explicit QtSerialPort(std::string settingsPath = {});
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    // The language whose texts explain a port that did not open (default: built-in English).
    void SetLanguage(const TLanguage& language) { language_ = &language; }
    void SetBytesHandler(BytesHandler handler) { bytesHandler_ = std::move(handler); }
    void SetLineErrorHandler(LineErrorHandler handler) { lineErrorHandler_ = std::move(handler); }

    bool Open(const std::string& portName, int baudRate, std::string& error) override;
    void Close() override;
    // False once the device has gone away (cable pulled), though not yet closed.
    bool IsOpen() const override;
    bool DiscardBuffers() override;
    bool Write(const uint8_t* bytes, int count) override;
    bool WaitDrained(int timeoutMs) override;

    // The device path of the open port.
    const std::string& Device() const { return device_; }
    // The device went away while open; nothing is written to it any more.
    bool Lost() const { return lost_; }

private:
    struct LineCounters {
        int frame = 0;
        int parity = 0;
        int overrun = 0;
        int brk = 0;
    };
    bool ReadCounters(LineCounters& counters) const;
    void CheckLineErrors();
    void ReadAvailable();
    void PortError(QSerialPort::SerialPortError error);
    std::string Explain(const std::string& device, QSerialPort::SerialPortError error) const;

    QSerialPort port_;
    std::string settingsPath_;
    const TLanguage* language_;
    BytesHandler bytesHandler_;
    LineErrorHandler lineErrorHandler_;
    std::string device_;
    bool lost_ = false;
    bool countersValid_ = false;
    LineCounters counters_;
    int baudRate_ = 0;
};

} // namespace zorva
