// The about box: the application icon and nine lines of text from the language file.
#pragma once

#include <QDialog>
#include <array>

class QLabel;

namespace zorva {

class TfFrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfFrmAbout(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    // Fits the width to the longest line and ends the box 55 pixels below the last line.
    void FitToText();

    QLabel* ImApp_ = nullptr;
    std::array<QLabel*, 9> lStr_{}; // lStr1 .. lStr9
};

} // namespace zorva
