#include "editors/channels/ImportCsv.h"

#include "editors/channels/CsvTexts.h"
#include "settings/ui/LocaliseForm.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorva {

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
    QLabel* lProblems = label("lProblems", QStringLiteral("Problems:"));
    lbProblems_ = new QListWidget(this);
    lbProblems_->setObjectName("lbProblems");
    lNoProblems_ = label("lNoProblems", QStringLiteral("No problems were found."));
    btOk_ = new QPushButton(QStringLiteral("OK"), this);
    btOk_->setObjectName("btOk");
    btOk_->setDefault(true);
    btCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    btCancel_->setObjectName("btCancel");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk_);
    buttons->addWidget(btCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lFileName_);
    layout->addLayout(form);
    layout->addWidget(cbReplaceAll_);
    layout->addWidget(lProblems);
    layout->addWidget(lbProblems_, 1);
    layout->addWidget(lNoProblems_);
    layout->addLayout(buttons);
    resize(560, 400);

    connect(btOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cbReplaceAll_, &QCheckBox::toggled, this, [this] { Replan(); });

    LocaliseForm(*this, false);
    Replan();
}

void TfImportCsv::Replan() {
    CsvImportOptions options;
    options.replaceAll = cbReplaceAll_->isChecked();
    plan_ = PlanCsvImport(all_, bytes_, options);
    const int counts[4] = {plan_.set, plan_.replaced, plan_.kept, plan_.emptied};
    for (int i = 0; i < 4; ++i)
        counts_[i]->setText(QString::number(counts[i]));

    const TfCsvTexts texts;
    const CsvTexts reasons = texts.Texts();
    lbProblems_->clear();
    for (const CsvProblem& problem : plan_.problems) {
        const std::string text = ProblemText(problem, reasons);
        auto* item = new QListWidgetItem(QString::fromUtf8(text.data(), qsizetype(text.size())),
                                         lbProblems_);
        if (problem.IsError()) item->setForeground(Qt::red);
    }
    lNoProblems_->setVisible(plan_.problems.empty());
    btOk_->setEnabled(!plan_.HasErrors());
}

QString TfImportCsv::CountText(int which) const {
    return which >= 0 && which < 4 ? counts_[which]->text() : QString();
}

} // namespace zorva
