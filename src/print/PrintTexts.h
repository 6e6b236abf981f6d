// The printed sheet's own texts, as a form of labels that the language file translates like
// any window's. It is never shown.
#pragma once

#include <QWidget>

class QLabel;

namespace zorva {

class TfPrintTexts : public QWidget {
    Q_OBJECT

public:
    explicit TfPrintTexts(QWidget* parent = nullptr);

    QString NotSaved() const;
    // "Page %1 / %2": the page and the number of pages.
    QString PageFormat() const;
    QString NoChannels() const;
    // A sheet that could not be written: "%1" is the file, "%2" the reason.
    QString WriteFailed() const;

private:
    QLabel* lNotSaved_;
    QLabel* lPage_;
    QLabel* lNoChannels_;
    QLabel* lWriteFailed_;
};

} // namespace zorva
