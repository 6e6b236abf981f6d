// The tone picker: the CTCSS tones and the DCS codes as tables; double-clicking a tone or
// code cell picks it and closes the dialog.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QGroupBox;
class QListWidget;
class QRadioButton;
class QTableWidget;

namespace zorva {

class TfToneOption : public QDialog {
    Q_OBJECT

public:
    explicit TfToneOption(QWidget* parent = nullptr);

    // The picked tone text ("88.5", "D023I"); empty until a tone cell was picked.
    const QString& SelectedCode() const { return selectedCode_; }

    // The 133 lines of the code list: CTCSS "01-67.0-XZ", DCS "1-D023", blank separators.
    static QStringList CodeLines();

    QTableWidget* Grid(int index) const { return grids_[index]; }
    // Shows grid `index` (0 CTCSS, 1 DCS-N, 2 DCS-I) as if its radio button were clicked.
    void SelectList(int index);
    // Picks the cell when its column is a tone/code column: stores it and closes.
    void PickCell(int index, int row, int column);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillCodeLists();

    QString selectedCode_;
    QRadioButton* radios_[3] = {};
    QTableWidget* grids_[3] = {};
    QGroupBox* gbList_ = nullptr;
    QListWidget* lbSel_ = nullptr;
    QListWidget* lbValue_ = nullptr;
};

} // namespace zorva
