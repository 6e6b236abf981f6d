// The printed configuration sheet: rendered to PDF and read back as text, as a user would
// read the paper; and the Print command's dialog.
#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/FmCodec.h"
#include "core/Maindb.h"
#include "print/SheetPdf.h"
#include "print/ui/PrintCommands.h"
#include "settings/Language.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"
#include "shell/ui/MainFrm.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

namespace zorva {
namespace {

QString PdfText(const std::string& path) {
    return QString::fromStdString(test::PdfText(path));
}

// Whether the first page of the PDF file is wider than high, as pdfinfo (poppler-utils)
// gives its size.
bool IsLandscape(const std::string& path) {
    std::string info;
    if (FILE* pipe = ::popen(("pdfinfo '" + path + "'").c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            info.append(buffer, n);
        ::pclose(pipe);
    }
    double width = 0, height = 0;
    const auto at = info.find("Page size:");
    EXPECT_NE(at, std::string::npos) << info;
    if (at != std::string::npos)
        std::sscanf(info.c_str() + at, "Page size: %lf x %lf", &width, &height);
    return width > height;
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

TEST_F(PrintSheetTest, SheetNamesTheModelOnceAndShowsWhatTheWindowsShowOnTurnedPaper) {
    struct Case {
        const char* name;
        bool channels;
        bool landscape; // the channel table's columns need the width
    };
    for (const Case& c : {Case{"channels", true, true}, Case{"none", false, false}}) {
        SCOPED_TRACE(c.name);
        SetUp();
        if (c.channels) FillChannels();
        WriteFmChannel(All(), 3, "99.5");
        const std::string pdf = dir.File(std::string(c.name) + ".pdf");
        QString error;
        ASSERT_TRUE(WriteSheetPdf(All(), pdf, "", error)) << error.toStdString();
        EXPECT_EQ(IsLandscape(pdf), c.landscape);
        const QString text = PdfText(pdf);
        // Product and model have the same name: one on each page's header.
        EXPECT_EQ(text.count(QStringLiteral("ZORVA-520SX")), text.count(QChar('\f')));
        // The fourth range's switch is shown by no window.
        EXPECT_FALSE(text.contains(QStringLiteral("Freq. Range-4")));
        EXPECT_TRUE(text.contains(QStringLiteral("Cross-band setting")));
        // The FM settings and the FM stations each have a heading of their own.
        EXPECT_EQ(text.count(QStringLiteral("FM Information")), 2);
        EXPECT_EQ(text.count(QStringLiteral("FM Information \u2013 Memory Channel")), 1);
        EXPECT_TRUE(text.contains(QStringLiteral("99.50000")));
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
    FillChannels(); // into the image the first showing made
    std::string target;
    bool accept = true;
    bool upright = false;
    form.execDialog = [&](QDialog& dialog) {
        auto* print = dynamic_cast<QPrintDialog*>(&dialog);
        EXPECT_NE(print, nullptr);
        if (!print) return int(QDialog::Rejected);
        // Every channel in use: the paper is offered turned.
        EXPECT_EQ(print->printer()->pageLayout().orientation(), QPageLayout::Landscape);
        // Without an installed printer the dialog still offers a PDF file.
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(QString::fromStdString(target));
        // The user's choice stands.
        if (upright) print->printer()->setPageOrientation(QPageLayout::Portrait);
        // As the dialog's own OK would, without reading its controls back into the printer.
        accept ? dialog.QDialog::accept() : dialog.reject();
        return dialog.result();
    };
    ScriptedMessages messages;
    const std::vector<std::tuple<std::string, bool, bool, bool, size_t>> rows = {
        // file, accepted, upright, written, messages
        {dir.File("printed.pdf"), true, false, true, 0},
        {dir.File("upright.pdf"), true, true, true, 0},
        {dir.File("cancelled.pdf"), false, false, false, 0},
        {dir.File("no/such/folder.pdf"), true, false, false, 1},
    };
    for (const auto& [file, accepted, portrait, written, shown] : rows) {
        SCOPED_TRACE(file);
        target = file;
        accept = accepted;
        upright = portrait;
        messages.shown.clear();
        form.RunCommand(cmd::Print);
        EXPECT_EQ(QFileInfo(QString::fromStdString(file)).size() > 0, written);
        if (written) {
            EXPECT_EQ(IsLandscape(file), !portrait);
        }
        ASSERT_EQ(messages.shown.size(), shown);
        if (shown) {
            EXPECT_NE(messages.shown[0].text.find(file), std::string::npos);
        }
    }
    EXPECT_FALSE(form.CommandAction(cmd::Undo)->isEnabled());
}

TEST_F(PrintSheetTest, PreviewOffersTurnedPaperAndPaintsTheSheetWhereverItIsAsked) {
    QApplication::setQuitOnLastWindowClosed(false);
    TfMainFrm form;
    RegisterPrintCommands(form);
    form.portLister = [] { return std::vector<ListedPort>{}; };
    form.show();
    FillChannels();
    const std::string pdf = dir.File("preview.pdf");
    bool shown = false;
    form.execDialog = [&](QDialog& dialog) {
        auto* preview = dynamic_cast<QPrintPreviewDialog*>(&dialog);
        EXPECT_NE(preview, nullptr);
        if (!preview) return int(QDialog::Rejected);
        shown = true;
        EXPECT_EQ(preview->printer()->pageLayout().orientation(), QPageLayout::Landscape);
        // As the preview's own print button asks, with a printer writing a file.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        emit preview->paintRequested(&printer);
        return int(QDialog::Rejected);
    };
    ScriptedMessages messages;
    form.RunCommand(cmd::PrintPreview);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(PdfText(pdf).contains(QStringLiteral("REPEATR")));
}

} // namespace
} // namespace zorva
