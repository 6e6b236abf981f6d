#include "print/ui/PrintCommands.h"

#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "print/SheetContent.h"
#include "print/SheetPainter.h"
#include "print/SheetPdf.h"
#include "settings/Language.h"
#include "settings/UserMessages.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Commands.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <memory>

namespace zorva {

namespace {

// The printer a dialog sets up, and the sheet it prints: gathered once, when the dialog
// opens, so the paper's orientation is chosen for it before the dialog shows the printer.
struct SheetPrinter {
    explicit SheetPrinter(const RadioDocument& document)
        : sheet(GatherSheet(document.State(), document.FileName())) {
        ChooseOrientation(sheet, device);
    }
    QPrinter device{QPrinter::HighResolution};
    SheetContent sheet;
};

class SheetPrintDialog : private SheetPrinter, public QPrintDialog {
public:
    SheetPrintDialog(const RadioDocument& document, QWidget* parent)
        : SheetPrinter(document), QPrintDialog(&device, parent) {
        setObjectName("dPrint");
    }
    const SheetContent& Sheet() const { return sheet; }
};

class SheetPreviewDialog : private SheetPrinter, public QPrintPreviewDialog {
public:
    SheetPreviewDialog(const RadioDocument& document, QWidget* parent)
        : SheetPrinter(document), QPrintPreviewDialog(&device, parent) {
        setObjectName("dPrintPreview");
    }
    const SheetContent& Sheet() const { return sheet; }
};

void Report(const QString& error) {
    ShowMsg(Language().Caution, error.toUtf8().toStdString(), kMsgInfo);
}

// A printer writing to a file that cannot be written is reported, as is a device nothing
// could be painted on.
void Print(const SheetContent& sheet, QPrinter& printer) {
    const QString path =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    QString error;
    if (!CanWriteSheet(All(), path, error) ||
        !PaintSheetOn(All(), sheet, printer, path.isEmpty() ? printer.printerName() : path, error))
        Report(error);
}

} // namespace

void RegisterPrintCommands(MainWindowPort& mainForm) {
    mainForm.RegisterDialog(
        cmd::Print,
        [&mainForm](QWidget* parent) {
            return std::make_unique<SheetPrintDialog>(mainForm.Document(), parent);
        },
        [](const QDialog& closed) {
            // A cancelled dialog prints nothing.
            if (closed.result() != QDialog::Accepted) return DialogEffect::None;
            const auto& dialog = static_cast<const SheetPrintDialog&>(closed);
            Print(dialog.Sheet(), *dialog.printer());
            return DialogEffect::None;
        });
    mainForm.RegisterDialog(cmd::PrintPreview, [&mainForm](QWidget* parent) {
        auto dialog = std::make_unique<SheetPreviewDialog>(mainForm.Document(), parent);
        // The preview paints again whenever its page set-up changes.
        const SheetPreviewDialog* preview = dialog.get();
        QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                         [preview](QPrinter* printer) { Print(preview->Sheet(), *printer); });
        return dialog;
    });
}

} // namespace zorva
