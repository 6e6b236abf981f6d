// The configuration sheet as a PDF file, and what writing a sheet to a file or device
// shares with the print commands.
#pragma once

#include <QString>
#include <string>

class QPagedPaintDevice;

namespace zorva {

class TALL;
struct SheetContent;

// Whether the file at `path` can be written (an empty path writes none), with the message
// in the language of `state` if not.
bool CanWriteSheet(const TALL& state, const QString& path, QString& error);

// Paints `sheet` on `device`; when nothing could be painted, `error` names `target` (the
// file or the printer) and false is returned.
bool PaintSheetOn(const TALL& state, const SheetContent& sheet, QPagedPaintDevice& device,
                  const QString& target, QString& error);

// The sheet of the image `state` holds (its file `imageFile`, empty for none) as an A4 PDF
// file at `path`, turned to landscape when the channel table needs the width.
bool WriteSheetPdf(const TALL& state, const std::string& path, const std::string& imageFile,
                   QString& error);

} // namespace zorva
