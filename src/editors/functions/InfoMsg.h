// The radio information window: what the image says about the radio (model, bands, serial
// number, last write time). It only shows; nothing in it changes the image.
#pragma once

#include "shell/Commands.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace zorva {

class TfInfoMsg : public QWidget, public ImageView {
    Q_OBJECT

public:
    void ShowImage() override { ShowInfo(); }
    explicit TfInfoMsg(QWidget* parent = nullptr);
    ~TfInfoMsg() override;

    // Fills the four fields from the application state and the image.
    void ShowInfo();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    bool shown_ = false;
    QLineEdit* cxModel_ = nullptr;
    QLineEdit* cxFreq_ = nullptr;
    QLineEdit* cxSerial_ = nullptr;
    QLineEdit* cxRadioTime_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace zorva
