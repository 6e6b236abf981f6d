#include "editors/channels/CsvTexts.h"

#include "settings/ui/LocaliseForm.h"

#include <QLabel>

namespace zorva {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TfCsvTexts::TfCsvTexts(QWidget* parent) : QWidget(parent) {
    setObjectName("fCsvTexts");
    const CsvTexts& defaults = DefaultCsvTexts();
    lineColumn_ = Label("lLineColumn", FromUtf8(defaults.lineColumn));
    lineOnly_ = Label("lLineOnly", FromUtf8(defaults.lineOnly));
    for (int i = 0; i < kCsvIssueCount; ++i) {
        const std::string name = std::string("l") + CsvIssueKey(static_cast<CsvIssue>(i));
        reasons_.push_back(Label(name.c_str(), FromUtf8(defaults.reasons[static_cast<size_t>(i)])));
    }
    for (int i = 0; i < kCsvIssueCount; ++i) {
        const std::string name = std::string("lKind") + CsvIssueKey(static_cast<CsvIssue>(i));
        kinds_.push_back(Label(name.c_str(), FromUtf8(defaults.kinds[static_cast<size_t>(i)])));
    }
    errorCount_ = Label("lErrorCount", FromUtf8(defaults.errorCount));
    warningCount_ = Label("lWarningCount", FromUtf8(defaults.warningCount));
    skippedRow_ = Label("lSkippedRow", FromUtf8(defaults.skippedRow));
    skippedRows_ = Label("lSkippedRows", FromUtf8(defaults.skippedRows));
    kindCount_ = Label("lKindCount", FromUtf8(defaults.kindCount));
    pasteRefused_ = Label("lPasteRefused", "The rows cannot be pasted:");
    pasteWarnings_ = Label("lPasteWarnings", "The rows were pasted with these changes:");
    insertRefused_ =
        Label("lInsertRefused", "The last channel is in use: no channel can be inserted.");
    readFailed_ = Label("lReadFailed", "The file %1 could not be read.");
    writeFailed_ = Label("lWriteFailed", "The channels could not be written to %1: %2");
    exported_ = Label("lExported", "The channels were written to %1.");
    exportWarnings_ = Label("lExportWarnings", "The file was written, but an import would "
                                               "refuse these channels:");
    importTitle_ = Label("lImportTitle", "Import Channels");
    exportTitle_ = Label("lExportTitle", "Export Channels");
    LocaliseForm(*this, false);
}

QLabel* TfCsvTexts::Label(const char* name, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

CsvTexts TfCsvTexts::Texts() const {
    CsvTexts texts;
    texts.lineColumn = lineColumn_->text().toStdString();
    texts.lineOnly = lineOnly_->text().toStdString();
    for (std::size_t i = 0; i < reasons_.size(); ++i)
        texts.reasons[i] = reasons_[i]->text().toStdString();
    for (std::size_t i = 0; i < kinds_.size(); ++i)
        texts.kinds[i] = kinds_[i]->text().toStdString();
    texts.errorCount = errorCount_->text().toStdString();
    texts.warningCount = warningCount_->text().toStdString();
    texts.skippedRow = skippedRow_->text().toStdString();
    texts.skippedRows = skippedRows_->text().toStdString();
    texts.kindCount = kindCount_->text().toStdString();
    return texts;
}

QString TfCsvTexts::Problems(const std::vector<CsvProblem>& problems) const {
    const CsvTexts texts = Texts();
    QStringList lines;
    for (const CsvProblem& problem : problems)
        lines << FromUtf8(ProblemText(problem, texts));
    return lines.join('\n');
}

QString TfCsvTexts::PasteRefused() const {
    return pasteRefused_->text();
}

QString TfCsvTexts::PasteWarnings() const {
    return pasteWarnings_->text();
}

QString TfCsvTexts::InsertRefused() const {
    return insertRefused_->text();
}

QString TfCsvTexts::ReadFailed() const {
    return readFailed_->text();
}

QString TfCsvTexts::WriteFailed() const {
    return writeFailed_->text();
}

QString TfCsvTexts::Exported() const {
    return exported_->text();
}

QString TfCsvTexts::ExportWarnings() const {
    return exportWarnings_->text();
}

QString TfCsvTexts::ImportTitle() const {
    return importTitle_->text();
}

QString TfCsvTexts::ExportTitle() const {
    return exportTitle_->text();
}

} // namespace zorva
