// The radio information window: what the image says about the radio (model, bands, serial
// number, last write time). It only shows; nothing in it changes the image.
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace zorva {

class RadioDocument;

class TfInfoMsg : public QWidget {
    Q_OBJECT

public:
    explicit TfInfoMsg(const RadioDocument& document, QWidget* parent = nullptr);
    ~TfInfoMsg() override;

    // Fills the four fields from the application state and the image.
    void ShowInfo();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    const RadioDocument& document_;
    bool shown_ = false;
    QLineEdit* cxModel_ = nullptr;
    QLineEdit* cxFreq_ = nullptr;
    QLineEdit* cxSerial_ = nullptr;
    QLineEdit* cxRadioTime_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace zorva
