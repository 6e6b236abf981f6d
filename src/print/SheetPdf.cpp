#include "print/SheetPdf.h"

#include "print/PrintTexts.h"
#include "print/SheetContent.h"
#include "print/SheetPainter.h"

#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>
#include <cerrno>
#include <cstring>

namespace zorva {

bool CanWriteSheet(const TALL& state, const QString& path, QString& error) {
    if (path.isEmpty()) return true;
    QFile probe(path);
    if (probe.open(QIODevice::WriteOnly)) return true;
    error = PrintTextOf(state, kWriteFailed).arg(path, probe.errorString());
    return false;
}

bool PaintSheetOn(const TALL& state, const SheetContent& sheet, QPagedPaintDevice& device,
                  const QString& target, QString& error) {
    if (PaintSheet(sheet, device) > 0) return true;
    error =
        PrintTextOf(state, kWriteFailed).arg(target, QString::fromLocal8Bit(std::strerror(EIO)));
    return false;
}

bool WriteSheetPdf(const TALL& state, const std::string& path, const std::string& imageFile,
                   QString& error) {
    const QString file = QString::fromLocal8Bit(path);
    if (!CanWriteSheet(state, file, error)) return false;
    const SheetContent sheet = GatherSheet(state, imageFile);
    QPdfWriter writer(file);
    writer.setCreator(QStringLiteral("zorva-cli"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    ChooseOrientation(sheet, writer);
    return PaintSheetOn(state, sheet, writer, file, error);
}

} // namespace zorva
