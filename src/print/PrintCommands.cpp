#include "print/PrintCommands.h"

#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "print/PrintTexts.h"
#include "print/SheetContent.h"
#include "print/SheetPainter.h"
#include "settings/Language.h"
#include "settings/UserMessages.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Commands.h"

#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <cerrno>
#include <cstring>
#include <memory>

namespace zorva {

namespace {

// The system's print dialog with the printer it sets up.
struct PrinterHolder {
    QPrinter owned{QPrinter::HighResolution};
};
class SheetPrintDialog : private PrinterHolder, public QPrintDialog {
public:
    explicit SheetPrintDialog(QWidget* parent) : QPrintDialog(&owned, parent) {
        setObjectName("dPrint");
    }
};

// Whether the file a printer or writer will write can be written, with the reason if not.
bool CanWrite(const QString& path, QString& error) {
    if (path.isEmpty()) return true;
    QFile probe(path);
    if (probe.open(QIODevice::WriteOnly)) return true;
    error = TfPrintTexts().WriteFailed().arg(path, probe.errorString());
    return false;
}

// `target` names the file or the printer in the message when nothing could be painted.
bool Paint(const TALL& state, QPagedPaintDevice& device, const std::string& imageFile,
           const QString& target, QString& error) {
    if (PaintSheet(GatherSheet(state, imageFile), device) > 0) return true;
    error = TfPrintTexts().WriteFailed().arg(target, QString::fromLocal8Bit(std::strerror(EIO)));
    return false;
}

void Report(const QString& error) {
    ShowMsg(Language().Caution, error.toUtf8().toStdString(), kMsgInfo);
}

} // namespace

bool PrintSheet(const TALL& state, QPrinter& printer, const std::string& imageFile,
                QString& error) {
    const QString path =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    return CanWrite(path, error) &&
           Paint(state, printer, imageFile, path.isEmpty() ? printer.printerName() : path, error);
}

bool WriteSheetPdf(const TALL& state, const std::string& path, const std::string& imageFile,
                   QString& error) {
    const QString file = QString::fromLocal8Bit(path);
    if (!CanWrite(file, error)) return false;
    QPdfWriter writer(file);
    writer.setCreator(QStringLiteral("zorva-cli"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    return Paint(state, writer, imageFile, file, error);
}

void RegisterPrintCommands(MainWindowPort& mainForm) {
    mainForm.RegisterDialog(
        cmd::Print, [](QWidget* parent) { return std::make_unique<SheetPrintDialog>(parent); },
        [&mainForm](const QDialog& closed) {
            // A cancelled dialog prints nothing.
            if (closed.result() != QDialog::Accepted) return DialogEffect::None;
            QPrinter* printer = static_cast<const QPrintDialog&>(closed).printer();
            QString error;
            const RadioDocument& document = mainForm.Document();
            if (!PrintSheet(document.State(), *printer, document.FileName(), error)) Report(error);
            return DialogEffect::None;
        });
    mainForm.RegisterDialog(cmd::PrintPreview, [&mainForm](QWidget* parent) {
        auto dialog = std::make_unique<QPrintPreviewDialog>(parent);
        dialog->setObjectName("dPrintPreview");
        // Gathered once: the preview paints again whenever its page set-up changes.
        const RadioDocument& document = mainForm.Document();
        auto sheet =
            std::make_shared<SheetContent>(GatherSheet(document.State(), document.FileName()));
        QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                         [sheet](QPrinter* printer) {
                             const QString path = printer->outputFormat() == QPrinter::PdfFormat
                                                      ? printer->outputFileName()
                                                      : QString();
                             QString error;
                             if (!CanWrite(path, error) || PaintSheet(*sheet, *printer) == 0) {
                                 if (error.isEmpty())
                                     error = TfPrintTexts().WriteFailed().arg(path, QString());
                                 Report(error);
                             }
                         });
        return dialog;
    });
}

} // namespace zorva
