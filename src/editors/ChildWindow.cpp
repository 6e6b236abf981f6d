#include "editors/ChildWindow.h"

#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace zorva {

void PlaceChildWindow(QWidget& form) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(form.parentWidget())) frame->move(20, 20);
}

namespace {

void FitFrame(QMdiSubWindow& frame) {
    if (!frame.mdiArea() || frame.isMaximized() || frame.isMinimized()) return;
    const QSize room = frame.mdiArea()->viewport()->size();
    const QSize size = frame.size().boundedTo(room);
    const QPoint place(std::clamp(frame.x(), 0, std::max(room.width() - size.width(), 0)),
                       std::clamp(frame.y(), 0, std::max(room.height() - size.height(), 0)));
    if (size != frame.size()) frame.resize(size);
    if (place != frame.pos()) frame.move(place);
}

} // namespace

void FitIntoArea(QWidget& form) {
    auto* frame = qobject_cast<QMdiSubWindow*>(form.parentWidget());
    if (!frame) return;
    FitFrame(*frame);
    QTimer::singleShot(0, frame, [guarded = QPointer<QMdiSubWindow>(frame)] {
        if (guarded) FitFrame(*guarded);
    });
}

void CloseChildWindow(QWidget& form) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(form.parentWidget()))
        frame->close();
    else
        form.close();
}

void SilenceChildren(QWidget& form) {
    for (QObject* child : form.findChildren<QObject*>())
        child->blockSignals(true);
}

QPushButton* AddCloseButton(QWidget& form, const char* name) {
    auto* button = new QPushButton(QStringLiteral("&Close"), &form);
    button->setObjectName(name);
    QObject::connect(button, &QPushButton::clicked, &form, [&form] { CloseChildWindow(form); });
    return button;
}

QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* button : buttons)
        row->addWidget(button);
    return row;
}

} // namespace zorva
