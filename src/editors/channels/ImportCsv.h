// What importing a channel CSV file would change, shown before anything changes: how many
// channels are set, replaced, left alone or emptied, and every problem. Ok only without errors.
#pragma once

#include "csv/ChannelCsv.h"

#include <QDialog>
#include <string>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zorva {

class TALL;

class TfImportCsv : public QDialog {
    Q_OBJECT

public:
    // Plans the import of `bytes` (the file `fileName`) into `all`, which it never changes.
    TfImportCsv(const TALL& all, std::string bytes, const QString& fileName,
                QWidget* parent = nullptr);

    const CsvImportPlan& Plan() const { return plan_; }
    QCheckBox* ReplaceAll() const { return cbReplaceAll_; }
    QPushButton* OkButton() const { return btOk_; }
    QListWidget* ProblemList() const { return lbProblems_; }
    // The counts shown: set, replaced, left alone, emptied.
    QString CountText(int which) const;

private:
    void Replan();

    const TALL& all_;
    std::string bytes_;
    CsvImportPlan plan_;
    QLabel* lFileName_;
    QLabel* counts_[4] = {};
    QCheckBox* cbReplaceAll_;
    QListWidget* lbProblems_;
    QLabel* lNoProblems_;
    QPushButton* btOk_;
    QPushButton* btCancel_;
};

} // namespace zorva
