// Reading and writing the radio, and its power-test table, from the command line, with the
// same engines, port and timers as the desktop windows, and their messages on the error
// stream.
#pragma once

#include <iosfwd>
#include <string>

namespace zorva {

struct Maindb;

struct TransferOptions {
    std::string port; // "COMn" (through the [Ports] map) or a device path
    std::string file; // the data file to write (read) or to send (write)
    bool force = false;
    // Whether a question may be asked on the terminal (standard input is one).
    bool interactive = false;
    // write: read the radio back afterwards and compare it with what was written.
    bool verify = false;
};

// Reads the radio into the image and saves it to options.file. Needs a running
// QCoreApplication. Returns the exit status.
int RunRead(Maindb& db, const TransferOptions& options, std::istream& in, std::ostream& err);

// Loads options.file and writes it to the radio. A radio of another model with the same
// channel count is written only with --force or a "y" on the terminal. With options.verify
// the radio is read back after a completed write and the outcome printed on `out`: the
// verified text, or the mismatch text and the fields that differ (status 1); a read-back
// that fails is status 1 too.
int RunWrite(Maindb& db, const TransferOptions& options, std::istream& in, std::ostream& out,
             std::ostream& err);

struct CalibrationOptions {
    std::string port;
    std::string file; // calibration read: the file the 1040 bytes go to
    bool force = false;
    // calibration set: the table row (sub-range), 10 (low) or 12 (high), and the value.
    int subRange = 0;
    int tag = 0;
    int value = 0;
};

// Reads the power-test table (the window's Online) and writes its 1040 bytes to
// options.file. A time-out is answered Cancel. Returns the exit status.
int RunCalibrationRead(Maindb& db, const CalibrationOptions& options, std::ostream& err);

// Sets one power value in the radio's table (the window's Set power).
int RunCalibrationSet(Maindb& db, const CalibrationOptions& options, std::ostream& err);

} // namespace zorva
