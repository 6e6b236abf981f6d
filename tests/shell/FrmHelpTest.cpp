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
#include <QTextDocument>
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
        if (help) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(help));
        }
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
    const struct {
        const char* locale;
        bool english, chinese;
        const char* shownFile;
        const char* firstHeading;
    } rows[] = {
        {"en", true, true, "en.md", "Manual"},
        {"zh_CN", true, true, "zh.md", "手册"},
        {"zh_CN", true, false, "en.md", "Manual"},
        {"en", false, true, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.locale + std::string(row.english ? " en" : "") +
                     (row.chinese ? " zh" : ""));
        std::filesystem::remove_all(dir.File("manual"));
        std::filesystem::create_directories(dir.File("manual"));
        if (row.english) Manual("en.md", kEnglish);
        if (row.chinese) Manual("zh.md", kChinese);
        Language().Locale = row.locale;
        form.reset();
        TfHelp* help = Open();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->ManualPath(), *row.shownFile ? dir.File("manual/") + row.shownFile : "");
        if (*row.firstHeading) {
            ASSERT_FALSE(help->Browser()->Headings().empty());
            EXPECT_EQ(help->Browser()->Headings().front().text, row.firstHeading);
        } else {
            EXPECT_EQ(help->Browser()->toPlainText(), help->findChild<QLabel*>("lMissing")->text());
        }
    }

    // F1 raises the one window; a language chosen meanwhile is shown when it is used again.
    Language().Locale = "zh_CN";
    Manual("en.md", kEnglish);
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

TEST_F(FrmHelpTest, ChineseWindowTextsComeFromTheLanguageFile) {
    std::ifstream in(ZORVA_LANG_DIR "/Chinese.Ini", std::ios::binary);
    dir.Write("Chinese.Ini", std::string(std::istreambuf_iterator<char>(in), {}));
    All().LanguageId = 1;
    All().LanguageName = "Chinese";
    Language().Locale = "zh_CN";
    Manual("en.md", kEnglish);
    TfHelp* help = Open();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle(), "帮助主题");
    EXPECT_EQ(help->findChild<QToolButton*>("btBack")->text(), "后退");
}

TEST_F(FrmHelpTest, ContentsAndLinksMoveToTheirSectionAndBackReturns) {
    Manual("en.md", kEnglish);
    TfHelp* help = Open();
    ASSERT_NE(help, nullptr);
    QTreeWidget* contents = help->Contents();
    ASSERT_EQ(contents->topLevelItemCount(), 1);
    QTreeWidgetItem* top = contents->topLevelItem(0);
    ASSERT_EQ(top->childCount(), 2);
    EXPECT_EQ(top->child(1)->text(0), "Choosing the port");
    ASSERT_EQ(top->child(1)->childCount(), 1);
    EXPECT_EQ(top->child(1)->child(0)->text(0), "Port errors");
    EXPECT_EQ(TopLine(*help), "Manual");
    // A picture wider than the pane is shown narrower; the text never scrolls sideways.
    EXPECT_EQ(help->Browser()->horizontalScrollBar()->maximum(), 0);

    // A click in the contents.
    QTreeWidgetItem* errors = top->child(1)->child(0);
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
        if (*row.typed) {
            edit->clear();
            QTest::keyClicks(edit, row.typed);
        }
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
    std::map<QString, std::vector<int>> levels;
    std::map<QString, std::set<QString>> pictures;
    for (const QString& name : {QStringLiteral("en.md"), QStringLiteral("zh.md")}) {
        SCOPED_TRACE(name.toStdString());
        HelpBrowser browser;
        browser.setSource(QUrl::fromLocalFile(folder + name), QTextDocument::MarkdownResource);
        std::set<QString> slugs;
        for (const HelpHeading& heading : browser.Headings()) {
            slugs.insert(heading.slug);
            levels[name].resize(std::max<std::size_t>(levels[name].size(), heading.level + 1));
            ++levels[name][heading.level];
        }
        EXPECT_GT(slugs.size(), 10u);
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
                const QString href = format.anchorHref();
                if (href.startsWith('#')) {
                    links.push_back(href);
                } else if (!href.isEmpty()) {
                    EXPECT_TRUE(href.startsWith("https://")) << href.toStdString();
                }
            }
        }
        // Followed as a click does, each link lands on the heading it names.
        EXPECT_GT(links.size(), 10u);
        for (const QString& href : links) {
            browser.setSource(browser.source().resolved(QUrl(href)));
            const QString slug = QUrl(href).fragment(QUrl::FullyDecoded);
            EXPECT_EQ(slugs.count(slug), 1u) << href.toStdString();
            EXPECT_TRUE(browser.textCursor().block().charFormat().anchorNames().contains(slug))
                << href.toStdString();
        }
    }
    EXPECT_EQ(levels["zh.md"], levels["en.md"]);
    EXPECT_EQ(pictures["zh.md"], pictures["en.md"]);
    EXPECT_FALSE(pictures["en.md"].empty());
}

} // namespace
} // namespace zorva
