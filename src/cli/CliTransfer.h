// Reading and writing the radio from the command line, with the same engines, port and
// timers as the desktop dialogs, and their messages on the error stream.
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
};

// Reads the radio into the image and saves it to options.file. Needs a running
// QCoreApplication. Returns the exit status.
int RunRead(Maindb& db, const TransferOptions& options, std::istream& in, std::ostream& err);

// Loads options.file and writes it to the radio. A radio of another model with the same
// channel count is written only with --force or a "y" on the terminal.
int RunWrite(Maindb& db, const TransferOptions& options, std::istream& in, std::ostream& err);

} // namespace zorva
