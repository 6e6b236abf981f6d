#include "editors/channels/ToneOption.h"

#include "TestSupport.h"
#include "core/Maindb.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace zorva {
namespace {

class ToneOptionTest : public testing::Test {
protected:
    void SetUp() override { DataModuleCreate(TheMaindb(), dir.Path()); }
    test::TempDir dir;
};

QString Cell(const TfToneOption& dialog, int grid, int row, int column) {
    const QTableWidgetItem* item = dialog.Grid(grid)->item(row, column);
    return item ? item->text() : QString("<none>");
}

// Clicks the button on its indicator, where a click always lands.
void ClickRadio(TfToneOption& dialog, const char* name) {
    auto* button = dialog.findChild<QRadioButton*>(name);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

TEST_F(ToneOptionTest, CodeListHas133LinesWithBlankSeparators) {
    const QStringList lines = TfToneOption::CodeLines();
    ASSERT_EQ(lines.size(), 133);
    EXPECT_EQ(lines[0], "01-67.0-XZ");
    EXPECT_EQ(lines[8], "09-88.5-YB");
    EXPECT_EQ(lines[41], "2A-254.1-0Z");
    EXPECT_EQ(lines[45], "1-D023");
    EXPECT_EQ(lines[108], "64-D525");
    EXPECT_EQ(lines[129], "85-D754");
    for (int i : {42, 43, 44, 130, 131, 132})
        EXPECT_TRUE(lines[i].isEmpty()) << i;

    TfToneOption dialog;
    auto* list = dialog.findChild<QListWidget*>("lbValue");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 133);
    EXPECT_TRUE(list->isHidden());
}

TEST_F(ToneOptionTest, GridsFollowTheCodeListInGroupsOfColumns) {
    TfToneOption dialog;
    EXPECT_EQ(dialog.objectName(), "fToneOption");
    EXPECT_EQ(dialog.windowTitle(), "Channel Tone Option");

    const QTableWidget& ctcss = *dialog.Grid(0);
    EXPECT_EQ(ctcss.objectName(), "gvCtcss");
    EXPECT_EQ(ctcss.rowCount(), 10);
    EXPECT_EQ(ctcss.columnCount(), 16);
    EXPECT_TRUE(ctcss.isRowHidden(0));
    EXPECT_TRUE(ctcss.isColumnHidden(0));
    EXPECT_EQ(Cell(dialog, 0, 1, 1), "01");
    EXPECT_EQ(Cell(dialog, 0, 1, 2), "67.0");
    EXPECT_EQ(Cell(dialog, 0, 1, 3), "XZ");
    EXPECT_EQ(Cell(dialog, 0, 9, 2), "88.5");   // line 8
    EXPECT_EQ(Cell(dialog, 0, 1, 5), "91.5");   // group 2 starts at line 9
    EXPECT_EQ(Cell(dialog, 0, 6, 14), "254.1"); // group 5, line 41
    EXPECT_EQ(Cell(dialog, 0, 7, 14), "");      // line 42 is blank
    EXPECT_EQ(ctcss.columnWidth(1), 32);
    EXPECT_EQ(ctcss.columnWidth(2), 47);
    EXPECT_EQ(ctcss.rowHeight(1), 24);
    EXPECT_EQ(ctcss.item(1, 1)->background().color(), QColor(249, 141, 227));
    EXPECT_EQ(ctcss.item(1, 2)->background().color(), QColor(Qt::white));
    EXPECT_EQ(ctcss.item(1, 3)->background().color(), QColor(225, 249, 112));
    EXPECT_TRUE(ctcss.item(1, 2)->font().bold());
    EXPECT_FALSE(ctcss.item(1, 1)->font().bold());
    EXPECT_EQ(ctcss.item(1, 2)->textAlignment(), int(Qt::AlignCenter));

    for (int grid : {1, 2}) {
        const QTableWidget& dcs = *dialog.Grid(grid);
        const QString suffix = grid == 1 ? "N" : "I";
        EXPECT_EQ(dcs.rowCount(), 12);
        EXPECT_EQ(dcs.columnCount(), 17);
        EXPECT_EQ(dcs.rowHeight(1), 20);
        EXPECT_EQ(Cell(dialog, grid, 1, 1), "1");
        EXPECT_EQ(Cell(dialog, grid, 1, 2), "D023" + suffix);
        EXPECT_EQ(Cell(dialog, grid, 1, 4), "D072" + suffix); // number 12, group 2
        EXPECT_EQ(Cell(dialog, grid, 8, 16), "D754" + suffix);
        EXPECT_EQ(Cell(dialog, grid, 9, 16), ""); // blank line, no suffix
        EXPECT_EQ(dcs.item(1, 1)->background().color(), QColor(47, 231, 220));
    }
    EXPECT_EQ(dialog.Grid(1)->objectName(), "gvDcsN");
    EXPECT_EQ(dialog.Grid(2)->objectName(), "gvDcsI");
}

// The layout's widths are minimums: every code is readable at the font in use.
TEST_F(ToneOptionTest, EveryCodeFitsItsCell) {
    const QFont original = QApplication::font();
    for (int points : {0, 16}) {
        QFont font = original;
        if (points) font.setPointSize(points);
        QApplication::setFont(font);
        TfToneOption dialog;
        QStringList cut;
        for (int grid : {0, 1, 2}) {
            const QTableWidget& codes = *dialog.Grid(grid);
            for (int column = 1; column < codes.columnCount(); ++column) {
                for (int row = 1; row < codes.rowCount(); ++row) {
                    const QTableWidgetItem* item = codes.item(row, column);
                    if (QFontMetrics(item->font()).horizontalAdvance(item->text()) >=
                        codes.columnWidth(column))
                        cut << item->text();
                }
            }
        }
        EXPECT_TRUE(cut.isEmpty()) << points << " " << cut.join(' ').toStdString();
    }
    QApplication::setFont(original);
}

TEST_F(ToneOptionTest, RadioButtonsShowOneGridAndTitleTheGroup) {
    TfToneOption dialog;
    dialog.show();
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("rCTCSS")->isChecked());
    EXPECT_TRUE(dialog.Grid(0)->isVisible());
    EXPECT_FALSE(dialog.Grid(1)->isVisible());

    ClickRadio(dialog, "rDCSI");
    EXPECT_FALSE(dialog.Grid(0)->isVisible());
    EXPECT_FALSE(dialog.Grid(1)->isVisible());
    EXPECT_TRUE(dialog.Grid(2)->isVisible());
    auto* group = dialog.findChild<QGroupBox*>("gbList");
    EXPECT_EQ(group->title(), "DCS-I");
    EXPECT_TRUE(group->isEnabled());
    dialog.reject();
}

// Only the tone and code columns pick; a blank cell there picks "nothing" and closes.
TEST_F(ToneOptionTest, OnlyToneColumnsPick) {
    TfToneOption dialog;
    dialog.show();
    dialog.PickCell(0, 9, 1); // index "09"
    dialog.PickCell(0, 9, 3); // code "YB"
    dialog.PickCell(1, 1, 1); // number "1"
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.SelectedCode().isEmpty());

    dialog.PickCell(0, 9, 2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.SelectedCode(), "88.5");

    dialog.show(); // a new showing starts without a choice
    EXPECT_TRUE(dialog.SelectedCode().isEmpty());
    dialog.PickCell(2, 11, 16);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.SelectedCode().isEmpty());

    dialog.show();
    dialog.reject(); // the close button
    EXPECT_TRUE(dialog.SelectedCode().isEmpty());
}

TEST_F(ToneOptionTest, MouseDoubleClickAndEnterPick) {
    TfToneOption dialog;
    dialog.show();
    ClickRadio(dialog, "rDCSI");
    QTableWidget& grid = *dialog.Grid(2);
    const QPoint at = grid.visualItemRect(grid.item(1, 2)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(dialog.SelectedCode(), "D023I");
    EXPECT_FALSE(dialog.isVisible());

    dialog.show();
    dialog.Grid(0)->setFocus();
    dialog.Grid(0)->setCurrentCell(2, 2);
    QTest::keyClick(dialog.Grid(0), Qt::Key_Return);
    EXPECT_EQ(dialog.SelectedCode(), "69.3");
}

} // namespace
} // namespace zorva
