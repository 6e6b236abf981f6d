// The texts of the channel CSV commands (import, export, the table's clipboard and rows) as
// a form of labels that the language file translates like any window's. It is never shown.
#pragma once

#include "csv/ChannelCsv.h"

#include <QString>
#include <QWidget>
#include <vector>

class QLabel;

namespace zorva {

class TfCsvTexts : public QWidget {
    Q_OBJECT

public:
    explicit TfCsvTexts(QWidget* parent = nullptr);

    // The reasons of the problems, for ProblemText().
    CsvTexts Texts() const;
    // Every problem on a line of its own.
    QString Problems(const std::vector<CsvProblem>& problems) const;

    QString PasteRefused() const;
    QString PasteWarnings() const;
    QString InsertRefused() const;
    // "%1" is the file.
    QString ReadFailed() const;
    // "%1" is the file, "%2" the reason.
    QString WriteFailed() const;
    // "%1" is the file.
    QString Exported() const;
    QString ExportWarnings() const;
    // The captions of the file dialogs.
    QString ImportTitle() const;
    QString ExportTitle() const;

private:
    QLabel* Label(const char* name, const QString& text);

    QLabel* lineColumn_;
    QLabel* lineOnly_;
    std::vector<QLabel*> reasons_;
    std::vector<QLabel*> kinds_;
    QLabel* errorCount_;
    QLabel* warningCount_;
    QLabel* skippedRow_;
    QLabel* skippedRows_;
    QLabel* kindCount_;
    QLabel* pasteRefused_;
    QLabel* pasteWarnings_;
    QLabel* insertRefused_;
    QLabel* readFailed_;
    QLabel* writeFailed_;
    QLabel* exported_;
    QLabel* exportWarnings_;
    QLabel* importTitle_;
    QLabel* exportTitle_;
};

} // namespace zorva
