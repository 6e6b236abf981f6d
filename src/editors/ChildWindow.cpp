#include "editors/ChildWindow.h"

#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QPushButton>

namespace zorva {

void PlaceChildWindow(QWidget& form) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(form.parentWidget())) frame->move(20, 20);
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
