// The command-line companion: new, show and dump of data files, for users who script or
// archive their radios.
#pragma once

#include <QStringList>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace zorva {

class TALL;
struct Maindb;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // a file could not be used or written
inline constexpr int kExitUsage = 2;   // unknown command, option or missing argument

// The model layer's messages, kept to be printed as one error line. Questions are answered
// with No / Cancel: nobody is there to answer them.
// What the commands share. One line naming the problem, then how to get help.
void PrintUsageError(std::ostream& err, const std::string& problem);
// "zorva-cli: PATH: REASON".
void PrintFileError(std::ostream& err, const std::string& path, const std::string& reason);
// Writes the whole text at once so that a failure leaves nothing half-printed, and reports
// a stream that cannot take it (a closed pipe, a full disk) instead of claiming success.
int Emit(std::ostream& out, std::ostream& err, const std::string& text);
// Whether `path` may be written: a file already there is replaced only with --force, and its
// folder must exist and take new files. Checked before any work, so that a read of the whole
// radio never ends in a file that cannot be saved.
bool MayReplace(std::ostream& err, const std::string& path, bool force);
// Start-up as the program does it: the data module, then the first showing's image.
std::unique_ptr<Maindb> StartDb(const std::string& exeDir);

// The text of --help.
std::string UsageText();

// The readable summary of "show": model, bands, write time, serial number and a table of
// the memory channels in use. Decodes the channels (which repairs the image as it goes).
void PrintShow(TALL& all, std::ostream& out);

// Runs one command line. `args` starts with the program name, as the application's
// arguments do; `exeDir` is the folder of the executable with its trailing separator, where
// the settings and language files are looked for. Returns the exit status.
int RunCli(const QStringList& args, const std::string& exeDir, std::ostream& out,
           std::ostream& err);

} // namespace zorva
