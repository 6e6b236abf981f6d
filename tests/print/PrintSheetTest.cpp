// The printed configuration sheet: rendered to PDF and read back as text, as a user would
// read the paper; and the Print command's dialog.
#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "core/Maindb.h"
#include "print/PrintCommands.h"
#include "print/PrintTexts.h"
#include "settings/Language.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"
#include "shell/ui/MainFrm.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <functional>
#include <gtest/gtest.h>

namespace zorva {
namespace {

QString PdfText(const std::string& path) {
    return QString::fromStdString(test::PdfText(path));
}

class PrintSheetTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
    }
    // Every channel in use, named with the whole range of name characters.
    static void FillChannels() {
        for (int channel = 1; channel <= kMemoryChannels; ++channel) {
            InitNewChannel(All(), channel, channel % 2 ? "145.50000" : "435.02500");
            std::string name;
            for (int i = 0; i < 7; ++i)
                name += static_cast<char>(0x20 + (channel * 7 + i) % (0x7A - 0x20 + 1));
            SetChannelField(All(), channel, kFieldName, name);
        }
        std::string named = "REPEATR";
        SetChannelField(All(), 1, kFieldName, named);
    }

    test::TempDir dir;
};

TEST_F(PrintSheetTest, SheetsReadBackWithHeaderChannelsAndSettingsInTheirLanguage) {
    struct Case {
        const char* name;
        bool channels;
        const char* language; // empty: the built-in English texts
        std::vector<QString> expected;
    };
    const std::vector<Case> cases = {
        {"full",
         true,
         "",
         {"ZORVA-520SX", "REPEATR", "145.50000", "435.02500", "Page 1 / ", "not saved",
          "Optional Function", "Freq_Up", "DTMF Function"}},
        {"empty", false, "", {"No channel is in use.", "Page 1 / ", "Scan Information"}},
        {"chinese", true, "Chinese", {"REPEATR", "未保存", "信道信息", "页"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        if (*c.language) {
            QFile::copy(QStringLiteral(ZORVA_LANG_DIR "/%1.Ini").arg(c.language),
                        QString::fromStdString(dir.File(std::string(c.language) + ".Ini")));
            All().LanguageName = c.language;
            All().LanguageId = 1; // not the first language: the file gives the texts
            LoadLanguage(Language(), LanguageFilePath(All().ExeDir, All().LanguageName));
        }
        if (c.channels) FillChannels();
        const auto image = All().Image;
        const std::string pdf = dir.File(std::string(c.name) + ".pdf");
        QString error;
        ASSERT_TRUE(WriteSheetPdf(All(), pdf, "", error)) << error.toStdString();
        const QString text = PdfText(pdf);
        for (const QString& expected : c.expected)
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
        EXPECT_EQ(All().Image, image); // printing never changes the image
    }
}

TEST_F(PrintSheetTest, EveryChannelIsOnTheSheetAndEveryPageSaysWhichOfHowMany) {
    FillChannels();
    const std::string pdf = dir.File("all.pdf");
    QString error;
    ASSERT_TRUE(WriteSheetPdf(All(), pdf, "/home/ham/radio.dat", error));
    const QString text = PdfText(pdf);
    const int pages = static_cast<int>(text.count(QChar('\f')));
    ASSERT_GT(pages, 1);
    EXPECT_EQ(text.count(QStringLiteral("/home/ham/radio.dat")), pages);
    for (int page = 1; page <= pages; ++page)
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 / %2").arg(page).arg(pages))) << page;
    EXPECT_EQ(text.count(QStringLiteral("145.50000")), kMemoryChannels); // RX and TX of half
}

TEST_F(PrintSheetTest, UnwritablePdfIsOneMessageNamingTheFile) {
    QString error;
    EXPECT_FALSE(WriteSheetPdf(All(), dir.File("missing/sheet.pdf"), "", error));
    EXPECT_TRUE(error.contains(QString::fromStdString(dir.File("missing/sheet.pdf"))));
}

TEST_F(PrintSheetTest, PrintCommandPrintsToTheChosenPdfAndACancelPrintsNothing) {
    QApplication::setQuitOnLastWindowClosed(false);
    TfMainFrm form;
    RegisterPrintCommands(form);
    form.portLister = [] { return std::vector<ListedPort>{}; };
    form.show();
    std::string target;
    bool accept = true;
    form.execDialog = [&](QDialog& dialog) {
        auto* print = dynamic_cast<QPrintDialog*>(&dialog);
        EXPECT_NE(print, nullptr);
        if (!print) return int(QDialog::Rejected);
        // Without an installed printer the dialog still offers a PDF file.
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(QString::fromStdString(target));
        // As the dialog's own OK would, without reading its controls back into the printer.
        accept ? dialog.QDialog::accept() : dialog.reject();
        return dialog.result();
    };
    ScriptedMessages messages;
    const std::vector<std::tuple<std::string, bool, bool, size_t>> rows = {
        // file, accepted, written, messages
        {dir.File("printed.pdf"), true, true, 0},
        {dir.File("cancelled.pdf"), false, false, 0},
        {dir.File("no/such/folder.pdf"), true, false, 1},
    };
    for (const auto& [file, accepted, written, shown] : rows) {
        SCOPED_TRACE(file);
        target = file;
        accept = accepted;
        messages.shown.clear();
        form.RunCommand(cmd::Print);
        EXPECT_EQ(QFileInfo(QString::fromStdString(file)).size() > 0, written);
        ASSERT_EQ(messages.shown.size(), shown);
        if (shown) {
            EXPECT_NE(messages.shown[0].text.find(file), std::string::npos);
        }
    }
    EXPECT_FALSE(form.CommandAction(cmd::Undo)->isEnabled());
}

} // namespace
} // namespace zorva
