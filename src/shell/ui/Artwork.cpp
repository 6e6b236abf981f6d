#include "shell/ui/Artwork.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <functional>
#include <map>

namespace zorva {

namespace {

constexpr int kIconSize = 32;
const QColor kInk(0x24, 0x3b, 0x55);
const QColor kAccent(0xe0, 0x7a, 0x1f);
const QColor kPaper(0xf4, 0xf1, 0xea);

QPixmap Canvas(int size = kIconSize) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A handheld radio: body, antenna, display and keypad.
void DrawRadio(QPainter& p, const QRectF& box, const QColor& body) {
    const qreal w = box.width(), h = box.height();
    const QRectF bodyRect(box.left() + w * 0.25, box.top() + h * 0.28, w * 0.5, h * 0.68);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(bodyRect.left() + w * 0.08, box.top() + h * 0.04, w * 0.07, h * 0.28),
                      w * 0.03, w * 0.03);
    p.setBrush(body);
    p.drawRoundedRect(bodyRect, w * 0.08, w * 0.08);
    p.setBrush(kPaper);
    p.drawRect(QRectF(bodyRect.left() + w * 0.07, bodyRect.top() + h * 0.08, w * 0.36, h * 0.16));
    p.setBrush(kPaper.darker(115));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QRectF(bodyRect.left() + w * (0.08 + col * 0.12),
                                 bodyRect.top() + h * (0.32 + row * 0.1), w * 0.08, w * 0.08));
}

void DrawArrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
    p.setPen(QPen(color, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const QPointF side(-d.y() * 0.3, d.x() * 0.3);
    const QPointF back = to - d * 0.35;
    p.drawLine(to, back + side);
    p.drawLine(to, back - side);
}

QIcon Paint(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return QIcon(pixmap);
}

void DrawSheet(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(8, 3);
    sheet.lineTo(20, 3);
    sheet.lineTo(26, 9);
    sheet.lineTo(26, 29);
    sheet.lineTo(8, 29);
    sheet.closeSubpath();
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawLine(QPointF(20, 3), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(26, 9));
}

void DrawAppIcon(QPainter& p, const QRectF& box) {
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(box.topLeft(), box.bottomLeft());
    sky.setColorAt(0, kAccent.lighter(130));
    sky.setColorAt(1, kAccent);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(box, box.width() * 0.18, box.height() * 0.18);
    DrawRadio(p, box, kInk.lighter(140));
}

// Draws the program's icon at the size asked for, when it is asked for: drawing every size
// up front cost the start more than the rest of the main window's pictures together.
class AppIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->save();
        DrawAppIcon(*painter, QRectF(rect));
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const int side = std::max(1, std::min(size.width(), size.height()));
        QPixmap& pixmap = drawn_[side];
        if (pixmap.isNull()) {
            pixmap = Canvas(side);
            QPainter p(&pixmap);
            paint(&p, pixmap.rect(), mode, state);
        }
        return pixmap;
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}};
    }
    QIconEngine* clone() const override { return new AppIconEngine; }

private:
    std::map<int, QPixmap> drawn_; // by side length; a tree repaints its icons often
};

} // namespace

QIcon AppIcon() {
    return QIcon(new AppIconEngine);
}

QIcon CommandIcon(int command) {
    switch (command) {
    case 1:
        return Paint([](QPainter& p) {
            DrawSheet(p);
            p.setPen(QPen(kAccent, 3));
            p.drawLine(QPointF(17, 14), QPointF(17, 24));
            p.drawLine(QPointF(12, 19), QPointF(22, 19));
        });
    case 2:
        return Paint([](QPainter& p) {
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(kAccent.lighter(140));
            p.drawRect(QRectF(3, 9, 24, 18));
            p.setBrush(kAccent);
            p.drawPolygon(QPolygonF({{3, 27}, {9, 15}, {30, 15}, {27, 27}}));
        });
    case 3:
        return Paint([](QPainter& p) {
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(kInk.lighter(150));
            p.drawRoundedRect(QRectF(4, 4, 24, 24), 3, 3);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 4, 14, 9));
            p.setBrush(kPaper);
            p.drawRect(QRectF(8, 17, 16, 11));
        });
    case 5:
        return Paint([](QPainter& p) {
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 3, 14, 10));
            p.setBrush(kInk.lighter(160));
            p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 20, 14, 9));
        });
    case 12:
        return Paint([](QPainter& p) {
            DrawSheet(p);
            p.setPen(QPen(kInk, 1.5));
            for (int y = 13; y <= 25; y += 4)
                p.drawLine(QPointF(11, y), QPointF(23, y));
            p.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(14, 28), QPointF(29, 13));
        });
    case 20:
        return Paint([](QPainter& p) {
            DrawRadio(p, QRectF(-6, 0, 32, 32), kInk.lighter(140));
            DrawArrow(p, QPointF(18, 20), QPointF(30, 20), kAccent);
        });
    case 21:
        return Paint([](QPainter& p) {
            DrawRadio(p, QRectF(6, 0, 32, 32), kInk.lighter(140));
            DrawArrow(p, QPointF(2, 20), QPointF(14, 20), kAccent);
        });
    case 31:
        return Paint([](QPainter& p) {
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(kInk.lighter(150));
            p.drawPolygon(QPolygonF({{3, 10}, {29, 10}, {25, 24}, {7, 24}}));
            p.setPen(Qt::NoPen);
            p.setBrush(kPaper);
            for (int i = 0; i < 5; ++i)
                p.drawEllipse(QPointF(8 + i * 4, 14), 1.4, 1.4);
            for (int i = 0; i < 4; ++i)
                p.drawEllipse(QPointF(10 + i * 4, 19), 1.4, 1.4);
        });
    case 60:
        return Paint([](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(kAccent);
            p.drawEllipse(QRectF(3, 3, 26, 26));
            p.setPen(Qt::white);
            QFont font = p.font();
            font.setBold(true);
            font.setPixelSize(20);
            p.setFont(font);
            p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, "?");
        });
    default:
        return {};
    }
}

QIcon TreeNodeIcon(bool selected) {
    return Paint([selected](QPainter& p) {
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(selected ? kAccent : kPaper);
        p.drawRoundedRect(QRectF(6, 6, 20, 20), 4, 4);
        p.setPen(QPen(selected ? Qt::white : kInk, 2));
        p.drawLine(QPointF(11, 16), QPointF(21, 16));
    });
}

QPixmap BackgroundTile() {
    // A quiet tile of faint radio waves, so child windows stand out against it.
    QPixmap tile(96, 96);
    tile.fill(kPaper);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kPaper.darker(108), 2));
    for (int r = 16; r <= 64; r += 16) {
        p.drawArc(QRectF(48 - r, 48 - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
        p.drawArc(QRectF(48 - r, 48 - r, 2 * r, 2 * r), 210 * 16, 120 * 16);
    }
    return tile;
}

} // namespace zorva
