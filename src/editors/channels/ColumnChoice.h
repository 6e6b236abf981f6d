// View → Columns: which data columns of the channel table are shown. At least one stays.
#pragma once

#include <QDialog>
#include <vector>

class QListWidget;
class QPushButton;

namespace zorva {

class TALL;

class TfColumns : public QDialog {
    Q_OBJECT

public:
    // Ticks the columns `all` shows, captioned in the language in use.
    explicit TfColumns(const TALL& all, QWidget* parent = nullptr);

    // The fields whose columns are left unticked.
    std::vector<int> HiddenFields() const;

private:
    QListWidget* lbColumns_;
    QPushButton* btnOk_;
};

} // namespace zorva
