// What the exchange engines need of the world: a serial port, timers and the user. The
// desktop dialogs implement them with QSerialPort, QTimer and message boxes; tests with a
// fake port and a virtual clock.
#pragma once

#include "settings/UserMessages.h"

#include <cstdint>
#include <string>

namespace zorva {

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Opens the port named `portName` ("COMn" or a device path) at `baudRate` with no parity,
    // 8 data bits, 2 stop bits and no flow control, raising DTR and RTS where the device
    // supports it. On failure returns false and puts a reason for the user into `error`.
    virtual bool Open(const std::string& portName, int baudRate, std::string& error) = 0;
    // Closing a closed port does nothing.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Discards what waits in the input and output buffers.
    virtual bool DiscardBuffers() = 0;
    virtual bool Write(const uint8_t* bytes, int count) = 0;
    // Waits until every written byte has left the computer, at most `timeoutMs`; returns
    // whether it did. Received bytes arrive later through the engine's OnBytes.
    virtual bool WaitDrained(int timeoutMs) = 0;
};

// The engines' timers, named for what they time (the protocol's own names after each).
enum class LinkTimer {
    SecondWakeUp,     // xTimer: the second wake-up follows the first (read, write)
    HandshakeTimeout, // HeadTime: a reply to a wake-up or the identification is due (read, write)
    ReplyTimeout,     // TryTime: a block's or a power-test frame's reply is due
    RetryDelay,       // ReTime: a read starts again after its first line error (read)
    CloseDelay,       // CloseTime: the window closes after the exchange ended
    Pause,            // a pause between frames
    SequenceDone,     // Yes_Timer: a power-test sequence without a reply completes
    CancelClose,      // Errs_Timer: the port closes after a power-test Cancel
    Count
};

// Single-shot timers by name: starting a running timer restarts it. Expiry calls the
// engine's OnTimer on the same thread as everything else.
class LinkTimers {
public:
    virtual ~LinkTimers() = default;
    virtual void Start(LinkTimer timer, int ms) = 0;
    virtual void Stop(LinkTimer timer) = 0;
};

// The window an engine runs in.
class LinkUser : public UserMessages {
public:
    virtual void SetProgress(int value, int maximum) = 0;
    virtual void SetOkEnabled(bool enabled) = 0;
    // The window closes itself (after a failure or a completed read).
    virtual void CloseWindow() = 0;
};

} // namespace zorva
