// The message texts of the current language, in English until a language file replaces them.
#pragma once

#include <string>

namespace zorva {

class TLanguage {
public:
    std::string Confirmation = "Confirmation";
    std::string ExitProgram = "Do you wish to exit program?";
    std::string SaveProgram = "Do you wish to save the changes?";
    std::string Channel = "Channel";
    std::string Info = " Information";
    std::string OutRange = "Frequency is out of range.";
    std::string Caution = "Caution";
    std::string FileExists = "The file exists. Replace it?";
    std::string Close = "Closed";
    std::string Open = "Opened";
    std::string ComError = "Please check all connections and communication port settings.";
    std::string ModError = "Model Type Wrong.";
    std::string PwdError = "Wrong password.";
    std::string ClearData = "Do you wish to Clear Data?";
    std::string Modforce = "Do you wish to Force write data?";
    std::string All = "All";
    std::string ErrRange = "The frequency number is wrong!";
    std::string ModelType = "Model Type";
    std::string Frequency = "Frequency";
    std::string ReadOk = "Reading Completed.";
    std::string WriteOk = "Writing Completed.";
    std::string PortError = "Cannot open the communication port.";
    // Messages of our own, for failures the radio's texts do not cover.
    std::string FileShort = "The file is too short to be a data file (a data file has 4768 bytes).";
    std::string FileReadError = "The file cannot be read.";
    std::string FileWriteError = "The file cannot be saved.";
    // Why a serial port did not open; "%1" is the port name or the device.
    std::string PortUnmapped = "%1 is not assigned to a serial device. Choose another port, or "
                               "map it to a device in the [Ports] section of SysInfo.Ini.";
    std::string PortAbsent =
        "The device %1 is not present. Connect the programming cable or choose another port.";
    std::string PortInUse =
        "The device %1 is in use by another program. Close that program and try again.";
    std::string PortDenied = "You may not use the device %1. Add your user to the dialout group "
                             "(sudo usermod -aG dialout $USER), then log out and in again.";
    // At start-up: the stored port %1 is absent, port %2 is used instead.
    std::string PortReplaced = "%1 not found, using %2";
    // The language's locale for the toolkit's own texts (buttons of message boxes, file
    // dialogs); not shown.
    std::string Locale = "en";
    // The outcome of reading the radio back after a write.
    std::string VerifyOk = "Verified: the radio holds what was written.";
    std::string VerifyMismatch = "The radio does not hold what was written:";
    std::string VerifyFailed = "The radio could not be read back; the write is not verified.";
    // A completed read whose backup could not be saved; the file or folder and the reason
    // follow.
    std::string BackupError = "The backup of the data read cannot be saved (the data read is "
                              "kept).";
    // A recent file that is gone; "%1" is its path.
    std::string FileMissing = "%1 no longer exists; it is taken off the list of recent files.";
    // After ErrRange: the bands a frequency must lie in; "%1" lists them.
    std::string BandsInUse = "Bands in use: %1 MHz";
    // A typed tone that is none of the radio's; "%1" is what was typed.
    std::string ToneWrong = "%1 is not a tone of the radio. Type one of its CTCSS tones (67.0 to "
                            "254.1) or DCS codes (D023N to D754I), or choose one from the list.";
};

} // namespace zorva
