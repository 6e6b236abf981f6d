// Lays the configuration sheet out on the pages of a printer or a PDF writer and paints it:
// the header on every page, the channel table with its header row repeated, then the lists.
#pragma once

class QPagedPaintDevice;

namespace zorva {

struct SheetContent;

// Returns the number of pages painted; 0 when nothing could be painted on the device.
int PaintSheet(const SheetContent& sheet, QPagedPaintDevice& device);

// Whether the channel table is too wide for the device's paper upright: its columns would
// need a smaller type than the rest of the sheet.
bool NeedsLandscape(const SheetContent& sheet, QPagedPaintDevice& device);
// Turns the device's paper as the channel table needs it.
void ChooseOrientation(const SheetContent& sheet, QPagedPaintDevice& device);

} // namespace zorva
