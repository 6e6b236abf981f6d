// The DTMF function window: the PTT ID codes, the encoder's timing, the decoder with the
// radio's own ID code, and the stun code.
#pragma once

#include "codec/OptionCodes.h"

#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace zorva {

class RadioDocument;
class TALL;

class TfDtmfFun : public QWidget {
    Q_OBJECT

public:
    explicit TfDtmfFun(RadioDocument& document, QWidget* parent = nullptr);
    ~TfDtmfFun() override;

    // Fills every control from the image.
    void ShowDtmf();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A list whose stored code is the position of its item.
    struct IndexField {
        QComboBox* list;
        SettingField field;
    };

    void FormShow();
    void BuildAutodialGrid();
    void StoreDtmf();
    // Every list into the settings of `all`.
    void StoreLists(TALL& all) const;
    void ComborPropertiesChange();
    void cxPttIDPropertiesChange();
    void EnablePttEdits();
    void cxEntPropertiesEditValueChanged(QLineEdit& edit);
    bool FilterKey(QLineEdit& edit, const QKeyEvent& key);
    QComboBox* AddList(QWidget* parent, const char* name, const QStringList& items);
    QLineEdit* AddCodeEdit(QWidget* parent, const char* name, int maxLength, int tag,
                           bool digitsOnly);

    RadioDocument& document_;
    bool loading_ = false;
    bool shown_ = false;

    QTabWidget* cxDtmfInfo_ = nullptr;
    QWidget* cxEnCode_ = nullptr;
    QWidget* cxDecode_ = nullptr;
    QWidget* cxAutoMemory_ = nullptr;
    QLineEdit* cxEntv_ = nullptr;
    QLineEdit* cxEndv_ = nullptr;
    QLineEdit* cxIdSv_ = nullptr;
    QLineEdit* cxStunSv_ = nullptr;
    QComboBox* cxPtts_ = nullptr;
    QComboBox* cxEfSv_ = nullptr;
    QComboBox* cxStunSw_ = nullptr;
    QCheckBox* cxBeep_ = nullptr;
    QTableWidget* gvData_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    // In the order they are stored.
    std::vector<IndexField> fields_;
};

} // namespace zorva
