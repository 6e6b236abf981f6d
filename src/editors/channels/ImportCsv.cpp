#include "editors/channels/ImportCsv.h"

#include "codec/ChannelRows.h"
#include "editors/channels/CsvTexts.h"
#include "settings/ui/LocaliseForm.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zorva {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// The problems as a list the view asks row by row: a list of ten thousand stays quick.
class CsvProblemModel : public QAbstractListModel {
public:
    explicit CsvProblemModel(QObject* parent) : QAbstractListModel(parent) {}

    void Reset(const std::vector<CsvProblem>& problems, const CsvTexts& texts) {
        beginResetModel();
        lines_.clear();
        errors_.clear();
        for (const CsvProblem& problem : problems) {
            lines_.push_back(FromUtf8(ProblemText(problem, texts)));
            errors_.push_back(problem.IsError());
        }
        endResetModel();
    }
    const QStringList& Lines() const { return lines_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(lines_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= lines_.size()) return {};
        if (role == Qt::DisplayRole) return lines_.at(index.row());
        if (role == Qt::ForegroundRole && errors_.at(static_cast<std::size_t>(index.row())))
            return QColor(Qt::red);
        return {};
    }

private:
    QStringList lines_;
    std::vector<bool> errors_;
};

TfImportCsv::TfImportCsv(const TALL& all, std::string bytes, const QString& fileName,
                         QWidget* parent)
    : QDialog(parent), all_(all), bytes_(std::move(bytes)) {
    setObjectName("fImportCsv");
    setWindowTitle(QStringLiteral("Import Channels"));
    const auto label = [this](const char* name, const QString& text) {
        auto* made = new QLabel(text, this);
        made->setObjectName(QString::fromLatin1(name));
        return made;
    };
    lFileName_ = label("lFileName", fileName);
    lFileName_->setProperty("tag", -2); // a path, never translated
    // Filled from the plan in the language's texts.
    lCounts_ = label("lProblemCounts", QString());
    lCounts_->setProperty("tag", -2);
    lCounts_->setWordWrap(true);
    lSkipped_ = label("lSkipped", QString());
    lSkipped_->setProperty("tag", -2);
    lSkipped_->setWordWrap(true);
    auto* form = new QFormLayout;
    const char* const captions[4][2] = {{"lSet", "Channels set:"},
                                        {"lReplaced", "Channels replaced:"},
                                        {"lKept", "Channels left alone:"},
                                        {"lEmptied", "Channels emptied:"}};
    for (int i = 0; i < 4; ++i) {
        counts_[i] = new QLabel(this);
        form->addRow(label(captions[i][0], QString::fromLatin1(captions[i][1])), counts_[i]);
    }
    cbReplaceAll_ = new QCheckBox(QStringLiteral("&Replace all channels (empty every channel the "
                                                 "file does not name)"),
                                  this);
    cbReplaceAll_->setObjectName("cbReplaceAll");
    cbSkipUnsupported_ = new QCheckBox(QStringLiteral("&Skip rows this radio cannot take"), this);
    cbSkipUnsupported_->setObjectName("cbSkipUnsupported");
    rbByLocation_ = new QRadioButton(QStringLiteral("Channels from the file's &Location"), this);
    rbByLocation_->setObjectName("rbByLocation");
    rbByLocation_->setChecked(true);
    rbInFileOrder_ = new QRadioButton(QStringLiteral("In file &order from channel"), this);
    rbInFileOrder_->setObjectName("rbInFileOrder");
    seFirstChannel_ = new QSpinBox(this);
    seFirstChannel_->setObjectName("seFirstChannel");
    seFirstChannel_->setRange(1, std::max(1, LastChannel(all)));
    QLabel* lProblems = label("lProblems", QStringLiteral("Problems:"));
    problems_ = new CsvProblemModel(this);
    lvProblems_ = new QListView(this);
    lvProblems_->setObjectName("lvProblems");
    lvProblems_->setUniformItemSizes(true);
    lvProblems_->setModel(problems_);
    lNoProblems_ = label("lNoProblems", QStringLiteral("No problems were found."));
    btCopyProblems_ = new QPushButton(QStringLiteral("&Copy Problems"), this);
    btCopyProblems_->setObjectName("btCopyProblems");
    btOk_ = new QPushButton(QStringLiteral("OK"), this);
    btOk_->setObjectName("btOk");
    btOk_->setDefault(true);
    btCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    btCancel_->setObjectName("btCancel");

    auto* order = new QHBoxLayout;
    order->addWidget(rbByLocation_);
    order->addWidget(rbInFileOrder_);
    order->addWidget(seFirstChannel_);
    order->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btCopyProblems_);
    buttons->addStretch();
    buttons->addWidget(btOk_);
    buttons->addWidget(btCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lFileName_);
    layout->addWidget(lCounts_);
    layout->addWidget(lSkipped_);
    layout->addLayout(form);
    layout->addWidget(cbReplaceAll_);
    layout->addWidget(cbSkipUnsupported_);
    layout->addLayout(order);
    layout->addWidget(lProblems);
    layout->addWidget(lvProblems_, 1);
    layout->addWidget(lNoProblems_);
    layout->addLayout(buttons);
    resize(640, 480);

    connect(btOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(btCopyProblems_, &QPushButton::clicked, this, [this] { CopyProblems(); });
    for (QCheckBox* box : {cbReplaceAll_, cbSkipUnsupported_})
        connect(box, &QCheckBox::toggled, this, [this] { Replan(); });
    connect(rbInFileOrder_, &QRadioButton::toggled, this, [this] { Replan(); });
    connect(seFirstChannel_, &QSpinBox::valueChanged, this, [this] { Replan(); });

    LocaliseForm(*this, false);
    Replan();
}

void TfImportCsv::Replan() {
    CsvImportOptions options;
    options.replaceAll = cbReplaceAll_->isChecked();
    options.skipBadRows = cbSkipUnsupported_->isChecked();
    options.firstChannel = rbInFileOrder_->isChecked() ? seFirstChannel_->value() : 0;
    seFirstChannel_->setEnabled(rbInFileOrder_->isChecked());
    plan_ = PlanCsvImport(all_, bytes_, options);
    const int counts[4] = {plan_.set, plan_.replaced, plan_.kept, plan_.emptied};
    for (int i = 0; i < 4; ++i)
        counts_[i]->setText(QString::number(counts[i]));

    const CsvTexts texts = TfCsvTexts().Texts();
    lCounts_->setText(FromUtf8(ProblemCounts(plan_.problems, texts)));
    lCounts_->setVisible(!plan_.problems.empty());
    lSkipped_->setText(FromUtf8(SkippedText(plan_, texts)));
    lSkipped_->setVisible(!plan_.skipped.empty());
    problems_->Reset(plan_.problems, texts);
    lNoProblems_->setVisible(plan_.problems.empty());
    btCopyProblems_->setEnabled(!plan_.problems.empty());
    btOk_->setEnabled(!plan_.HasErrors());
}

QString TfImportCsv::Summary() const {
    QStringList lines;
    for (const QLabel* line : {lCounts_, lSkipped_})
        if (!line->text().isEmpty()) lines << line->text();
    return lines.join('\n');
}

void TfImportCsv::CopyProblems() const {
    QStringList lines{Summary()};
    lines += problems_->Lines();
    QApplication::clipboard()->setText(lines.join('\n') + '\n');
}

QString TfImportCsv::CountText(int which) const {
    return which >= 0 && which < 4 ? counts_[which]->text() : QString();
}

} // namespace zorva
