// The channel table inside the program's main window, driven as a user drives it: a value
// typed into a cell is stored however the cell is left (only Escape throws it away), a value
// the radio cannot take is refused with a message and the cell keeps what it held, a TX typed
// as "+5" or "-0.6" is an offset from RX, and every channel can be scrolled into view.
#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/Numbers.h"
#include "core/Maindb.h"
#include "core/TAll.h"
#include "editors/channels/ChannelEditors.h"
#include "editors/channels/ChannelFind.h"
#include "editors/channels/ChannelTableActions.h"
#include "editors/channels/ChsInfo.h"
#include "editors/functions/FunctionEditors.h"
#include "link/PtyPair.h"
#include "settings/UserMessages.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"
#include "shell/ui/MainFrm.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <vector>

namespace zorva {
namespace {

constexpr int kUsed = 6;
constexpr int kEmpty = 5;

enum class Leave { Enter, Tab, BackTab, Click, FocusAway, Escape };

const char* NameOf(Leave leave) {
    switch (leave) {
    case Leave::Enter:
        return "Enter";
    case Leave::Tab:
        return "Tab";
    case Leave::BackTab:
        return "Shift+Tab";
    case Leave::Click:
        return "a click on another cell";
    case Leave::FocusAway:
        return "the focus leaving the window";
    case Leave::Escape:
        return "Escape";
    }
    return "";
}

class CellLeaveTest : public testing::Test {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        DataModuleCreate(TheMaindb(), dir.Path());
        form = std::make_unique<TfMainFrm>();
        form->portLister = [] { return std::vector<ListedPort>{}; };
        form->execDialog = [](QDialog&) { return int(QDialog::Rejected); };
        RegisterChannelEditors(*form);
        RegisterFunctionEditors(*form);
        form->resize(1100, 760);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        InitNewChannel(All(), kUsed, "145.65000");
        std::string empty;
        SetChannelField(All(), kEmpty, kFieldRxFreq, empty);
        table = qobject_cast<TfChsInfo*>(form->ChildWindow(cmd::ChsInfo)->widget());
        ASSERT_NE(table, nullptr);
        grid = table->Grid();
    }
    void TearDown() override {
        form->setAttribute(Qt::WA_DeleteOnClose, false);
        All().Modified = false;
    }

    QRect CellRect(int channel, int field) const {
        const QModelIndex cell = table->Cell(channel, field);
        grid->scrollTo(cell);
        return grid->visualRect(cell);
    }
    QString CellText(int channel, int field) const {
        return table->Cell(channel, field).data().toString();
    }
    void ClickCell(int channel, int field) const {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellRect(channel, field).center());
        QCoreApplication::processEvents();
    }
    static QWidget* Focused() { return QApplication::focusWidget(); }

    // Types into a cell as a user does: a click on it, the keys, then the way out.
    void TypeInto(int channel, int field, const QString& text, Leave leave) {
        ClickCell(channel, field);
        QWidget* editor = Focused();
        ASSERT_NE(editor, nullptr);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
        QTest::keyClicks(editor, text);
        LeaveBy(leave, channel);
    }
    void LeaveBy(Leave leave, int channel) {
        QWidget* editor = Focused();
        switch (leave) {
        case Leave::Enter:
            QTest::keyClick(editor, Qt::Key_Return);
            break;
        case Leave::Tab:
            QTest::keyClick(editor, Qt::Key_Tab);
            break;
        case Leave::BackTab:
            QTest::keyClick(editor, Qt::Key_Backtab, Qt::ShiftModifier);
            break;
        case Leave::Click:
            ClickCell(channel == 1 ? 2 : 1, kFieldBandwidth);
            break;
        case Leave::FocusAway: {
            auto* tree = form->findChild<QTreeWidget*>("cxTree");
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
            break;
        }
        case Leave::Escape:
            QTest::keyClick(editor, Qt::Key_Escape);
            break;
        }
        test::WaitFor([] { return false; }, 20); // deferred commits and focus changes
    }

    TfChsInfo* table = nullptr;
    QTableView* grid = nullptr;
    test::TempDir dir;
    ScriptedMessages messages;
    std::unique_ptr<TfMainFrm> form;
};

// The image a user edit must give: `field` of `channel` stored with `text`, nothing else.
std::vector<uint8_t> WithField(const std::vector<uint8_t>& image, int channel, int field,
                               std::string text) {
    const auto actual = All().Image;
    std::copy(image.begin(), image.end(), All().Image.begin());
    SetChannelField(All(), channel, field, text);
    std::vector<uint8_t> expected(All().Image.begin(), All().Image.end());
    std::copy(actual.begin(), actual.end(), All().Image.begin());
    return expected;
}

std::vector<uint8_t> Image() {
    return {All().Image.begin(), All().Image.end()};
}

// The bytes where two images differ, "" when they are equal.
std::string Differences(const std::vector<uint8_t>& actual, const std::vector<uint8_t>& expected) {
    std::string text;
    for (std::size_t i = 0; i < actual.size() && i < expected.size(); ++i)
        if (actual[i] != expected[i])
            text += " @" + std::to_string(i) + ": " + std::to_string(actual[i]) + " not " +
                    std::to_string(expected[i]);
    return text;
}

TEST_F(CellLeaveTest, ATypedValueIsStoredHoweverTheCellIsLeftAndOnlyEscapeDiscardsIt) {
    struct Cell {
        int field;
        QString typed;
        std::string stored;
    };
    const std::vector<Cell> cells{
        {kFieldRxFreq, "146.52", "146.52000"}, {kFieldTxFreq, "147", "147.00000"},
        {kFieldRxTone, "88.5", "88.5"},        {kFieldTxTone, "d025i", "D025I"},
        {kFieldName, "HAM 2M", "HAM 2M"},      {kFieldIdCode, "123", "123"},
    };
    for (const Leave leave : {Leave::Enter, Leave::Tab, Leave::BackTab, Leave::Click,
                              Leave::FocusAway, Leave::Escape}) {
        for (const Cell& cell : cells) {
            InitNewChannel(All(), kUsed, "145.65000");
            const std::vector<uint8_t> before = Image();
            TypeInto(kUsed, cell.field, cell.typed, leave);
            const std::vector<uint8_t> expected =
                leave == Leave::Escape ? before : WithField(before, kUsed, cell.field, cell.stored);
            EXPECT_EQ(Differences(Image(), expected), "")
                << cell.typed.toStdString() << ", left by " << NameOf(leave);
            EXPECT_TRUE(messages.shown.empty()) << NameOf(leave);
            messages.shown.clear();
            QTest::keyClick(grid, Qt::Key_Escape); // whatever the way out opened
            table->FormDeactivate();
        }
    }
}

TEST_F(CellLeaveTest, AFrequencyOutsideTheBandsIsRefusedAndTheCellKeepsItsValue) {
    struct Row {
        int channel;
        int field;
        Leave leave;
    };
    const std::vector<Row> rows{
        {kEmpty, kFieldRxFreq, Leave::Tab},  {kEmpty, kFieldRxFreq, Leave::Enter},
        {kUsed, kFieldRxFreq, Leave::Tab},   {kUsed, kFieldRxFreq, Leave::Enter},
        {kUsed, kFieldTxFreq, Leave::Click}, {kUsed, kFieldTxFreq, Leave::Enter},
    };
    for (const Row& row : rows) {
        const std::vector<uint8_t> before = Image();
        const QString shown = CellText(row.channel, row.field);
        TypeInto(row.channel, row.field, "600", row.leave);
        EXPECT_EQ(Differences(Image(), before), "") << row.channel << " " << NameOf(row.leave);
        EXPECT_EQ(CellText(row.channel, row.field), shown);
        ASSERT_EQ(messages.shown.size(), 1u) << row.channel << " " << NameOf(row.leave);
        EXPECT_EQ(messages.shown[0].text,
                  "The frequency number is wrong! Bands in use: 136.00000\u2013174.00000, "
                  "220.00000\u2013260.00000, 400.00000\u2013520.00000 MHz");
        messages.shown.clear();
        QTest::keyClick(grid, Qt::Key_Escape);
        table->FormDeactivate();
    }
    EXPECT_FALSE(All().Modified);
}

TEST_F(CellLeaveTest, ATypedToneMustBeOneOfTheRadiosTones) {
    for (const QString typed : {"88.4", "300", "88.54", "d024n"}) {
        const std::vector<uint8_t> before = Image();
        TypeInto(kUsed, kFieldRxTone, typed, Leave::Tab);
        EXPECT_EQ(Differences(Image(), before), "") << typed.toStdString();
        EXPECT_EQ(CellText(kUsed, kFieldRxTone), "None");
        ASSERT_EQ(messages.shown.size(), 1u) << typed.toStdString();
        EXPECT_NE(messages.shown[0].text.find(typed.toStdString() + " is not a tone of the radio"),
                  std::string::npos);
        messages.shown.clear();
        table->FormDeactivate();
    }
}

TEST_F(CellLeaveTest, ATxTypedWithASignIsAnOffsetFromRx) {
    struct Row {
        const char* rx;
        QString typed;
        const char* tx;
    };
    for (const Row& row :
         {Row{"145.65000", "-0.6", "145.05000"}, Row{"434.00000", "+5", "439.00000"},
          Row{"145.65000", "+0.6", "146.25000"}}) {
        InitNewChannel(All(), kUsed, row.rx);
        TypeInto(kUsed, kFieldTxFreq, row.typed, Leave::Tab);
        TChannel c;
        ASSERT_TRUE(LoadChannel(All(), kUsed, c));
        EXPECT_EQ(FormatFreq(c.TxFreq), row.tx) << row.typed.toStdString();
        EXPECT_EQ(FormatFreq(c.RxFreq), row.rx);
        EXPECT_TRUE(messages.shown.empty());
    }
}

// The channel edit, VFO and batch windows refuse what the table refuses, and take the same
// offsets; a refused field shows what it held before.
TEST_F(CellLeaveTest, TheEditWindowsRefuseAndTakeWhatTheTableDoes) {
    struct Row {
        int window;
        int channel;
        const char* field;
        QString typed;
        QString shownAfter; // "" for: what the field showed before
        bool refused;
    };
    const std::vector<Row> rows{
        {cmd::ChsEdit, kEmpty, "cxRxSv", "600", "", true},
        {cmd::ChsEdit, kUsed, "cxRxSv", "600", "", true},
        {cmd::ChsEdit, kUsed, "cxTxSv", "600", "", true},
        {cmd::ChsEdit, kUsed, "cxRxDcts", "88.4", "", true},
        {cmd::ChsEdit, kUsed, "cxTxSv", "-0.6", "145.05000", false},
        {cmd::FreqEdit, 0, "cxRxSv", "600", "", true},
        {cmd::FreqEdit, 0, "cxRxDcts", "88.4", "", true},
        {cmd::Batch, 0, "cxRx_freq", "600", "", true},
    };
    for (const Row& row : rows) {
        InitNewChannel(All(), kUsed, "145.65000");
        form->RunCommand(row.window);
        QWidget* window = form->ChildWindow(row.window)->widget();
        if (row.channel) window->findChild<QComboBox*>("cxChs")->setCurrentIndex(row.channel - 1);
        QWidget* field = window->findChild<QWidget*>(row.field);
        ASSERT_NE(field, nullptr) << row.field;
        auto* combo = qobject_cast<QComboBox*>(field);
        QLineEdit* line = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(field);
        ASSERT_NE(line, nullptr) << row.field;
        const std::vector<uint8_t> before = Image();
        const QString shown = line->text();
        QTest::mouseClick(line, Qt::LeftButton);
        line->selectAll();
        QTest::keyClicks(line, row.typed);
        QTest::keyClick(line, Qt::Key_Tab);
        QCoreApplication::processEvents();
        const std::string what = std::string(row.field) + " " + row.typed.toStdString();
        EXPECT_EQ(line->text(), row.shownAfter.isEmpty() ? shown : row.shownAfter) << what;
        EXPECT_EQ(messages.shown.size(), row.refused ? 1u : 0u) << what;
        if (row.refused) {
            EXPECT_EQ(Differences(Image(), before), "") << what;
        }
        messages.shown.clear();
        form->ChildWindow(row.window)->close();
        QCoreApplication::processEvents();
    }
}

// The desktop's keys: Ctrl+A selects, Ctrl+X cuts only what is selected, Save As and Exit
// have keys of their own.
TEST_F(CellLeaveTest, TheDesktopsStandardKeys) {
    int saveDialogs = 0;
    form->saveDialog = [&] {
        ++saveDialogs;
        return QString();
    };
    ClickCell(kUsed, kFieldPower);
    QTest::keyClick(Focused(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(saveDialogs, 0);
    EXPECT_EQ(table->Actions().SelectedChannels().size(), std::size_t(All().ChannelCount));

    // In the tree, Ctrl+X and Delete leave the channels alone, and the program runs on.
    const std::vector<uint8_t> before = Image();
    auto* tree = form->findChild<QTreeWidget*>("cxTree");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(Focused(), tree);
    QTest::keyClick(tree, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(tree, Qt::Key_Delete);
    EXPECT_EQ(Differences(Image(), before), "");
    EXPECT_TRUE(form->isVisible());

    QTest::keyClick(tree, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(saveDialogs, 1);
    messages.answers = {kResultNo}; // "Do you wish to exit program?"
    QTest::keyClick(tree, Qt::Key_Q, Qt::ControlModifier);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().text, Language().ExitProgram);
    EXPECT_TRUE(form->isVisible());

    // In the table, Ctrl+X cuts the selected rows.
    ClickCell(kUsed, kFieldPower);
    table->Actions().SelectChannels(kUsed, kUsed);
    QTest::keyClick(Focused(), Qt::Key_X, Qt::ControlModifier);
    TChannel c;
    EXPECT_FALSE(LoadChannel(All(), kUsed, c));
}

std::string text(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
           "x" + std::to_string(r.height());
}

// Whatever its size, the table's window lies inside the area it opens in, so that its scroll
// bars, its last row and its find bar can be seen.
TEST_F(CellLeaveTest, EveryChannelAndTheFindBarCanBeSeenInTheWindowAsItOpens) {
    QMdiSubWindow* frame = form->ChildWindow(cmd::ChsInfo);
    const QRect area = form->MdiArea()->viewport()->rect();
    EXPECT_TRUE(area.contains(frame->geometry()))
        << text(frame->geometry()) << " in " << text(area);
    ClickCell(1, kFieldRxFreq);
    QTest::keyClick(Focused(), Qt::Key_Escape);
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::processEvents();
    ASSERT_EQ(grid->currentIndex().row(), All().ChannelCount - 1);
    const QRect last = grid->visualRect(grid->currentIndex());
    EXPECT_TRUE(grid->viewport()->rect().contains(last))
        << text(last) << " in " << text(grid->viewport()->rect());
    const QRect shown(grid->viewport()->mapTo(form->MdiArea()->viewport(), last.topLeft()),
                      last.size());
    EXPECT_TRUE(area.contains(shown)) << text(shown) << " in " << text(area);

    QTest::keyClick(grid, Qt::Key_F, Qt::ControlModifier);
    ChannelFindBar* bar = table->FindBar();
    ASSERT_TRUE(bar->isVisible());
    const QRect barRect(bar->mapTo(form->MdiArea()->viewport(), QPoint(0, 0)), bar->size());
    EXPECT_TRUE(area.contains(barRect)) << text(barRect) << " in " << text(area);

    // Maximised, the table takes the whole width.
    frame->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_GE(grid->width(), table->width() - 2);
}

} // namespace
} // namespace zorva
