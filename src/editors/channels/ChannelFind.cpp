#include "editors/channels/ChannelFind.h"

#include "codec/ChannelRecord.h"
#include "codec/FreqCodec.h"
#include "core/TAll.h"
#include "core/TChannel.h"
#include "editors/ImageText.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <cmath>

namespace zorva {

namespace {

// Frequencies are stored in 10 Hz steps: closer than half a step is the same frequency.
constexpr double kSameMhz = 0.000005;

bool SameFreq(double a, double b) {
    return b > 0.0 && std::fabs(a - b) < kSameMhz;
}

} // namespace

int FindChannel(const TALL& all, const QString& text, int after) {
    const QString wanted = text.trimmed();
    if (wanted.isEmpty()) return 0;
    bool isNumber = false;
    const double mhz = wanted.toDouble(&isNumber);
    const int channels = all.ChannelCount;
    for (int step = 1; step <= channels; ++step) {
        const int channel = (after - 1 + step) % channels + 1;
        TChannel c;
        if (!LoadChannel(all, channel, c)) continue;
        if (FromImageText(c.Name).contains(wanted, Qt::CaseInsensitive)) return channel;
        if (isNumber && (SameFreq(mhz, c.RxFreq) || SameFreq(mhz, c.TxFreq))) return channel;
    }
    return 0;
}

ChannelFindBar::ChannelFindBar(QWidget* parent) : QWidget(parent) {
    setObjectName("pFind");
    lFind_ = new QLabel(QStringLiteral("Find:"), this);
    lFind_->setObjectName("lFind");
    edFind_ = new QLineEdit(this);
    edFind_->setObjectName("edFind");
    lFind_->setBuddy(edFind_);
    btFindNext_ = new QToolButton(this);
    btFindNext_->setObjectName("btFindNext");
    btFindNext_->setText(QStringLiteral("Next"));
    btFindNext_->setToolTip(QStringLiteral("Next match (Enter, F3)"));
    btFindNext_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    lNotFound_ = new QLabel(QStringLiteral("Not found"), this);
    lNotFound_->setObjectName("lNotFound");
    lNotFound_->hide();
    btFindClose_ = new QToolButton(this);
    btFindClose_->setObjectName("btFindClose");
    btFindClose_->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    btFindClose_->setToolTip(QStringLiteral("Close the find bar (Escape)"));
    btFindClose_->setToolButtonStyle(Qt::ToolButtonIconOnly);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(lFind_);
    layout->addWidget(edFind_, 1);
    layout->addWidget(btFindNext_);
    layout->addWidget(lNotFound_);
    layout->addStretch();
    layout->addWidget(btFindClose_);
    hide();

    const auto next = [this] { FindNext(); };
    const auto close = [this] {
        hide();
        emit closed();
    };
    connect(edFind_, &QLineEdit::returnPressed, this, next);
    connect(btFindNext_, &QToolButton::clicked, this, next);
    connect(edFind_, &QLineEdit::textEdited, lNotFound_, &QWidget::hide);
    connect(btFindClose_, &QToolButton::clicked, this, close);
    auto* escape = new QAction(this);
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    escape->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(escape);
    connect(escape, &QAction::triggered, this, close);
}

void ChannelFindBar::Open() {
    show();
    edFind_->setFocus();
    edFind_->selectAll();
}

void ChannelFindBar::FindNext() {
    emit findNext(edFind_->text());
}

void ChannelFindBar::ShowNotFound(bool notFound) {
    lNotFound_->setVisible(notFound);
}

bool ChannelFindBar::NotFoundShown() const {
    return !lNotFound_->isHidden();
}

} // namespace zorva
