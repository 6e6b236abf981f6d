// The channel table's whole-channel commands: rows selected by their number, the clipboard as
// CSV, the row operations and Find, each one step undone to the exact bytes; the CSV import
// dialog and the export.
#include "editors/channels/ChannelTableActions.h"

#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "core/Maindb.h"
#include "core/SafeFile.h"
#include "core/TAll.h"
#include "csv/ChannelCsv.h"
#include "document/RadioDocument.h"
#include "editors/channels/ChannelCsvCommands.h"
#include "editors/channels/ChannelEditors.h"
#include "editors/channels/ChannelFind.h"
#include "editors/channels/ChannelTableModel.h"
#include "editors/channels/ChsInfo.h"
#include "editors/channels/CsvTexts.h"
#include "editors/channels/ImportCsv.h"
#include "editors/functions/FunctionEditors.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"
#include "shell/ui/MainFrm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace zorva {
namespace {

using Bytes = std::array<uint8_t, kImageSize>;

// Channels in use for the tests: (channel, RX) with the name "CH<channel>".
const std::vector<std::pair<int, std::string>> kInUse = {
    {2, "146.52000"}, {3, "145.50000"}, {4, "440.00000"}, {10, "145.50000"}};

void PutTestChannels() {
    std::string empty;
    for (int channel = 1; channel <= All().ChannelCount; ++channel)
        SetChannelField(All(), channel, kFieldRxFreq, empty);
    for (const auto& [channel, rx] : kInUse) {
        InitNewChannel(All(), channel, rx);
        std::string name = "CH" + std::to_string(channel);
        SetChannelField(All(), channel, kFieldName, name);
    }
}

std::string Name(int channel) {
    TChannel c;
    return LoadChannel(All(), channel, c) ? c.Name.substr(0, c.Name.find_last_not_of(' ') + 1)
                                          : std::string("-");
}

bool InUse(int channel) {
    TChannel c;
    return LoadChannel(All(), channel, c);
}

// The rows of a CSV text without their header and their Location.
std::vector<std::string> RowsWithoutLocation(const std::string& csv) {
    std::vector<std::string> rows;
    std::size_t start = csv.find('\n') + 1;
    while (start < csv.size()) {
        const std::size_t end = csv.find('\n', start);
        const std::string row = csv.substr(start, end - start);
        rows.push_back(row.substr(row.find(',')));
        start = end == std::string::npos ? csv.size() : end + 1;
    }
    return rows;
}

class ChannelTableActionsTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
        PutTestChannels();
        document = std::make_unique<RadioDocument>(All(), MacList());
        form = std::make_unique<TfChsInfo>(*document);
        form->show();
        grid = form->Grid();
        grid->setFocus();
    }

    ChannelTableActions& Actions() const { return form->Actions(); }
    void Current(int channel, int field = kFieldRxFreq) const {
        grid->setCurrentIndex(form->Cell(channel, field));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(grid, key, modifiers);
        QCoreApplication::processEvents();
    }
    void ClickNumber(int channel, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QHeaderView* numbers = grid->verticalHeader();
        const int row = channel - 1;
        grid->scrollTo(form->Cell(channel, kFieldRxFreq));
        const QPoint at(numbers->width() / 2,
                        numbers->sectionViewportPosition(row) + numbers->sectionSize(row) / 2);
        QTest::mouseClick(numbers->viewport(), Qt::LeftButton, modifiers, at);
    }
    static QString Clipboard() { return QApplication::clipboard()->text(); }
    static std::string Csv(std::vector<int> channels) {
        return ExportChannelsCsv(All(), channels).text;
    }

    test::TempDir dir;
    ScriptedMessages messages;
    std::unique_ptr<RadioDocument> document;
    std::unique_ptr<TfChsInfo> form;
    QTableView* grid = nullptr;
};

TEST_F(ChannelTableActionsTest, NumberColumnSelectsRowsAndCopyPutsThemAsCsv) {
    ClickNumber(2);
    ClickNumber(4, Qt::ShiftModifier);
    EXPECT_EQ(Actions().SelectedChannels(), (std::vector<int>{2, 3, 4}));
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Actions().SelectedChannels(), (std::vector<int>{2, 3, 4, 5}));
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().toStdString(), Csv({2, 3, 4, 5}));
    EXPECT_TRUE(Clipboard().startsWith("Location,Name,Frequency,"));

    // A right press inside the selected rows keeps them for the context menu; outside them it
    // moves to the cell pressed.
    for (const auto& [channel, selected] : {std::pair<int, std::vector<int>>{3, {2, 3, 4, 5}},
                                            std::pair<int, std::vector<int>>{1, {1}}}) {
        const QRect cell = grid->visualRect(form->Cell(channel, kFieldRxFreq));
        QTest::mousePress(grid->viewport(), Qt::RightButton, {}, cell.center());
        QTest::mouseRelease(grid->viewport(), Qt::RightButton, {}, cell.center());
        EXPECT_EQ(Actions().SelectedChannels(), selected) << channel;
    }

    // A click on another cell is back to editing a single cell; copy takes its channel.
    Current(10);
    EXPECT_EQ(Actions().SelectedChannels(), (std::vector<int>{10}));
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().toStdString(), Csv({10}));
    EXPECT_EQ(document->History().Stack().count(), 0); // copying changes nothing
}

TEST_F(ChannelTableActionsTest, PasteTakesRowsFromUsOrASpreadsheetAtTheCurrentChannel) {
    const std::string copied = Csv({2, 3});
    const std::string rows = copied.substr(copied.find('\n') + 1);
    std::string tabs = rows;
    std::replace(tabs.begin(), tabs.end(), ',', '\t');
    struct Case {
        const char* what;
        std::string text;
    };
    for (const Case& c :
         {Case{"with header", copied}, Case{"rows only", rows}, Case{"tab-separated", tabs}}) {
        SCOPED_TRACE(c.what);
        QApplication::clipboard()->setText(QString::fromStdString(c.text));
        Current(20);
        const Bytes before = All().Image;
        Key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(Name(20), "CH2");
        EXPECT_EQ(Name(21), "CH3");
        EXPECT_EQ(Actions().SelectedChannels(), (std::vector<int>{20, 21}));
        // The pasted channels are the copied ones, but for their number.
        EXPECT_EQ(RowsWithoutLocation(Csv({20, 21})), RowsWithoutLocation(copied));
        document->Undo();
        EXPECT_EQ(All().Image, before);
    }
}

TEST_F(ChannelTableActionsTest, PasteWithAnErrorOrPastTheLastChannelIsRefused) {
    const std::string copied = Csv({2, 3, 4});
    for (const auto& [first, text] : std::vector<std::pair<int, std::string>>{
             {127, copied}, {20, "Location,Frequency\r\n1,999.000000\r\n"}}) {
        messages.shown.clear();
        QApplication::clipboard()->setText(QString::fromStdString(text));
        Current(first);
        const Bytes before = All().Image;
        Key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(All().Image, before) << first;
        ASSERT_EQ(messages.shown.size(), 1u) << first;
        EXPECT_TRUE(messages.shown[0].text.starts_with("The rows cannot be pasted:\nLine "))
            << messages.shown[0].text;
        EXPECT_EQ(document->History().Stack().count(), 0);
    }
}

TEST_F(ChannelTableActionsTest, PasteWhileACellIsEditedGoesIntoTheCellFiltered) {
    const struct {
        int field;
        QString clipboard;
        QString shown;
    } cases[] = {
        {kFieldName,
         QString::fromUtf8("ab\xc3\xa9"
                           "c,d|}xyz\nsecond line"),
         "abc,dxy"},
        {kFieldRxFreq, "145,5 MHz", "145.5"},
        {kFieldIdCode, "12a34", "1234"},
    };
    for (const auto& c : cases) {
        Current(3, c.field);
        Key(Qt::Key_F2);
        auto* editor = grid->findChild<QLineEdit*>("gvChsEditor");
        ASSERT_NE(editor, nullptr);
        editor->clear();
        QApplication::clipboard()->setText(c.clipboard);
        const Bytes before = All().Image;
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(editor->text(), c.shown) << c.field;
        EXPECT_EQ(All().Image, before); // no rows pasted
        // Copy and select-all work on the text.
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(Clipboard(), c.shown);
        QTest::keyClick(editor, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(ChannelTableActionsTest, EachRowOperationIsOneStepUndoneToTheExactBytes) {
    struct Case {
        const char* what;
        int current;
        std::function<void()> run;
        std::vector<std::string> names; // channels 1 to 5 afterwards, "-" for empty
        int currentAfter;
    };
    const std::vector<Case> cases = {
        {"cut", 3, [&] { Key(Qt::Key_X, Qt::ControlModifier); }, {"-", "CH2", "-", "CH4", "-"}, 3},
        {"delete", 2, [&] { Key(Qt::Key_Delete); }, {"-", "-", "CH3", "CH4", "-"}, 2},
        {"insert",
         3,
         [&] { Actions().Run(cmd::InsertChannel); },
         {"-", "CH2", "-", "CH3", "CH4"},
         3},
        {"remove", 2, [&] { Actions().Run(cmd::RemoveChannel); }, {"-", "CH3", "CH4", "-", "-"}, 2},
        {"move up",
         3,
         [&] { Key(Qt::Key_Up, Qt::AltModifier); },
         {"-", "CH3", "CH2", "CH4", "-"},
         2},
        {"move down",
         3,
         [&] { Key(Qt::Key_Down, Qt::AltModifier); },
         {"-", "CH2", "CH4", "CH3", "-"},
         4},
        {"sort", 5, [&] { Actions().Run(cmd::SortByRx); }, {"CH3", "CH10", "CH2", "CH4", "-"}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Current(c.current, kFieldPower); // a choice cell: Alt+Down moves, not opens its list
        const Bytes before = All().Image;
        c.run();
        std::vector<std::string> names;
        for (int channel = 1; channel <= 5; ++channel)
            names.push_back(Name(channel));
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(grid->currentIndex().row(), c.currentAfter - 1);
        EXPECT_EQ(document->History().Stack().count(), 1);
        document->Undo();
        EXPECT_EQ(All().Image, before);
        document->ForgetHistory();
    }
    EXPECT_TRUE(messages.shown.empty());
    Current(3, kFieldPower); // F4 opens a choice cell's list
    Key(Qt::Key_F4);
    EXPECT_TRUE(form->ListEditor(kFieldPower)->isVisible());
}

TEST_F(ChannelTableActionsTest, InsertIsRefusedWhenTheLastChannelIsInUse) {
    InitNewChannel(All(), All().ChannelCount, "145.00000");
    document->ForgetHistory();
    Current(3);
    const Bytes before = All().Image;
    Actions().Run(cmd::InsertChannel);
    EXPECT_EQ(All().Image, before);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The last channel is in use: no channel can be inserted.");
}

TEST_F(ChannelTableActionsTest, FindSelectsTheNextMatchByNameOrFrequencyAndWraps) {
    const struct {
        const char* text;
        int from;
        int found; // 0: not found
    } cases[] = {{"ch1", 1, 10},   {"CH", 4, 10}, {"ch", 10, 2},  {"145.5", 3, 10},
                 {"145.5", 10, 3}, {"440", 1, 4}, {"nope", 1, 0}, {"146.52", 2, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(FindChannel(All(), c.text, c.from), c.found) << c.text << " from " << c.from;
    }
    Current(2);
    Key(Qt::Key_F, Qt::ControlModifier);
    ChannelFindBar* bar = form->FindBar();
    ASSERT_TRUE(bar->isVisible());
    QTest::keyClicks(bar->Text(), "ch");
    QTest::keyClick(bar->Text(), Qt::Key_Return);
    EXPECT_EQ(Actions().SelectedChannels(), (std::vector<int>{3}));
    bar->Text()->setText("zz");
    bar->FindNext();
    EXPECT_TRUE(bar->NotFoundShown());
    EXPECT_EQ(grid->currentIndex().row(), 2);
    // Escape closes the bar and hands the keyboard back to the table.
    QApplication::setActiveWindow(form.get());
    bar->Text()->setFocus();
    QTest::keyClick(bar->Text(), Qt::Key_Escape);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(grid->hasFocus());
}

// In the main window: Ctrl+X cuts while the table has the focus and stays Exit elsewhere; the
// Edit menu's items act on the table while it is the current window.
TEST(ChannelTableMainWindow, EditMenuActsOnTheTableAndCtrlXCutsThere) {
    test::TempDir dir;
    ScriptedMessages messages;
    QApplication::setQuitOnLastWindowClosed(false);
    DataModuleCreate(TheMaindb(), dir.Path());
    TfMainFrm main;
    main.portLister = [] { return std::vector<ListedPort>{}; };
    main.execDialog = [](QDialog&) { return int(QDialog::Rejected); };
    RegisterChannelEditors(main);
    RegisterFunctionEditors(main);
    main.show();
    QApplication::setActiveWindow(&main);
    PutTestChannels();
    main.Document().ForgetHistory();
    main.RunCommand(cmd::ChsInfo);
    auto& table = dynamic_cast<TfChsInfo&>(*main.ChildWindow(cmd::ChsInfo)->widget());
    table.Grid()->setCurrentIndex(table.Cell(2, kFieldRxFreq));
    table.Grid()->setFocus();
    messages.shown.clear();

    QTest::keyClick(table.Grid(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(messages.shown.empty()); // no question about leaving the program
    EXPECT_FALSE(InUse(2));
    // Also from the choice list a click on a cell opened.
    const QRect power = table.Grid()->visualRect(table.Cell(3, kFieldPower));
    QTest::mouseClick(table.Grid()->viewport(), Qt::LeftButton, {}, power.center());
    ASSERT_TRUE(table.ListEditor(kFieldPower)->isVisible());
    QTest::keyClick(table.ListEditor(kFieldPower), Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(InUse(3));
    main.RunCommand(cmd::Undo);
    EXPECT_TRUE(main.CommandAction(cmd::Copy)->isEnabled());

    main.RunCommand(cmd::SortByRx);
    EXPECT_EQ(Name(1), "CH3");
    main.RunCommand(cmd::Undo);
    EXPECT_EQ(Name(3), "CH3");
    EXPECT_EQ(table.Cell(3, kFieldName).data().toString(), "CH3");

    main.RunCommand(cmd::FmFun);
    EXPECT_FALSE(main.CommandAction(cmd::Copy)->isEnabled());
}

class CsvFileTest : public ChannelTableActionsTest {
protected:
    // Runs the import of `content`; `answer` sees the dialog and gives its result.
    bool Import(const std::string& content, const std::function<int(TfImportCsv&)>& answer) {
        dir.Write("in.csv", content);
        return ImportChannelsFile(
            *document, QString::fromStdString(dir.File("in.csv")), nullptr,
            [&](QDialog& dialog) { return answer(dynamic_cast<TfImportCsv&>(dialog)); });
    }
};

TEST_F(CsvFileTest, ImportShowsTheCountsAndAppliesOnlyOnOk) {
    const std::string file =
        "Location,Name,Frequency\r\n3,NEW3,145.600000\r\n5,NEW5,145.700000\r\n";
    const Bytes before = All().Image;
    EXPECT_FALSE(Import(file, [](TfImportCsv& dialog) {
        EXPECT_EQ(dialog.objectName(), "fImportCsv");
        EXPECT_EQ(dialog.CountText(0), "1"); // set: 5
        EXPECT_EQ(dialog.CountText(1), "1"); // replaced: 3
        EXPECT_EQ(dialog.CountText(2), "3"); // left alone: 2, 4, 10
        EXPECT_EQ(dialog.CountText(3), "0");
        dialog.ReplaceAll()->setChecked(true);
        EXPECT_EQ(dialog.CountText(2), "0");
        EXPECT_EQ(dialog.CountText(3), "3");
        EXPECT_TRUE(dialog.OkButton()->isEnabled());
        return int(QDialog::Rejected);
    }));
    EXPECT_EQ(All().Image, before);

    EXPECT_TRUE(Import(file, [](TfImportCsv& dialog) {
        dialog.ReplaceAll()->setChecked(true);
        dialog.OkButton()->click();
        return dialog.result();
    }));
    EXPECT_EQ(Name(3), "NEW3");
    EXPECT_EQ(Name(5), "NEW5");
    EXPECT_FALSE(InUse(2));
    EXPECT_EQ(document->History().Stack().count(), 1);
    document->Undo();
    EXPECT_EQ(All().Image, before);
}

TEST_F(CsvFileTest, AFileWithErrorsListsThemAndCannotBeApplied) {
    const Bytes before = All().Image;
    for (const std::string& file : {std::string("Location,Frequency\r\n1,999.000000\r\n2\r\n"),
                                    std::string("\x01\x02\x00garbage", 10)}) {
        bool shown = false;
        EXPECT_FALSE(Import(file, [&](TfImportCsv& dialog) {
            shown = true;
            EXPECT_FALSE(dialog.OkButton()->isEnabled());
            EXPECT_EQ(dialog.ProblemList()->model()->rowCount(),
                      int(dialog.Plan().problems.size()));
            EXPECT_GE(dialog.ProblemList()->model()->rowCount(), 1);
            return int(QDialog::Accepted); // even so nothing is applied
        }));
        EXPECT_TRUE(shown);
    }
    // A file far too large is refused before any dialog.
    EXPECT_FALSE(Import(std::string(kCsvMaxBytes + 1, 'x'), [](TfImportCsv&) {
        ADD_FAILURE() << "no dialog for a file too large";
        return int(QDialog::Rejected);
    }));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(All().Image, before);
}

TEST_F(CsvFileTest, ExportWritesTheChannelsOrTellsWhyNot) {
    ASSERT_TRUE(ExportChannelsFile(All(), QString::fromStdString(dir.File("out.csv"))));
    EXPECT_EQ(dir.Read("out.csv"), ExportChannelsCsv(All()).text);
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_FALSE(ExportChannelsFile(All(), QString::fromStdString(dir.File("missing/out.csv"))));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("missing/out.csv"), std::string::npos);

    EXPECT_EQ(DefaultExportName("/a/b/radio.dat"), "/a/b/radio.csv");
    EXPECT_EQ(DefaultExportName(""), "channels.csv");
}

// The reasons the English file holds are the built-in ones.
TEST_F(CsvFileTest, EnglishLanguageFileGivesTheBuiltInReasons) {
    std::string english;
    ASSERT_TRUE(ReadFileContents(ZORVA_LANG_DIR "/English.Ini", english));
    dir.Write("English.Ini", english);
    All().LanguageId = 1;
    const CsvTexts texts = TfCsvTexts().Texts();
    All().LanguageId = 0;
    EXPECT_EQ(texts.lineColumn, DefaultCsvTexts().lineColumn);
    EXPECT_EQ(texts.lineOnly, DefaultCsvTexts().lineOnly);
    for (int i = 0; i < kCsvIssueCount; ++i)
        EXPECT_EQ(texts.reasons[i], DefaultCsvTexts().reasons[i]) << CsvIssueKey(CsvIssue(i));
}

// Hidden empty channels and hidden columns are gone from the model the view and every other
// client read; selection, copy, paste, typing and Find work on what is shown.
TEST_F(ChannelTableActionsTest, HiddenEmptyChannelsAndColumnsAreNotInTheTablesModel) {
    All().HideEmptyChannels = true;
    All().HiddenFields = {kFieldVox, kFieldAni};
    form->ViewChoicesChanged();
    const QAbstractItemModel& shown = *grid->model();
    const auto headers = [&shown] {
        std::vector<int> channels;
        for (int row = 0; row < shown.rowCount(); ++row)
            channels.push_back(shown.headerData(row, Qt::Vertical).toInt());
        return channels;
    };
    EXPECT_EQ(headers(), (std::vector<int>{1, 2, 3, 4, 10})); // in use, and the first empty
    ASSERT_EQ(shown.columnCount(), 12);
    for (int column = 0; column < 12; ++column)
        EXPECT_NE(shown.headerData(column, Qt::Horizontal).toString(), "Vox") << column;

    Actions().SelectChannels(3, 10);
    EXPECT_EQ(Actions().SelectedChannels(), (std::vector<int>{3, 4, 10}));
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().toStdString(), Csv({3, 4, 10}));

    // A channel typed into the empty row shows the next empty one.
    Current(1);
    Key(Qt::Key_F2);
    auto* editor = grid->findChild<QLineEdit*>("gvChsEditor");
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "145.6");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(headers(), (std::vector<int>{1, 2, 3, 4, 5, 10}));
    // Typing into a column right of the hidden ones reaches its own field.
    form->Model().setData(form->Model().index(0, ChannelTableModel::ColumnOfField(kFieldName)),
                          "NEW", Qt::EditRole);
    EXPECT_EQ(form->Cell(1, kFieldName).data().toString(), "NEW");

    // Pasting into the empty row fills channels 5 on; Find lands on a row shown.
    QApplication::clipboard()->setText(QString::fromStdString(Csv({2})));
    Current(5);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Name(5), "CH2");
    EXPECT_EQ(headers(), (std::vector<int>{1, 2, 3, 4, 5, 6, 10}));
    Key(Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(form->FindBar()->Text(), "CH10");
    QTest::keyClick(form->FindBar()->Text(), Qt::Key_Return);
    EXPECT_EQ(form->ChannelOf(grid->currentIndex()), 10);

    All().HideEmptyChannels = false;
    All().HiddenFields.clear();
    form->ViewChoicesChanged();
    EXPECT_EQ(shown.rowCount(), All().ChannelCount);
    EXPECT_EQ(shown.columnCount(), 14);
}

// Ctrl+Enter stores what was typed into that column of every selected channel in use, as one
// step; Enter alone stores it into the cell.
TEST_F(ChannelTableActionsTest, CtrlEnterFillsTheSelectedChannelsInUse) {
    const Bytes before = All().Image;
    Actions().SelectChannels(1, 4); // channel 1 is empty
    Current(4, kFieldName);
    Actions().SelectChannels(1, 4);
    Key(Qt::Key_F2);
    auto* editor = grid->findChild<QLineEdit*>("gvChsEditor");
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "RPT");
    QTest::keyClick(editor, Qt::Key_Return, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(Name(2) + Name(3) + Name(4) + Name(10), "RPTRPTRPTCH10");
    EXPECT_FALSE(InUse(1));
    document->Undo();
    EXPECT_EQ(All().Image, before);
}

} // namespace
} // namespace zorva
