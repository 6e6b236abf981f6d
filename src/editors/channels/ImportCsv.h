// What importing a channel CSV file would change, shown before anything changes: how many
// channels are set, replaced, left alone or emptied, the rows skipped, and every problem, errors
// first. Ok only when there is something that can be applied.
#pragma once

#include "csv/ChannelCsv.h"

#include <QDialog>
#include <string>

class QCheckBox;
class QLabel;
class QListView;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace zorva {

class TALL;
class CsvProblemModel;

class TfImportCsv : public QDialog {
    Q_OBJECT

public:
    // Plans the import of `bytes` (the file `fileName`) into `all`, which it never changes.
    TfImportCsv(const TALL& all, std::string bytes, const QString& fileName,
                QWidget* parent = nullptr);

    const CsvImportPlan& Plan() const { return plan_; }
    QCheckBox* ReplaceAll() const { return cbReplaceAll_; }
    QCheckBox* SkipUnsupported() const { return cbSkipUnsupported_; }
    QRadioButton* InFileOrder() const { return rbInFileOrder_; }
    QSpinBox* FirstChannel() const { return seFirstChannel_; }
    QPushButton* OkButton() const { return btOk_; }
    QPushButton* CopyButton() const { return btCopyProblems_; }
    QListView* ProblemList() const { return lvProblems_; }
    // The counts shown: set, replaced, left alone, emptied.
    QString CountText(int which) const;
    // The problems counted by kind, and the rows skipped, as shown at the top.
    QString Summary() const;

private:
    void Replan();
    void CopyProblems() const;

    const TALL& all_;
    std::string bytes_;
    CsvImportPlan plan_;
    QLabel* lFileName_;
    QLabel* lCounts_;
    QLabel* lSkipped_;
    QLabel* counts_[4] = {};
    QCheckBox* cbReplaceAll_;
    QCheckBox* cbSkipUnsupported_;
    QRadioButton* rbByLocation_;
    QRadioButton* rbInFileOrder_;
    QSpinBox* seFirstChannel_;
    CsvProblemModel* problems_;
    QListView* lvProblems_;
    QLabel* lNoProblems_;
    QPushButton* btCopyProblems_;
    QPushButton* btOk_;
    QPushButton* btCancel_;
};

} // namespace zorva
