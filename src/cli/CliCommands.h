// The command-line companion: new, show and dump of data files, for users who script or
// archive their radios.
#pragma once

#include "settings/UserMessages.h"

#include <QStringList>
#include <iosfwd>
#include <string>
#include <vector>

namespace zorva {

class TALL;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // a file could not be used or written
inline constexpr int kExitUsage = 2;   // unknown command, option or missing argument

// The model layer's messages, kept to be printed as one error line. Questions are answered
// with No / Cancel: nobody is there to answer them.
class CliMessages : public UserMessages {
public:
    int ShowMsg(const std::string& caption, const std::string& text, int kind) override;

    std::vector<std::string> texts;
};

// The reason part of an error line about `path`: the messages on one line, line breaks
// folded to ": ", a repeated "<path>: " dropped.
std::string ErrorReason(const std::string& path, const std::vector<std::string>& texts);

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
