// The main window's status bar and caption: the hint of the hovered item, the date and time,
// the port, the model and its bands, and the file the image belongs to.
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "link/qt/LocalPath.h"
#include "shell/ui/MainFrm.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

namespace zorva {

namespace {

constexpr int kStatusPanels = 7;
const QString kModifiedMark = QStringLiteral("[*]");

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The system's date separator: the first mark between the fields of its short date format.
QString DateSeparator(const QLocale& locale) {
    bool quoted = false;
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat)) {
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && !c.isLetter() && !c.isSpace()) {
            return QString(c);
        }
    }
    return QStringLiteral("/");
}

} // namespace

void TfMainFrm::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("MainBar");
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < kStatusPanels; ++i) {
        auto* panel = new QLabel(bar);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(i == 0 || i == 6 ? 40 : 90);
        bar->addWidget(panel, i == 6 ? 1 : 0);
        panels_.push_back(panel);
    }
    // Never shown: they only carry texts the language file may replace.
    lCom_ = new QLabel("Port: ", this);
    lCom_->setObjectName("lCom");
    lCom_->hide();
    cbCom_ = new QComboBox(this);
    cbCom_->setObjectName("cbCom");
    cbCom_->setProperty("tag", -2); // port names are never translated
    cbCom_->hide();
}

void TfMainFrm::ShowClock() {
    const QLocale system = QLocale::system();
    const QString separator = DateSeparator(system);
    panels_[1]->setText(
        system.toString(QDate::currentDate(), "yyyy" + separator + "MM" + separator + "dd"));
    panels_[2]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

void TfMainFrm::UpdateStatus() {
    const TALL& state = document_->State();
    panels_[0]->clear();
    ShowClock();
    panels_[3]->setText(lCom_->text() + FromUtf8(state.PortName));
    panels_[4]->setText(FromUtf8(state.ModelName));
    panels_[5]->setText(FromUtf8(state.BandSummary));
    QString caption = FromUtf8(state.ProductName);
    if (!document_->FileName().empty())
        caption += " [" + FromLocalPath(document_->FileName()) + "]";
    setWindowTitle(caption + kModifiedMark);
    setWindowModified(document_->Modified());
}

QLabel* TfMainFrm::StatusPanel(int index) const {
    return index >= 0 && index < kStatusPanels ? panels_[index] : nullptr;
}

void TfMainFrm::ShowStatusNote(const std::string& text) {
    // After the command that asked for it has brought the panels up to date.
    QTimer::singleShot(0, this, [this, note = FromUtf8(text)] { panels_[0]->setText(note); });
}

} // namespace zorva
