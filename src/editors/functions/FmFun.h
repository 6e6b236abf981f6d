// The FM broadcast window: the broadcast receiver's current frequency, tuning step and mute
// while working, and its 25 memory channels in a table of three number/frequency column pairs.
#pragma once

#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;

namespace zorva {

class CellDelegate;

class RadioDocument;

class TfFmFun : public QWidget {
    Q_OBJECT

public:
    // Grid geometry: row 0 and column 0 are hidden title lines, row 1 holds the captions,
    // rows 2 to 11 the channels.
    static constexpr int kRows = 12;
    static constexpr int kColumns = 7;
    static constexpr int kFirstChannelRow = 2;

    explicit TfFmFun(RadioDocument& document, QWidget* parent = nullptr);
    ~TfFmFun() override;

    QTableWidget* Grid() const { return gvData_; }
    // The channel (1 to 25) a frequency cell holds, 0 for any other cell.
    static int ChannelOfCell(int column, int row);
    // The grid cell of channel k's frequency.
    static int ColumnOfChannel(int channel);
    static int RowOfChannel(int channel);

    // Commits an in-cell edit of (column, row); `text` becomes the text the cell shows.
    void gvDataSetForeText(int column, int row, QString& text);
    // A value the toolkit validated in one of the scan range displays: clamps it, stores
    // it and shows the channels again against the new range.
    void cxFM_MinPropertiesValidate(double& value);
    void cxFM_MaxPropertiesValidate(double& value);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class CellDelegate;

    void FormShow();
    void BuildFmGrid();
    void ShowFmChannels();
    void ShowFm();
    void StoreFm();
    void eRxPropertiesEditValueChanged();
    void ScanBoundValidate(bool upper, double& value);
    void gvDataMouseDown(int row, int column);
    bool gvDataKeyPress(QKeyEvent& key);
    // Opens the in-cell editor of a frequency cell, whose whole text is selected.
    bool EditFrequency(int row, int column);
    bool HasNumber(int row, int column) const;
    QString ChannelText(int channel) const;

    RadioDocument& document_;
    bool loading_ = false;
    bool shown_ = false;
    bool rxGuard_ = false;

    QTabWidget* pages_ = nullptr;
    QLineEdit* cxRx_ = nullptr;
    QComboBox* cxStep_ = nullptr;
    QCheckBox* cxFmDw_ = nullptr;
    QLineEdit* cxFM_Min_ = nullptr;
    QLineEdit* cxLine_ = nullptr;
    QLineEdit* cxFM_Max_ = nullptr;
    QSpinBox* cxFMVol_ = nullptr;
    QSpinBox* cxFMSql_ = nullptr;
    QCheckBox* chpppy_ = nullptr;
    QLabel* LNo_ = nullptr;
    QLabel* LFreq_ = nullptr;
    QTableWidget* gvData_ = nullptr;
    CellDelegate* delegate_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace zorva
