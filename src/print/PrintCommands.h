// Print and Print Preview of the main window, and the sheet as a PDF file: all of them paint
// one sheet, so what is previewed is what is printed.
#pragma once

#include <string>

class QPrinter;
class QString;

namespace zorva {

class MainWindowPort;
class TALL;

void RegisterPrintCommands(MainWindowPort& mainForm);

// Paints the sheet of the image `state` holds (its file `imageFile`, empty for none) on the
// printer. A printer writing to a file that cannot be written sets `error` and returns false.
bool PrintSheet(const TALL& state, QPrinter& printer, const std::string& imageFile, QString& error);

// The sheet as an A4 PDF file at `path`.
bool WriteSheetPdf(const TALL& state, const std::string& path, const std::string& imageFile,
                   QString& error);

} // namespace zorva
