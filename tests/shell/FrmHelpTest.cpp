// The help window driven for real on manuals of a temporary folder, and the shipped manuals'
// links, headings and pictures.
#include "shell/ui/FrmHelp.h"

#include "TestSupport.h"
#include "core/Maindb.h"
#include "shell/Startup.h"
#include "shell/ui/MainFrm.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace zorva {
namespace {

using test::TempDir;

// Enough text between the sections that each can be scrolled to the top of the pane.
std::string Filler() {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "Filler paragraph " + std::to_string(i) + ".\n\n";
    return text;
}

const std::string kEnglish = "# Manual\n\nSee [the port](#choosing-the-port).\n\n"
                             "![A wide picture](images/wide.png)\n\n## Reading the radio\n\n" +
                             Filler() + "## Choosing the port\n\nJoin the dialout group.\n\n" +
                             Filler() + "### Port errors\n\n" + Filler();
const std::string kChinese = "# 手册\n\n## 读取电台\n\n" + Filler();

class FrmHelpTest : public testing::Test {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        DataModuleCreate(TheMaindb(), dir.Path());
        std::filesystem::create_directories(dir.File("manual/images"));
        QImage(2000, 40, QImage::Format_RGB32)
            .save(QString::fromStdString(dir.File("manual/images/wide.png")));
    }
    void Manual(const std::string& name, const std::string& text) {
        dir.Write("manual/" + name, text);
    }
    // Opens the window as the main window's command does.
    TfHelp* Open() {
        if (!form) {
            form = std::make_unique<TfMainFrm>();
            form->portLister = [] { return std::vector<ListedPort>{}; };
            form->show();
        }
        form->RunCommand(cmd::HelpTopics);
        auto* help = form->findChild<TfHelp*>();
        EXPECT_TRUE(help && QTest::qWaitForWindowExposed(help));
        return help;
    }
    // The text of the first line shown at the top of the text pane.
    static std::string TopLine(TfHelp& help) {
        QCoreApplication::processEvents();
        return help.Browser()->cursorForPosition(QPoint(8, 8)).block().text().toStdString();
    }

    TempDir dir;
    std::unique_ptr<TfMainFrm> form;
};

TEST_F(FrmHelpTest, OpensInTheCurrentLanguageFallingBackToEnglish) {
    std::ifstream chineseTexts(ZORVA_LANG_DIR "/Chinese.Ini", std::ios::binary);
    dir.Write("Chinese.Ini", std::string(std::istreambuf_iterator<char>(chineseTexts), {}));
    const struct {
        const char* language; // and the manuals in the folder
        const char* shown;    // the manual shown, empty for none
        const char* caption;
        const char* text; // the start of the text shown
    } rows[] = {
        {"English en zh", "en.md", "Help Topics", "Manual"},
        {"Chinese en zh", "zh.md", "帮助主题", "手册"},
        {"Chinese en", "en.md", "帮助主题", "Manual"},
        {"English zh", "", "Help Topics", "The user manual was not found."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.language);
        const std::string given = row.language;
        std::filesystem::remove_all(dir.File("manual"));
        std::filesystem::create_directories(dir.File("manual"));
        if (given.find(" en") != std::string::npos) Manual("en.md", kEnglish);
        if (given.find(" zh") != std::string::npos) Manual("zh.md", kChinese);
        const bool chinese = given.starts_with("Chinese");
        All().LanguageId = chinese ? 1 : 0;
        All().LanguageName = chinese ? "Chinese" : "English";
        Language().Locale = chinese ? "zh_CN" : "en";
        form.reset();
        TfHelp* help = Open();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->ManualPath(), *row.shown ? dir.File("manual/") + row.shown : "");
        EXPECT_EQ(help->windowTitle().toStdString(), row.caption);
        EXPECT_TRUE(help->Browser()->toPlainText().startsWith(QString::fromUtf8(row.text)));
    }

    // F1 raises the one window; a language chosen meanwhile is shown when it is used again.
    Manual("en.md", kEnglish);
    Language().Locale = "zh_CN";
    TfHelp* help = Open();
    ASSERT_NE(help, nullptr);
    Language().Locale = "en";
    QApplication::setActiveWindow(form.get());
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_EQ(form->findChildren<TfHelp*>().size(), 1);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->ManualPath(), dir.File("manual/en.md"));
    EXPECT_EQ(help->Contents()->topLevelItem(0)->text(0).toStdString(), "Manual");
}

TEST_F(FrmHelpTest, ContentsAndLinksMoveToTheirSectionAndBackReturns) {
    Manual("en.md", kEnglish);
    TfHelp* help = Open();
    ASSERT_NE(help, nullptr);
    // The contents nest the headings by level.
    QTreeWidget* contents = help->Contents();
    QTreeWidgetItem* errors = contents->topLevelItem(0)->child(1)->child(0);
    ASSERT_NE(errors, nullptr);
    EXPECT_EQ(errors->text(0), "Port errors");
    EXPECT_EQ(TopLine(*help), "Manual");
    // A picture wider than the pane is shown narrower; the text never scrolls sideways.
    EXPECT_EQ(help->Browser()->horizontalScrollBar()->maximum(), 0);

    // A click in the contents.
    QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                      contents->visualItemRect(errors).center());
    EXPECT_EQ(TopLine(*help), "Port errors");
    QTest::mouseClick(help->findChild<QToolButton*>("btBack"), Qt::LeftButton);
    EXPECT_EQ(TopLine(*help), "Manual");

    // A link in the text.
    QTextCursor link = help->Browser()->document()->find("the port");
    ASSERT_FALSE(link.isNull());
    link.setPosition(link.selectionStart() + 2);
    QTest::mouseClick(help->Browser()->viewport(), Qt::LeftButton, {},
                      help->Browser()->cursorRect(link).center());
    EXPECT_EQ(TopLine(*help), "Choosing the port");
    QTest::keyClick(help->Browser(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(TopLine(*help), "Manual");
    QTest::keyClick(help->Browser(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(TopLine(*help), "Choosing the port");
}

TEST_F(FrmHelpTest, FindSelectsTheNextMatchWrapsAndTellsWhenThereIsNone) {
    Manual("en.md", kEnglish);
    TfHelp* help = Open();
    ASSERT_NE(help, nullptr);
    auto* edit = help->findChild<QLineEdit*>("edFind");
    auto* notFound = help->findChild<QLabel*>("lNotFound");
    QTest::keyClick(help->Browser(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(edit->isVisible());
    const struct {
        const char* typed;
        Qt::Key key;
        const char* section; // where the match is; empty: not found
    } rows[] = {
        {"paragraph 7.", Qt::Key_Return, "Reading the radio"},
        {"", Qt::Key_F3, "Choosing the port"}, // the next match
        {"", Qt::Key_F3, "Port errors"},
        {"", Qt::Key_Return, "Reading the radio"}, // from the top again
        {"nowhere", Qt::Key_Return, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        if (*row.typed) edit->setText(row.typed);
        QTest::keyClick(edit, row.key);
        const QTextCursor selected = help->Browser()->textCursor();
        EXPECT_EQ(notFound->isVisible(), !*row.section);
        if (*row.section) {
            EXPECT_EQ(selected.selectedText(), "paragraph 7.");
            QTextBlock heading = selected.block();
            while (heading.blockFormat().headingLevel() == 0)
                heading = heading.previous();
            EXPECT_EQ(heading.text().toStdString(), row.section);
        }
    }
}

// The shipped manuals: every link to a section names a heading, every picture exists, and
// both languages have the same sections and pictures.
TEST(ShippedManuals, LinksHeadingsAndPicturesAgree) {
    const QString folder = QStringLiteral(ZORVA_MANUAL_DIR "/");
    std::map<QString, std::map<int, int>> levels; // headings per level
    std::map<QString, std::set<QString>> pictures;
    for (const QString& name : {QStringLiteral("en.md"), QStringLiteral("zh.md")}) {
        SCOPED_TRACE(name.toStdString());
        HelpBrowser browser;
        browser.setSource(QUrl::fromLocalFile(folder + name), QTextDocument::MarkdownResource);
        for (const HelpHeading& heading : browser.Headings())
            ++levels[name][heading.level];
        std::vector<QString> links;
        for (QTextBlock block = browser.document()->begin(); block.isValid();
             block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                if (format.isImageFormat()) {
                    const QString picture = format.toImageFormat().name();
                    pictures[name].insert(picture);
                    EXPECT_TRUE(QFileInfo::exists(folder + picture)) << picture.toStdString();
                }
                if (format.anchorHref().startsWith('#')) links.push_back(format.anchorHref());
            }
        }
        // Followed as a click does, each link lands on the heading it names.
        EXPECT_GT(links.size(), 10u);
        for (const QString& href : links) {
            browser.setSource(browser.source().resolved(QUrl(href)));
            const QString slug = QUrl(href).fragment(QUrl::FullyDecoded);
            EXPECT_TRUE(browser.textCursor().block().charFormat().anchorNames().contains(slug))
                << href.toStdString();
        }
    }
    EXPECT_EQ(levels["zh.md"], levels["en.md"]);
    EXPECT_EQ(pictures["zh.md"], pictures["en.md"]);
    EXPECT_EQ(levels["en.md"].size(), 3u);
    EXPECT_FALSE(pictures["en.md"].empty());
}

} // namespace
} // namespace zorva
