#include "link/ui/PowerControls.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>
#include <algorithm>

namespace zorva {

Shape::Shape(bool circle, const QColor& colour, QWidget* parent)
    : QWidget(parent), circle_(circle) {
    SetColour(colour);
    setFixedSize(circle ? QSize(14, 14) : QSize(40, 14));
}

void Shape::SetColour(const QColor& colour) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(palette().color(QPalette::Window));
    const QRect box = rect().adjusted(1, 1, -1, -1);
    if (circle_) {
        painter.drawEllipse(box);
    } else {
        painter.drawRect(box);
    }
}

void PowerSlider::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        event->accept();
        return;
    default:
        QSlider::keyPressEvent(event);
    }
}

void PowerSlider::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

void PowerSlider::mouseReleaseEvent(QMouseEvent* event) {
    QSlider::mouseReleaseEvent(event);
    if (onMouseUp) onMouseUp();
}

PowerEdit::PowerEdit(QWidget* parent) : QSpinBox(parent) {
    setRange(0, kMaxPower);
    // Only a confirmed value (Enter, leaving the edit, the arrows) counts as a change.
    setKeyboardTracking(false);
}

QValidator::State PowerEdit::validate(QString& input, int&) const {
    const QString text = input.trimmed();
    if (text.isEmpty() || text == "-" || text == "+") return QValidator::Intermediate;
    long long number = 0;
    if (!Parse(text, number)) return QValidator::Invalid;
    return number >= minimum() && number <= maximum() ? QValidator::Acceptable
                                                      : QValidator::Intermediate;
}

void PowerEdit::fixup(QString& input) const {
    long long number = 0;
    if (!Parse(input.trimmed(), number)) return;
    input = QString::number(std::clamp<long long>(number, minimum(), maximum()));
}

int PowerEdit::valueFromText(const QString& text) const {
    long long number = 0;
    if (!Parse(text.trimmed(), number)) return value();
    return static_cast<int>(std::clamp<long long>(number, minimum(), maximum()));
}

bool PowerEdit::Parse(const QString& text, long long& number) {
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    number = 0;
    for (; i < text.size(); ++i) {
        if (!text[i].isDigit() || text[i].digitValue() < 0) return false;
        number = std::min<long long>(number * 10 + text[i].digitValue(), 1000000);
    }
    if (negative) number = -number;
    return true;
}

QIcon RangeIcon() {
    const auto dot = [](const QColor& colour) {
        QPixmap pixmap(12, 12);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::darkGray);
        painter.setBrush(colour);
        painter.drawEllipse(QRect(1, 1, 10, 10));
        return pixmap;
    };
    QIcon icon;
    icon.addPixmap(dot(Qt::lightGray), QIcon::Normal); // image 0
    icon.addPixmap(dot(Qt::green), QIcon::Selected);   // image 1
    return icon;
}

} // namespace zorva
