#include "link/qt/QtSerialPort.h"

#include "link/qt/LocalPath.h"
#include "link/qt/PortList.h"
#include "settings/IniFile.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMetaObject>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#ifdef __linux__
#include <linux/serial.h>
#endif

namespace zorva {

namespace {} // namespace

QtSerialPort::QtSerialPort(std::string settingsPath) : settingsPath_(std::move(settingsPath)) {
    static const TLanguage builtIn;
    language_ = &builtIn;
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { ReadAvailable(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { PortError(error); });
}

QtSerialPort::~QtSerialPort() {
    Close();
}

bool QtSerialPort::Open(const std::string& portName, int baudRate, std::string& error) {
    Close();
    IniFile ini;
    if (!settingsPath_.empty()) ini.Load(settingsPath_);
    std::string named = ResolvePort(ini, portName);
    if (named.empty() && !settingsPath_.empty()) {
        // A device plugged in since the last listing has no number yet.
        NumberPorts(ini, settingsPath_);
        named = ResolvePort(ini, portName);
    }
    if (named.empty()) {
        error = PortFailureText(PortFailure::Unmapped, portName, "", *language_);
        return false;
    }
    const QFileInfo info(FromLocalPath(named));
    if (!info.exists()) {
        error = PortFailureText(PortFailure::Absent, named, "", *language_);
        return false;
    }
    // The link's target, so that the lock file is the one other programs use for the device.
    const std::string device = ToLocalPath(info.canonicalFilePath());

    port_.setPortName(FromLocalPath(device));
    port_.setBaudRate(baudRate);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::TwoStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        error = Explain(device, port_.error());
        port_.clearError();
        return false;
    }
    // Nobody else may open the device while a transfer runs.
    ::ioctl(port_.handle(), TIOCEXCL);
    // A pseudo-terminal has no modem lines; the port is usable all the same.
    port_.setDataTerminalReady(true);
    port_.setRequestToSend(true);
    port_.clearError();

    device_ = device;
    baudRate_ = baudRate;
    lost_ = false;
    countersValid_ = ReadCounters(counters_);
    return true;
}

std::string QtSerialPort::Explain(const std::string& device,
                                  QSerialPort::SerialPortError error) const {
    if (error == QSerialPort::DeviceNotFoundError || ::access(device.c_str(), F_OK) != 0) {
        return PortFailureText(PortFailure::Absent, device, "", *language_);
    }
    if (::access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
        return PortFailureText(PortFailure::Denied, device, "", *language_);
    }
    // With the rights to the device, a refusal means another program holds it: its lock
    // file or its exclusive open (EBUSY).
    if (error == QSerialPort::PermissionError || error == QSerialPort::OpenError) {
        return PortFailureText(PortFailure::InUse, device, "", *language_);
    }
    return PortFailureText(PortFailure::Other, device, port_.errorString().toStdString(),
                           *language_);
}

void QtSerialPort::Close() {
    if (port_.isOpen()) {
        ::ioctl(port_.handle(), TIOCNXCL);
        port_.close();
    }
    port_.clearError();
    device_.clear();
    lost_ = false;
    countersValid_ = false;
}

bool QtSerialPort::IsOpen() const {
    return port_.isOpen() && !lost_;
}

bool QtSerialPort::DiscardBuffers() {
    if (!IsOpen()) return false;
    return port_.clear(QSerialPort::AllDirections);
}

bool QtSerialPort::Write(const uint8_t* bytes, int count) {
    if (!IsOpen() || count < 0) return false;
    const qint64 written = port_.write(reinterpret_cast<const char*>(bytes), count);
    // Hand the bytes to the driver now rather than on the next pass of the event loop.
    port_.flush();
    return written == count && !lost_;
}

bool QtSerialPort::WaitDrained(int timeoutMs) {
    using namespace std::chrono_literals;
    if (!IsOpen()) return false;
    QElapsedTimer clock;
    clock.start();
    // QSerialPort's own buffer first. flush() never reads, so no bytes are delivered while
    // the engine waits here.
    while (port_.bytesToWrite() > 0) {
        if (clock.elapsed() >= timeoutMs || lost_) return false;
        std::this_thread::sleep_for(1ms);
        port_.flush();
    }
    // Then the driver's queue. Sleep about as long as the queued bytes take on the wire
    // (11 bits each), then look again.
    const int fd = port_.handle();
    for (;;) {
        int queued = 0;
        if (::ioctl(fd, TIOCOUTQ, &queued) != 0) break;
        if (queued <= 0) break;
        const auto left = std::chrono::milliseconds(timeoutMs - clock.elapsed());
        if (left <= 0ms) return false;
        const auto wire = std::chrono::microseconds(static_cast<long long>(queued) * 11 * 1000000 /
                                                    std::max(baudRate_, 300));
        std::this_thread::sleep_for(std::clamp<std::chrono::microseconds>(wire, 500us, left));
    }
    // The last bytes may still sit in the adapter's own buffer; where the driver knows,
    // tcdrain waits for them (the queue is empty, so this is a few byte times at most).
    return ::tcdrain(fd) == 0 || errno == ENOTTY || errno == EINVAL;
}

void QtSerialPort::ReadAvailable() {
    if (!port_.isOpen() || lost_) return;
    const QByteArray data = port_.readAll();
    if (!data.isEmpty() && bytesHandler_) {
        bytesHandler_(reinterpret_cast<const uint8_t*>(data.constData()),
                      static_cast<int>(data.size()));
    }
    // The handler may have closed the port.
    if (port_.isOpen()) CheckLineErrors();
}

void QtSerialPort::PortError(QSerialPort::SerialPortError error) {
    // Errors while opening (a pseudo-terminal refusing DTR and RTS) are Open's business.
    if (error == QSerialPort::NoError || !port_.isOpen() || device_.empty()) return;
    CheckLineErrors();
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
        // The device went away (cable pulled, the other end of a pseudo-terminal closed).
        // From now on the engine hears nothing and writes nothing; its time-outs report the
        // failure. The port is closed outside this signal so that its notifiers stop.
        lost_ = true;
        QMetaObject::invokeMethod(
            &port_,
            [this] {
                if (lost_ && port_.isOpen()) port_.close();
            },
            Qt::QueuedConnection);
    }
    port_.clearError();
}

bool QtSerialPort::ReadCounters(LineCounters& counters) const {
#if defined(__linux__) && defined(TIOCGICOUNT)
    if (!port_.isOpen()) return false;
    serial_icounter_struct icount{};
    if (::ioctl(port_.handle(), TIOCGICOUNT, &icount) != 0) return false;
    counters.frame = icount.frame;
    counters.parity = icount.parity;
    counters.overrun = icount.overrun + icount.buf_overrun;
    counters.brk = icount.brk;
    return true;
#else
    (void)counters;
    return false;
#endif
}

void QtSerialPort::CheckLineErrors() {
    if (!countersValid_ || lost_) return;
    LineCounters now;
    if (!ReadCounters(now)) return;
    const bool rose = now.frame != counters_.frame || now.parity != counters_.parity ||
                      now.overrun != counters_.overrun || now.brk != counters_.brk;
    counters_ = now;
    if (rose && lineErrorHandler_) lineErrorHandler_();
}

} // namespace zorva
