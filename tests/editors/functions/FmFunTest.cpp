// The FM broadcast window against the FM slots, their empty bits and the receiver settings.
#include "editors/functions/FmFun.h"

#include "TestSupport.h"
#include "core/Maindb.h"
#include "core/TAll.h"
#include "document/RadioDocument.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace zorva {
namespace {

using test::TempDir;

constexpr int kStepByte = 0x11C1;
constexpr int kInhibitByte = 0x11BD;
constexpr int kCurrentWord = 0x108E;

uint16_t Word(int channel) {
    return All().U16At(kFmSlots + 2 * (channel - 1));
}

void PutWord(int channel, uint16_t units) {
    All().PutU16At(kFmSlots + 2 * (channel - 1), units);
}

bool InUse(int channel) {
    return All().IsSlotClear(kFmBitmap, channel);
}

class FmFunTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
        All().Modified = false;
        document.ForgetHistory();
    }

    void Show() {
        window.show();
        // The channel table is on the second page.
        window.findChild<QTabWidget*>()->setCurrentIndex(1);
        grid = window.Grid();
        rx = Get<QLineEdit>("cxRx");
    }

    template <typename T>
    T* Get(const char* name) {
        T* child = window.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QTableWidgetItem* Cell(int channel) const {
        return grid->item(TfFmFun::RowOfChannel(channel), TfFmFun::ColumnOfChannel(channel));
    }
    QString Shown(int channel) const { return Cell(channel)->text(); }

    // The open in-cell editor, if any (editors being closed are deleted later).
    QLineEdit* Editor() const {
        for (QLineEdit* edit : grid->findChildren<QLineEdit*>("gvDataEditor"))
            if (edit->isVisible()) return edit;
        return nullptr;
    }
    static void Flush() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void Click(int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(row, column)).center());
    }

    // A user clicks the channel's frequency cell, types over its text and ends with `finish`.
    void Type(int channel, const QString& text, Qt::Key finish = Qt::Key_Return) {
        Click(TfFmFun::RowOfChannel(channel), TfFmFun::ColumnOfChannel(channel));
        QLineEdit* editor = Editor();
        ASSERT_NE(editor, nullptr) << channel;
        EXPECT_EQ(editor->selectedText(), editor->text());
        if (text.isEmpty()) QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, finish);
        Flush();
    }

    void TypeRx(const QString& text) {
        rx->selectAll();
        QTest::keyClick(rx, Qt::Key_Backspace);
        QTest::keyClicks(rx, text);
        QTest::keyClick(rx, Qt::Key_Return);
    }

    TempDir dir;
    RadioDocument document{All(), MacList()};
    TfFmFun window{document};
    QTableWidget* grid = nullptr;
    QLineEdit* rx = nullptr;
};

TEST_F(FmFunTest, NewImageOpensWithEmptyChannelsAndTheDefaults) {
    const auto before = All().Image;
    Show();
    EXPECT_EQ(window.objectName(), "fFmFun");
    EXPECT_EQ(window.windowTitle(), "FM Information");
    for (int channel = 1; channel <= kFmChannels; ++channel)
        EXPECT_EQ(Shown(channel), "") << channel;
    EXPECT_EQ(rx->text(), "88.00000");
    EXPECT_EQ(Get<QComboBox>("cxStep")->currentText(), "50");
    EXPECT_FALSE(Get<QCheckBox>("cxFmDw")->isChecked());
    EXPECT_EQ(Get<QLineEdit>("cxFM_Min")->text(), "76.000");
    EXPECT_EQ(Get<QLineEdit>("cxFM_Max")->text(), "107.000");
    EXPECT_EQ(Get<QLineEdit>("cxLine")->text(), "-------");
    for (const char* hidden : {"cxFMVol", "cxFMSql", "chpppy"})
        EXPECT_TRUE(Get<QWidget>(hidden)->isHidden()) << hidden;

    EXPECT_EQ(All().Image, before);
    EXPECT_FALSE(All().Modified);

    QTest::mouseClick(Get<QWidget>("btnCancel"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(All().Modified);
}

TEST_F(FmFunTest, GridHasThreeNumberAndFrequencyColumnPairs) {
    Show();
    ASSERT_EQ(grid->rowCount(), 12);
    ASSERT_EQ(grid->columnCount(), 7);
    EXPECT_TRUE(grid->isRowHidden(0));
    EXPECT_TRUE(grid->isColumnHidden(0));
    EXPECT_EQ(grid->horizontalHeader()->height(), 23);
    EXPECT_EQ(grid->contextMenuPolicy(), Qt::NoContextMenu);
    const QColor buttonFace = window.palette().color(QPalette::Button);
    for (int column = 1; column <= 6; ++column) {
        const bool number = column % 2 == 1;
        EXPECT_EQ(grid->horizontalHeaderItem(column)->text(), number ? "No." : "Frequency[MHz]");
        EXPECT_EQ(grid->columnWidth(column), number ? 50 : 100) << column;
        for (int row = 2; row <= 11; ++row) {
            QTableWidgetItem* item = grid->item(row, column);
            const int channel = TfFmFun::ChannelOfCell(number ? column + 1 : column, row);
            if (number) {
                EXPECT_EQ(item->text(), channel ? QString::number(channel) : QString());
                EXPECT_EQ(item->background().color(), buttonFace);
            }
            // Only the frequency cells of the 25 channels take typing.
            EXPECT_EQ(bool(item->flags() & Qt::ItemIsEditable), !number && channel != 0)
                << row << "/" << column;
        }
    }
    EXPECT_EQ(grid->item(11, 3)->text(), "20");
    EXPECT_EQ(grid->item(6, 5)->text(), "25");
    EXPECT_EQ(grid->item(7, 5)->text(), "");

    // Clicking where no channel is opens no editor.
    Click(8, 6);
    Click(8, 5);
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(FmFunTest, HeaderTextsFollowTheLocalisedLabels) {
    dir.Write("Test.Ini", "[fFmFun]\nLNo.Caption=Nr\nLFreq.Caption=MHz\ncxChannel.Caption=Mem\n");
    All().LanguageId = 1;
    All().LanguageName = "Test";
    Show();
    EXPECT_EQ(grid->horizontalHeaderItem(5)->text(), "Nr");
    EXPECT_EQ(grid->horizontalHeaderItem(6)->text(), "MHz");
    auto* pages = window.findChild<QTabWidget*>();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->tabText(1), "Mem");
    EXPECT_EQ(pages->tabText(0), "Information");
}

TEST_F(FmFunTest, OpeningShowsTheStoredChannelsAndChangesNoByte) {
    // Scan range 88.0 to 108.0 MHz; FmBandHigh 107.0.
    const std::pair<uint16_t, const char*> stored[] = {
        {4004, "100.10000"}, {4316, "107.90000"},    // above FmBandHigh, inside the scan range
        {4320, "108.00000"}, {0xFFFF, "1638.37500"}, // outside the scan range
        {2000, "50.00000"},  {0, "0.00000"},
    };
    for (const auto& [word, text] : stored) {
        SCOPED_TRACE(text);
        TfFmFun opened{document};
        All().SetSlotClear(kFmBitmap, 12, true);
        PutWord(12, word);
        PutWord(2, 4000); // a value behind an empty mark is not shown
        All().PutU16At(kCurrentWord, word);
        const auto before = All().Image;
        opened.show();
        EXPECT_EQ(opened.Grid()->item(3, 4)->text(), text);
        EXPECT_EQ(opened.Grid()->item(3, 2)->text(), "");
        EXPECT_EQ(opened.findChild<QLineEdit*>("cxRx")->text(), text);
        EXPECT_EQ(All().Image, before);
        EXPECT_FALSE(All().Modified);
    }
}

TEST_F(FmFunTest, TypedFrequenciesAreRoundedToWholeSteps) {
    Show();
    Type(1, "100.1");
    EXPECT_EQ(Word(1), 4004);
    EXPECT_TRUE(InUse(1));
    EXPECT_EQ(Shown(1), "100.10000");
    EXPECT_TRUE(All().Modified);

    Type(11, "100.112");
    EXPECT_EQ(Word(11), 4004);
    EXPECT_EQ(Shown(11), "100.10000");
    Type(21, "100,113"); // a comma is a decimal point too
    EXPECT_EQ(Word(21), 4005);
    EXPECT_EQ(Shown(21), "100.12500");

    // Limited to FmBandHigh, then to the scan range.
    Type(5, "120");
    EXPECT_EQ(Word(5), 4280);
    EXPECT_EQ(Shown(5), "107.00000");
    Type(25, "60");
    EXPECT_EQ(Word(25), 3520);
    EXPECT_EQ(Shown(25), "88.00000");
    for (int channel : {2, 3, 4, 6, 10, 12, 20, 22, 24})
        EXPECT_FALSE(InUse(channel)) << channel;
}

TEST_F(FmFunTest, ClearingACellEmptiesTheChannelButKeepsItsWord) {
    Show();
    Type(7, "95.5");
    ASSERT_EQ(Word(7), 3820);
    All().Modified = false;
    Type(7, "");
    EXPECT_FALSE(InUse(7));
    EXPECT_EQ(Word(7), 3820);
    EXPECT_EQ(Shown(7), "");
    EXPECT_TRUE(All().Modified);
}

// A typed station is stored however its cell is left; only Escape throws it away. Delete
// empties the station under the cursor.
TEST_F(FmFunTest, ATypedStationIsStoredHoweverItsCellIsLeft) {
    Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QLineEdit elsewhere(&window); // another control of the window
    elsewhere.show();
    const std::vector<std::pair<const char*, std::function<void(QLineEdit*)>>> ways{
        {"Enter", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_Return); }},
        {"Tab", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_Tab); }},
        {"Shift+Tab", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_Backtab, Qt::ShiftModifier); }},
        {"a click", [this](QLineEdit*) { Click(TfFmFun::RowOfChannel(20), 1); }},
        {"the focus leaving", [&](QLineEdit*) { elsewhere.setFocus(Qt::MouseFocusReason); }},
    };
    int channel = 2;
    for (const auto& [name, leave] : ways) {
        Click(TfFmFun::RowOfChannel(channel), TfFmFun::ColumnOfChannel(channel));
        QLineEdit* editor = Editor();
        ASSERT_NE(editor, nullptr) << name;
        QTest::keyClicks(editor, "95.5");
        leave(editor);
        Flush();
        EXPECT_TRUE(InUse(channel)) << name;
        EXPECT_EQ(Word(channel), 3820) << name;
        ++channel;
    }
    Click(TfFmFun::RowOfChannel(channel), TfFmFun::ColumnOfChannel(channel));
    QTest::keyClicks(Editor(), "95.5");
    QTest::keyClick(Editor(), Qt::Key_Escape);
    Flush();
    EXPECT_FALSE(InUse(channel));

    grid->setFocus();
    grid->setCurrentCell(TfFmFun::RowOfChannel(2), TfFmFun::ColumnOfChannel(2));
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_FALSE(InUse(2));
    EXPECT_EQ(Shown(2), "");
    grid->setCurrentCell(TfFmFun::RowOfChannel(3), TfFmFun::ColumnOfChannel(3) - 1); // its number
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_FALSE(InUse(3));
    EXPECT_TRUE(InUse(4));
}

TEST_F(FmFunTest, TextThatIsNoNumberIsReportedAndLeavesTheChannelAsItWas) {
    Show();
    Type(3, "98");
    All().Modified = false;
    const auto before = All().Image;

    ScriptedMessages messages;
    Type(3, "1.2.3");
    EXPECT_EQ(Shown(3), "98.00000");
    Type(4, "1.2.3"); // an empty channel is not put in use without a value
    EXPECT_EQ(Shown(4), "");
    EXPECT_EQ(All().Image, before);
    EXPECT_FALSE(All().Modified);
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const auto& shown : messages.shown) {
        EXPECT_EQ(shown.text, Language().ErrRange);
        EXPECT_EQ(shown.caption, Language().Caution);
    }
}

TEST_F(FmFunTest, EditorTakesOnlyDigitsAndPointsUpToNineCharacters) {
    Show();
    Type(8, "a9b8c,x5");
    EXPECT_EQ(Shown(8), "98.50000");
    Click(TfFmFun::RowOfChannel(9), TfFmFun::ColumnOfChannel(9));
    QLineEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->contextMenuPolicy(), Qt::NoContextMenu);
    QTest::keyClicks(editor, "1234567890123");
    EXPECT_EQ(editor->text(), "123456789");
    QTest::keyClick(editor, Qt::Key_Escape);
    Flush();
    EXPECT_EQ(Shown(9), "");
    EXPECT_FALSE(InUse(9));
}

TEST_F(FmFunTest, ClickingANumberEditsTheFrequencyBesideIt) {
    Show();
    Type(12, "91");
    Click(3, 3); // the number cell "12"
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(grid->currentColumn(), 4);
    QLineEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "91.00000");
    EXPECT_EQ(editor->selectedText(), "91.00000");
    QTest::keyClicks(editor, "92");
    QTest::keyClick(editor, Qt::Key_Return);
    Flush();
    EXPECT_EQ(Word(12), 3680);
}

TEST_F(FmFunTest, KeyboardAloneMovesTypesCommitsAndCancels) {
    Show();
    grid->setCurrentCell(2, 1); // number "1"
    const auto key = [&](Qt::Key k) {
        QTest::keyClick(grid, k);
        Flush();
    };
    const auto keys = [&](const QString& text) {
        for (const QChar c : text) {
            QTest::keyClicks(Editor() ? static_cast<QWidget*>(Editor()) : grid, QString(c));
            Flush();
        }
    };

    keys("9"); // typing on a number types into its frequency
    keys("5.5");
    EXPECT_EQ(grid->currentColumn(), 2);
    QTest::keyClick(Editor(), Qt::Key_Return);
    Flush();
    EXPECT_EQ(Word(1), 3820);
    EXPECT_EQ(Editor(), nullptr);

    key(Qt::Key_Down);
    EXPECT_EQ(grid->currentRow(), 3);
    keys("x"); // a refused key opens nothing
    EXPECT_EQ(Editor(), nullptr);
    keys("101");
    QTest::keyClick(Editor(), Qt::Key_Escape);
    Flush();
    EXPECT_FALSE(InUse(2));
    EXPECT_EQ(Shown(2), "");

    key(Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Return); // Enter opens the editor with its text selected
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->selectedText(), "95.50000");
    keys("96");
    QTest::keyClick(Editor(), Qt::Key_Return);
    Flush();
    EXPECT_EQ(Shown(1), "96.00000");

    // Cells are not copied to or pasted from the clipboard.
    QApplication::clipboard()->setText("101");
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "101");
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    Flush();
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Shown(1), "96.00000");
}

TEST_F(FmFunTest, CurrentFrequencyIsStoredOnEnter) {
    Show();
    TypeRx("100.1");
    EXPECT_EQ(rx->text(), "100.10000");
    EXPECT_EQ(All().U16At(kCurrentWord), 4004);
    EXPECT_TRUE(All().Modified);

    const auto before = All().Image;
    TypeRx("");
    EXPECT_EQ(rx->text(), "88.00000"); // shown, not stored
    EXPECT_EQ(All().Image, before);

    All().Modified = false;
    {
        ScriptedMessages messages;
        TypeRx("1.2.3");
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, Language().ErrRange);
    }
    EXPECT_EQ(rx->text(), "100.10000");
    EXPECT_EQ(All().Image, before);
    EXPECT_FALSE(All().Modified);

    TypeRx("9x9,5"); // letters are dropped, a comma is a decimal point
    EXPECT_EQ(rx->text(), "99.50000");
    EXPECT_EQ(All().U16At(kCurrentWord), 3980);
}

TEST_F(FmFunTest, StepAndInhibitWriteTheirBitsOnly) {
    All().Image[kStepByte] = 0x05; // step code 0, another setting below
    All().Image[kInhibitByte] = 0xBF;
    Show();
    auto* step = Get<QComboBox>("cxStep");
    auto* inhibit = Get<QCheckBox>("cxFmDw");
    EXPECT_EQ(step->currentText(), "50");
    EXPECT_TRUE(inhibit->isChecked());
    EXPECT_FALSE(All().Modified);

    step->setCurrentIndex(2);
    EXPECT_EQ(All().Image[kStepByte], 0x35);
    EXPECT_TRUE(All().Modified);
    inhibit->setChecked(false);
    EXPECT_EQ(All().Image[kInhibitByte], 0xFF);
    step->setCurrentIndex(0);
    EXPECT_EQ(All().Image[kStepByte], 0x15);
}

TEST_F(FmFunTest, ValidatedScanBoundsReReadTheChannels) {
    All().SetSlotClear(kFmBitmap, 6, true);
    PutWord(6, 3540); // 88.5 MHz
    Show();
    ASSERT_EQ(Shown(6), "88.50000");

    double value = 90.0249;
    window.cxFM_MinPropertiesValidate(value);
    EXPECT_EQ(value, 90.0);
    EXPECT_EQ(Get<QLineEdit>("cxFM_Min")->text(), "90.000");
    EXPECT_EQ(All().U16At(kFmScanLow), 3600);
    // Channels are shown as stored, also when the new range leaves them outside.
    EXPECT_EQ(Shown(6), "88.50000");
    EXPECT_EQ(Word(6), 3540);
    EXPECT_EQ(rx->text(), "88.00000");
    EXPECT_TRUE(All().Modified);

    value = 80.0; // below the lower bound shown
    window.cxFM_MaxPropertiesValidate(value);
    EXPECT_EQ(value, 90.0);
    EXPECT_EQ(All().U16At(kFmScanHigh), 3600);
}

} // namespace
} // namespace zorva
