#include "editors/functions/InfoMsg.h"

#include "codec/DerivedFields.h"
#include "core/TAll.h"
#include "document/RadioDocument.h"
#include "editors/ChildWindow.h"
#include "editors/ImageText.h"
#include "settings/ui/LocaliseForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zorva {

TfInfoMsg::TfInfoMsg(const RadioDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    for (auto changed : {&RadioDocument::settingsChanged, &RadioDocument::imageReplaced})
        connect(&document_, changed, this, [this] { ShowInfo(); });
    setObjectName(QStringLiteral("fInfoMsg"));
    setWindowTitle(QStringLiteral("Radio Information"));

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addField = [&](const char* labelName, const char* caption, const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setReadOnly(true);
        // Shown, not edited: the background says so.
        QPalette face = edit->palette();
        face.setColor(QPalette::Base, face.color(QPalette::Button));
        edit->setPalette(face);
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        label->setObjectName(QString::fromLatin1(labelName));
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
        return edit;
    };
    cxModel_ = addField("lModel", "Model Type", "cxModel");
    cxFreq_ = addField("lFreq", "Frequency[MHz]", "cxFreq");
    cxSerial_ = addField("lSerial", "Serial Number", "cxSerial");
    cxSerial_->setMaxLength(kSerialLength);
    cxRadioTime_ = addField("lRadioTime", "Write Time", "cxRadioTime");
    grid->setColumnStretch(1, 1);
    // Wide enough for the bands of a new image and a whole write time.
    cxFreq_->setMinimumWidth(cxFreq_->fontMetrics().horizontalAdvance(QStringLiteral(
                                 "400.00000 - 520.00000/136.00000 - 174.00000/220.00000 - "
                                 "260.00000MHz")) +
                             16);

    btnOk_ = new QPushButton(QStringLiteral("&OK"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->hide();
    btnCancel_ = AddCloseButton(*this, "btnCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(ButtonRow({btnOk_, btnCancel_}));
}

TfInfoMsg::~TfInfoMsg() {
    SilenceChildren(*this);
}

void TfInfoMsg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FirstShow(shown_)) FormShow();
}

void TfInfoMsg::FormShow() {
    LocaliseForm(*this, false);
    ShowInfo();
    PlaceChildWindow(*this);
}

void TfInfoMsg::ShowInfo() {
    const TALL& all = document_.State();
    cxModel_->setText(FromImageText(all.ModelName));
    cxFreq_->setText(FromImageText(all.BandSummary));
    cxSerial_->setText(FromImageText(SerialNumberText(all)));
    cxRadioTime_->setText(FromImageText(WriteTimeText(all)));
    for (QLineEdit* edit : {cxModel_, cxFreq_, cxSerial_, cxRadioTime_})
        edit->setCursorPosition(0);
}

} // namespace zorva
