#include "settings/ui/FrmAbout.h"

#include "core/Maindb.h"
#include "settings/ui/LocaliseForm.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QShowEvent>
#include <algorithm>

namespace zorva {

namespace {

constexpr int kMargin = 16;
constexpr int kIconSize = 48;
constexpr int kTextLeft = kMargin + kIconSize + kMargin;
constexpr int kLineStep = 22;
constexpr int kLineHeight = 18;
constexpr int kMinTextWidth = 300;
constexpr int kBelowLastLine = 55;

bool IsBlank(const QLabel& label) {
    return label.text().trimmed().isEmpty();
}

int BottomOf(const QLabel& label) {
    return label.y() + label.height();
}

} // namespace

TfFrmAbout::TfFrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("fFrmAbout");
    setModal(true);

    ImApp_ = new QLabel(this);
    ImApp_->setObjectName("ImApp");
    // The application's icon, which the program sets before any window opens.
    ImApp_->setPixmap(QApplication::windowIcon().pixmap(kIconSize, kIconSize));
    ImApp_->setGeometry(kMargin, kMargin, kIconSize, kIconSize);
    ImApp_->installEventFilter(this);

    for (std::size_t i = 0; i < lStr_.size(); ++i) {
        auto* label = new QLabel(QString::number(i + 1), this);
        label->setObjectName(QString("lStr%1").arg(i + 1));
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(kTextLeft, kMargin + static_cast<int>(i) * kLineStep, kMinTextWidth,
                           kLineHeight);
        label->installEventFilter(this);
        lStr_[i] = label;
    }
    FitToText();
}

void TfFrmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TfFrmAbout::FormShow() {
    // Always from the language file: the built-in texts are only placeholders.
    LocaliseForm(*this, true);
    setWindowTitle(QString::fromStdString(All().ProductName));
    FitToText();
}

void TfFrmAbout::FitToText() {
    int textWidth = kMinTextWidth;
    for (QLabel* label : lStr_)
        textWidth = std::max(textWidth, label->sizeHint().width());
    for (QLabel* label : lStr_)
        label->resize(textWidth, kLineHeight);

    // A blank sixth line makes a short box of five lines.
    const QLabel* last = lStr_[4];
    if (!IsBlank(*lStr_[5])) {
        for (std::size_t i = 5; i < lStr_.size(); ++i)
            if (!IsBlank(*lStr_[i])) last = lStr_[i];
    }
    setFixedSize(kTextLeft + textWidth + kMargin, BottomOf(*last) + kBelowLastLine);
}

void TfFrmAbout::mousePressEvent(QMouseEvent* event) {
    event->accept();
    accept();
}

bool TfFrmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zorva
