#include "editors/channels/ChannelCsvCommands.h"

#include "codec/ChannelRecord.h"
#include "core/Maindb.h"
#include "core/SafeFile.h"
#include "csv/ChannelCsv.h"
#include "document/RadioDocument.h"
#include "editors/channels/CsvTexts.h"
#include "editors/channels/ImportCsv.h"
#include "link/qt/LocalPath.h"
#include "settings/Language.h"
#include "settings/UserMessages.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Commands.h"

#include <QFileDialog>
#include <QFileInfo>

namespace zorva {

namespace {

const QString kCsvFilter = QStringLiteral("CSV File(*.csv)");

void Tell(const QString& text) {
    ShowMsg(Language().Caution, text.toStdString(), kMsgInfo);
}

QString Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

} // namespace

bool ImportChannelsFile(RadioDocument& document, const QString& path, QWidget* parent,
                        const std::function<int(QDialog&)>& exec) {
    const TfCsvTexts texts;
    // A file far larger than any channel list is refused before it is read.
    if (QFileInfo(path).size() > static_cast<qint64>(kCsvMaxBytes)) {
        CsvProblem tooLarge;
        tooLarge.issue = CsvIssue::TooLarge;
        Tell(texts.Problems({tooLarge}));
        return false;
    }
    std::string bytes;
    if (!ReadFileContents(ToLocalPath(path), bytes)) {
        Tell(texts.ReadFailed().arg(path));
        return false;
    }
    TfImportCsv dialog(document.State(), std::move(bytes), path, parent);
    if (exec(dialog) != QDialog::Accepted) return false;
    bool applied = false;
    document.Change(dialog.windowTitle(), [&](TALL& all) {
        applied = ApplyCsvImport(all, dialog.Plan());
        RepairImage(all);
    });
    return applied;
}

bool ExportChannelsFile(const TALL& all, const QString& path) {
    const TfCsvTexts texts;
    const CsvExport exported = ExportChannelsCsv(all);
    std::string error;
    if (!ReplaceFileContents(ToLocalPath(path), exported.text, error)) {
        Tell(texts.WriteFailed().arg(path, QString::fromLocal8Bit(error)));
        return false;
    }
    if (!exported.warnings.empty())
        Tell(texts.ExportWarnings() + '\n' + texts.Problems(exported.warnings));
    return true;
}

QString DefaultExportName(const std::string& imageFile) {
    if (imageFile.empty()) return QStringLiteral("channels.csv");
    const QFileInfo image(FromLocalPath(imageFile));
    return image.dir().filePath(image.completeBaseName() + QStringLiteral(".csv"));
}

void RegisterChannelCsvCommands(MainWindowPort& mainForm) {
    mainForm.RegisterCommand(cmd::ImportCsv, 0, [&mainForm](QWidget*) {
        QFileDialog dialog(mainForm.DialogParent(), QString(), QString(), kCsvFilter);
        dialog.setObjectName("odImportCsv");
        dialog.setWindowTitle(TfCsvTexts().ImportTitle());
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        const QString path = Chosen(dialog);
        if (!path.isEmpty())
            ImportChannelsFile(mainForm.Document(), path, mainForm.DialogParent(),
                               [](QDialog& preview) { return preview.exec(); });
    });
    mainForm.RegisterCommand(cmd::ExportCsv, 0, [&mainForm](QWidget*) {
        QFileDialog dialog(mainForm.DialogParent(), QString(),
                           DefaultExportName(mainForm.Document().FileName()), kCsvFilter);
        dialog.setObjectName("sdExportCsv");
        dialog.setWindowTitle(TfCsvTexts().ExportTitle());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        const QString path = Chosen(dialog);
        if (!path.isEmpty() && ExportChannelsFile(mainForm.Document().State(), path))
            mainForm.ShowStatusNote(TfCsvTexts().Exported().arg(path).toStdString());
    });
}

} // namespace zorva
