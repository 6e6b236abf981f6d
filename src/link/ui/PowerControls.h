// The power test window's own controls: the markers, the power sliders that send a value
// only when released, and the power value edits.
#pragma once

#include <QIcon>
#include <QSlider>
#include <QSpinBox>
#include <functional>

namespace zorva {

// The largest power value the radio keeps.
inline constexpr int kMaxPower = 255;

// A filled circle (the markers) or rectangle (the table mark) in the palette's window colour.
class Shape : public QWidget {
public:
    Shape(bool circle, const QColor& colour, QWidget* parent);
    void SetColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool circle_;
};

// A power slider: the keys and the wheel that would move it do nothing (a value reaches the radio
// only on a deliberate mouse move or a typed value), and releasing the mouse is reported.
class PowerSlider : public QSlider {
public:
    explicit PowerSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}
    std::function<void()> onMouseUp;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The wheel would move the slider with no release to follow: the radio would not get
    // the value it shows.
    void wheelEvent(QWheelEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A power value edit: a typed number outside 0..255 is taken as the nearest bound instead of
// being refused keystroke by keystroke.
class PowerEdit : public QSpinBox {
public:
    explicit PowerEdit(QWidget* parent);

protected:
    QValidator::State validate(QString& input, int&) const override;
    void fixup(QString& input) const override;
    int valueFromText(const QString& text) const override;

private:
    // An optionally signed run of digits; a long run saturates rather than overflowing.
    static bool Parse(const QString& text, long long& number);
};

// The icon of a sub-range in the range list: grey, green when selected.
QIcon RangeIcon();

} // namespace zorva
