#include "editors/channels/ChsInfo.h"

#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "core/Maindb.h"
#include "core/SafeFile.h"
#include "core/TAll.h"
#include "document/RadioDocument.h"
#include "editors/channels/ChannelEditors.h"
#include "editors/channels/ChannelTableModel.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"
#include "shell/ui/MainFrm.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::TempDir;

constexpr int kEmpty = 5; // a channel made empty for the tests
constexpr int kUsed = 6;  // a channel put in use with the new-channel defaults

class ChsInfoTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
        std::string empty;
        SetChannelField(All(), kEmpty, kFieldRxFreq, empty);
        InitNewChannel(All(), kUsed, "145.50000");
        All().Modified = false;
        document = std::make_unique<RadioDocument>(All(), MacList());
        form = std::make_unique<TfChsInfo>(*document);
        form->show();
        grid = form->Grid();
    }

    QModelIndex Cell(int field, int channel) const { return form->Cell(channel, field); }
    QString Text(int field, int channel) const { return Cell(field, channel).data().toString(); }
    void Select(int field, int channel) const { grid->setCurrentIndex(Cell(field, channel)); }
    // The grid commits an edit ended by Enter from the event queue.
    static void Flush() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QLineEdit* Editor() const { return grid->findChild<QLineEdit*>("gvChsEditor"); }

    // Types `text` into a cell as a user does: F2, the keys, then `finish` (Enter or Escape).
    void Type(int field, int channel, const QString& text, Qt::Key finish = Qt::Key_Return) {
        Select(field, channel);
        QTest::keyClick(grid, Qt::Key_F2);
        QLineEdit* editor = Editor();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, finish);
        Flush();
    }
    const uint8_t* Record(int channel) const {
        return &All().Image[ChannelFieldAddress(channel, 0)];
    }
    TChannel Load(int channel) const {
        TChannel c;
        EXPECT_TRUE(LoadChannel(All(), channel, c)) << channel;
        return c;
    }

    TempDir dir;
    ScriptedMessages messages;
    std::unique_ptr<RadioDocument> document;
    std::unique_ptr<TfChsInfo> form;
    QTableView* grid = nullptr;
};

// The table a user and an accessibility client see: a row per channel headed by its number,
// a column per field headed by its caption, nothing hidden.
TEST_F(ChsInfoTest, RowsAreChannelsAndColumnsTheCataloguesFields) {
    EXPECT_EQ(form->objectName(), "fChsInfo");
    const std::vector<int> fields{2, 3, 6, 7, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19};
    const QAbstractItemModel& model = *grid->model();
    ASSERT_EQ(model.columnCount(), 14);
    ASSERT_EQ(model.rowCount(), 128);
    for (int column = 0; column < 14; ++column) {
        EXPECT_EQ(ChannelTableModel::FieldOfColumn(column), fields[column]) << column;
        EXPECT_FALSE(grid->isColumnHidden(column)) << column;
    }
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "RX Frequency");
    EXPECT_EQ(model.headerData(12, Qt::Horizontal).toString(), "NAME");
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toString(), "1");
    EXPECT_EQ(model.headerData(36, Qt::Vertical).toString(), "37");
    EXPECT_TRUE(grid->verticalHeader()->isVisible());
    EXPECT_GE(grid->columnWidth(0), 80); // the catalogue's widths are minimums

    QAccessible::setActive(true);
    auto* table = QAccessible::queryAccessibleInterface(grid)->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 128);
    EXPECT_EQ(table->columnCount(), 14);
    EXPECT_EQ(table->rowDescription(0), "1");
    EXPECT_EQ(table->columnDescription(0), "RX Frequency");

    // Every sixteenth channel stands out.
    const QColor info = form->palette().color(QPalette::ToolTipBase);
    EXPECT_EQ(Cell(9, 32).data(Qt::BackgroundRole).value<QBrush>().color(), info);
    EXPECT_FALSE(Cell(9, 31).data(Qt::BackgroundRole).isValid());

    // In use: every field editable; empty: only RX.
    for (int field : {2, 3, 9, 18, 19})
        EXPECT_TRUE(Cell(field, kUsed).flags() & Qt::ItemIsEditable) << field;
    EXPECT_TRUE(Cell(2, kEmpty).flags() & Qt::ItemIsEditable);
    for (int field : {3, 6, 9, 18, 19})
        EXPECT_FALSE(Cell(field, kEmpty).flags() & Qt::ItemIsEditable) << field;
    EXPECT_TRUE(form->Model().InUse(kUsed - 1));
    EXPECT_FALSE(form->Model().InUse(kEmpty - 1));
}

TEST_F(ChsInfoTest, ListEditorsOfferExactlyTheirItems) {
    const std::map<QString, QStringList> lists{
        {"cxPwrv", {"Low", "High"}},
        {"cxBand", {"Narrow", "Wide"}},
        {"cxScan", {"Add", "Del"}},
        {"cxBclo", {"On", "Off"}},
        {"cxYnSw", {"Yes", "No"}},
        {"cxTail", {"Off", "On"}},
        {"cxPtts", {"Off", "BOT", "EOT", "Both"}},
        {"cxAnis", {"ON", "OFF"}},
        {"cxDups", {"Off", "+", "-"}},
        {"cxApro", {"Off", "Compander", "Scrambler", "Both"}},
    };
    for (const auto& [name, items] : lists) {
        auto* combo = form->findChild<QComboBox*>(name);
        ASSERT_NE(combo, nullptr) << name.toStdString();
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        EXPECT_EQ(shown, items) << name.toStdString();
        EXPECT_FALSE(combo->isEditable());
    }
    auto* tones = form->findChild<QComboBox*>("cxDcts");
    ASSERT_NE(tones, nullptr);
    EXPECT_TRUE(tones->isEditable());
    ASSERT_EQ(tones->count(), 263);
    EXPECT_EQ(tones->itemText(0), "None");
    EXPECT_EQ(tones->itemText(51), "D023N");
    EXPECT_EQ(tones->itemText(262), "D754I");
}

TEST_F(ChsInfoTest, TypingRxIntoAnEmptyRowPutsTheChannelInUseWithDefaults) {
    Type(kFieldRxFreq, kEmpty, "145,525");
    EXPECT_TRUE(All().Modified);
    EXPECT_TRUE(All().IsSlotClear(kChannelBitmap, kEmpty)); // a clear bit: in use
    EXPECT_EQ(All().U32At(ChannelFieldAddress(kEmpty, 0)), 14552500u);
    EXPECT_EQ(Text(2, kEmpty), "145.52500"); // "," became "."
    EXPECT_EQ(Text(3, kEmpty), "145.52500");
    const std::vector<std::pair<int, QString>> shown{
        {6, "None"}, {7, "None"}, {9, "High"}, {10, "Wide"}, {11, "Del"}, {12, "Off"},
        {13, "No"},  {15, "On"},  {16, "Off"}, {17, "OFF"},  {18, ""},    {19, "000"}};
    for (const auto& [field, text] : shown)
        EXPECT_EQ(Text(field, kEmpty), text) << field;
    for (int field : {3, 18, 19})
        EXPECT_TRUE(Cell(field, kEmpty).flags() & Qt::ItemIsEditable) << field;
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ChsInfoTest, RefusedFrequenciesShowTheRangeBoxAndKeepTheChannel) {
    // "-" cannot be typed into RX, so "-5" arrives as "5".
    for (const QString typed : {"1.2.3", "0", "999", "-5"}) {
        messages.shown.clear();
        Type(kFieldRxFreq, kUsed, typed);
        ASSERT_EQ(messages.shown.size(), 1u) << typed.toStdString();
        EXPECT_EQ(messages.shown[0].caption, "Caution");
        EXPECT_EQ(messages.shown[0].text.rfind("The frequency number is wrong! Bands in use: ", 0),
                  0u);
        EXPECT_EQ(messages.shown[0].kind, kMsgInfo);
        EXPECT_EQ(Text(2, kUsed), "145.50000") << typed.toStdString();
        EXPECT_EQ(FormatFreq(Load(kUsed).RxFreq), "145.50000");
    }
    // A TX of "-145.5" is an offset that comes to 0 MHz.
    messages.shown.clear();
    EXPECT_FALSE(form->Model().setData(Cell(kFieldTxFreq, kUsed), "-145.5", Qt::EditRole));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(Text(kFieldTxFreq, kUsed), "145.50000");
    EXPECT_EQ(FormatFreq(Load(kUsed).TxFreq), "145.50000");
    EXPECT_FALSE(All().Modified);
}

TEST_F(ChsInfoTest, ClearingRxDeletesTheChannelAndClearingTxLeavesNoTx) {
    Type(kFieldTxFreq, kUsed, "");
    EXPECT_EQ(Load(kUsed).TxFreq, kNoFreq);
    EXPECT_EQ(Text(3, kUsed), "");

    Type(kFieldRxFreq, kUsed, "");
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(Record(kUsed)[i], 0xFF) << i;
    EXPECT_FALSE(All().IsSlotClear(kChannelBitmap, kUsed));
    EXPECT_FALSE(All().IsSlotClear(kScanBitmap, kUsed));
    EXPECT_FALSE(form->Model().InUse(kUsed - 1));
    for (int field : {3, 6, 9, 17, 18, 19}) {
        EXPECT_EQ(Text(field, kUsed), "") << field;
        EXPECT_FALSE(Cell(field, kUsed).flags() & Qt::ItemIsEditable) << field;
    }
}

TEST_F(ChsInfoTest, EscapeCancelsAnInCellEdit) {
    const std::vector<uint8_t> before(Record(kUsed), Record(kUsed) + 32);
    Type(kFieldRxFreq, kUsed, "150", Qt::Key_Escape);
    EXPECT_EQ(std::vector<uint8_t>(Record(kUsed), Record(kUsed) + 32), before);
    EXPECT_EQ(Text(2, kUsed), "145.50000");
    EXPECT_FALSE(All().Modified);
}

TEST_F(ChsInfoTest, NamesAndIdCodesKeepOnlyAcceptedKeysAndLengths) {
    Type(kFieldName, kUsed, "Ab{|}~z1XYZW");
    const std::string name = Load(kUsed).Name;
    EXPECT_EQ(name.size(), 7u);
    EXPECT_EQ(name.find_first_of("{|}~"), std::string::npos);
    EXPECT_EQ(Text(18, kUsed).toStdString(), name);

    const std::vector<std::pair<QString, QString>> codes{
        {"5", "500"}, {"12", "120"}, {"1234567", "123456"}, {"4a5b", "450"}};
    for (const auto& [typed, stored] : codes) {
        Type(kFieldIdCode, kUsed, typed);
        EXPECT_EQ(QString::fromStdString(Load(kUsed).IdCode), stored) << typed.toStdString();
        EXPECT_EQ(Text(19, kUsed), stored);
    }
    // The packed nibbles of "450": 4, 5, 0 then blanks.
    EXPECT_EQ(Record(kUsed)[15] >> 4, 4);
    EXPECT_EQ(Record(kUsed)[15] & 0x0F, 5);
}

TEST_F(ChsInfoTest, TonesTypedIntoTheListAreNormalised) {
    auto* tones = form->findChild<QComboBox*>("cxDcts");
    const auto typeTone = [&](int field, const QString& text) {
        Select(field, kUsed);
        QTest::keyClicks(grid, text.left(1)); // the first key opens the list
        ASSERT_TRUE(tones->isVisible());
        QTest::keyClicks(tones->lineEdit(), text.mid(1));
        QTest::keyClick(tones->lineEdit(), Qt::Key_Return);
        EXPECT_FALSE(tones->isVisible());
    };
    typeTone(kFieldRxTone, "300"); // not a tone of the radio: refused
    EXPECT_EQ(Text(6, kUsed), "None");
    EXPECT_EQ(Load(kUsed).RxTone, "");
    EXPECT_EQ(messages.shown.size(), 1u);
    typeTone(kFieldRxTone, "88.50");
    EXPECT_EQ(Text(6, kUsed), "88.5");

    typeTone(kFieldTxTone, "d025i");
    EXPECT_EQ(Text(7, kUsed), "D025I");
    EXPECT_EQ(Load(kUsed).TxTone, "D025I");
    EXPECT_TRUE(All().Modified);

    // Letters other than D, I and N cannot be typed; pasted, they are refused.
    Select(kFieldTxTone, kUsed);
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_TRUE(tones->hasFocus() || tones->isVisible());
    tones->lineEdit()->clear();
    QTest::keyClicks(tones->lineEdit(), "xyz");
    EXPECT_EQ(tones->currentText(), "");
    tones->lineEdit()->setText("xyz");
    QTest::keyClick(tones->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(Load(kUsed).TxTone, "D025I");
    EXPECT_EQ(Text(7, kUsed), "D025I");

    // Choosing "None" stores no tone.
    Select(kFieldRxTone, kUsed);
    QTest::keyClick(grid, Qt::Key_Return);
    tones->lineEdit()->setText("None");
    QTest::keyClick(tones->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(Load(kUsed).RxTone, "");
    EXPECT_EQ(Text(6, kUsed), "None");
}

TEST_F(ChsInfoTest, ListsAreChosenFromWithTheKeyboardAndNeverOpenOnEmptyRows) {
    auto* power = form->findChild<QComboBox*>("cxPwrv");
    Select(kFieldPower, kUsed);
    EXPECT_TRUE(power->isVisible());
    QTest::keyClick(grid, Qt::Key_Return);
    power->hidePopup();
    QTest::keyClick(power, Qt::Key_Up); // High → Low
    EXPECT_EQ(Load(kUsed).Power, 0);
    EXPECT_EQ(Text(9, kUsed), "Low");
    EXPECT_EQ(Cell(9, kUsed).data(ChannelTableModel::kChoiceRole).toInt(), 0);
    QTest::keyClick(power, Qt::Key_Escape);
    EXPECT_FALSE(power->isVisible());

    // Busy lock 0 is "On": the list index is the field's value.
    auto* busy = form->findChild<QComboBox*>("cxBclo");
    Select(kFieldBusyLock, kUsed);
    QTest::keyClick(grid, Qt::Key_F2);
    busy->hidePopup();
    QTest::keyClick(busy, Qt::Key_Up);
    EXPECT_EQ(Load(kUsed).BusyLock, 0);
    EXPECT_EQ(Text(12, kUsed), "On");

    All().Modified = false;
    for (int field : {6, 9, 11, 17}) {
        Select(field, kEmpty);
        QTest::keyClick(grid, Qt::Key_Return);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(Cell(field, kEmpty)).center());
        for (QComboBox* list : form->findChildren<QComboBox*>())
            EXPECT_FALSE(list->isVisible()) << field << list->objectName().toStdString();
    }
    EXPECT_FALSE(All().Modified);
    EXPECT_FALSE(All().IsSlotClear(kChannelBitmap, kEmpty));
}

TEST_F(ChsInfoTest, ArrowKeysMoveTheCurrentCellAndTheCurrentChannel) {
    Select(kFieldRxFreq, 3);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(ChannelTableModel::FieldOfColumn(grid->currentIndex().column()), kFieldTxFreq);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentIndex().row(), 3);
    EXPECT_EQ(All().CurrentChannel, 4);

    // Typing on an editable cell starts its editor with that key.
    Select(kFieldRxFreq, kEmpty);
    QTest::keyClick(grid, '1');
    QLineEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "46.1");
    QTest::keyClick(editor, Qt::Key_Return);
    Flush();
    EXPECT_EQ(Text(2, kEmpty), "146.10000");
}

// A key typed into a cell that cannot be edited does nothing: no search for a row that
// starts with it, and so no edit of another channel by the keys that follow.
TEST_F(ChsInfoTest, KeysTypedIntoReadOnlyCellsChangeNothing) {
    std::string name = "LOCAL";
    SetChannelField(All(), kUsed, kFieldName, name);
    All().Modified = false;
    const auto before = All().Image;
    const std::vector<std::pair<int, QString>> typed{{kFieldTxFreq, "145"},
                                                     {kFieldName, "LX"},
                                                     {1, "6"},
                                                     {kFieldIdCode, "0"},
                                                     {kFieldPower, "H"}};
    for (const auto& [field, keys] : typed) {
        const int channel = field == kFieldPower ? kUsed : kEmpty;
        Select(field, channel);
        grid->setFocus();
        QTest::keyClicks(grid, keys);
        QTest::keyClick(grid, Qt::Key_Return);
        Flush();
        EXPECT_EQ(grid->currentIndex(), Cell(field, channel)) << field;
        EXPECT_EQ(Editor(), nullptr) << field;
    }
    EXPECT_EQ(All().Image, before);
    EXPECT_FALSE(All().Modified);
    EXPECT_TRUE(messages.shown.empty());
}

// Whether the tone list is opened by a click on the cell or on the list already shown over
// it, typing replaces the shown tone.
TEST_F(ChsInfoTest, TypingIntoAClickedToneCellReplacesItsText) {
    auto* tones = form->findChild<QComboBox*>("cxDcts");
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const std::vector<std::tuple<int, bool, QString, std::string>> rows{
        {kFieldRxTone, false, "88.5", "88.5"},
        {kFieldTxTone, false, "d025i", "D025I"},
        {kFieldRxTone, true, "d023n", "D023N"},
    };
    for (const auto& [field, onList, typed, stored] : rows) {
        Select(kFieldRxFreq, kUsed);
        grid->setFocus();
        if (onList) {
            Select(field, kUsed);
            ASSERT_TRUE(tones->isVisible());
            QTest::mouseClick(tones->lineEdit(), Qt::LeftButton);
            QCoreApplication::processEvents();
        } else {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(Cell(field, kUsed)).center());
            ASSERT_TRUE(tones->isVisible());
        }
        QTest::keyClicks(tones->lineEdit(), typed);
        QTest::keyClick(tones->lineEdit(), Qt::Key_Return);
        const TChannel c = Load(kUsed);
        EXPECT_EQ(field == kFieldRxTone ? c.RxTone : c.TxTone, stored) << typed.toStdString();
    }
}

// Moving on from a list with the arrow keys shows the new cell's list, and what is chosen
// there is stored in that cell's field.
TEST_F(ChsInfoTest, ArrowFromAListShowsTheNextCellsListAndStoresItsChoice) {
    auto* power = form->findChild<QComboBox*>("cxPwrv");
    auto* bandwidth = form->findChild<QComboBox*>("cxBand");
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(Cell(kFieldPower, kUsed)).center());
    ASSERT_TRUE(power->hasFocus());
    QTest::keyClick(power, Qt::Key_Up); // High → Low
    EXPECT_EQ(Load(kUsed).Power, 0);
    QTest::keyClick(power, Qt::Key_Right);
    Flush();
    EXPECT_EQ(grid->currentIndex(), Cell(kFieldBandwidth, kUsed));
    for (QComboBox* list : form->findChildren<QComboBox*>())
        EXPECT_EQ(list->isVisible(), list == bandwidth) << list->objectName().toStdString();
    EXPECT_EQ(bandwidth->geometry().topLeft(),
              grid->visualRect(Cell(kFieldBandwidth, kUsed)).topLeft() + QPoint(2, 2));

    ASSERT_EQ(QApplication::focusWidget(), grid);
    QTest::keyClick(grid, Qt::Key_Return);
    bandwidth->hidePopup();
    ASSERT_TRUE(bandwidth->isVisible());
    QTest::keyClick(bandwidth, Qt::Key_Up); // Wide → Narrow
    QTest::keyClick(bandwidth, Qt::Key_Return);
    Flush();
    EXPECT_EQ(Load(kUsed).Bandwidth, 0);
    EXPECT_EQ(Load(kUsed).Power, 0);
    EXPECT_EQ(Text(kFieldBandwidth, kUsed), "Narrow");
}

TEST_F(ChsInfoTest, RefillsFollowTheImageAndDeactivateCommitsAnOpenEdit) {
    InitNewChannel(All(), kEmpty, "440.00000");
    EXPECT_EQ(Text(2, kEmpty), "440.00000");
    std::string none;
    SetChannelField(All(), kEmpty, kFieldRxFreq, none);
    EXPECT_EQ(Text(2, kEmpty), "");

    Select(kFieldRxFreq, kUsed);
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClicks(Editor(), "147");
    form->FormDeactivate();
    Flush();
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(FormatFreq(Load(kUsed).RxFreq), "147.00000");
}

// A language file changes captions, widths and the no-tone text; never the columns' kinds.
TEST_F(ChsInfoTest, ShippedChineseFileLocalisesCaptionsWidthsAndTheNoToneText) {
    std::string chinese;
    ASSERT_TRUE(ReadFileContents(ZORVA_LANG_DIR "/Chinese.Ini", chinese));
    dir.Write("Chinese.Ini", chinese.substr(0, chinese.find("[fChsInfo]")) +
                                 "[fChsInfo]\nColShow.2=100@RX|Freq\nColShow.9=070@" +
                                 "\xe5\x8a\x9f\xe7\x8e\x87\ncxDcts.0=\xe6\x97\xa0\n");
    All().LanguageId = 1;
    All().LanguageName = "Chinese";
    form->hide();
    form->show();
    EXPECT_EQ(grid->columnWidth(0), 100);
    const QAbstractItemModel& model = *grid->model();
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "RX\nFreq");
    EXPECT_EQ(model.headerData(ChannelTableModel::ColumnOfField(9), Qt::Horizontal).toString(),
              QString::fromUtf8("\xe5\x8a\x9f\xe7\x8e\x87"));
    EXPECT_EQ(Text(6, kUsed), QString::fromUtf8("\xe6\x97\xa0"));
    // The localised no-tone text still stores no tone.
    std::string tone = "88.5";
    SetChannelField(All(), kUsed, kFieldRxTone, tone);
    EXPECT_EQ(Text(6, kUsed), "88.5");
    Select(kFieldRxTone, kUsed);
    QTest::keyClick(grid, Qt::Key_Return);
    auto* tones = form->findChild<QComboBox*>("cxDcts");
    tones->lineEdit()->setText(QString::fromUtf8("\xe6\x97\xa0"));
    QTest::keyClick(tones->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(Load(kUsed).RxTone, "");
}

// Catalogue widths are minimums: every caption is readable at the current font, in the
// built-in texts, the shipped Chinese ones and a file that gives a long caption little room.
TEST_F(ChsInfoTest, EveryCaptionFitsItsColumn) {
    std::string chinese;
    ASSERT_TRUE(ReadFileContents(ZORVA_LANG_DIR "/Chinese.Ini", chinese));
    dir.Write("Chinese.Ini", chinese);
    dir.Write("Narrow.Ini", "[fChsInfo]\nColShow.2=030@Receive Frequency|in MHz\n");
    const QHeaderView* header = grid->horizontalHeader();
    const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin);
    for (const char* language : {"", "Chinese", "Narrow"}) {
        if (*language) {
            All().LanguageId = 1;
            All().LanguageName = language;
            form->hide();
            form->show();
        }
        for (int column = 0; column < grid->model()->columnCount(); ++column) {
            const QString caption = grid->model()->headerData(column, Qt::Horizontal).toString();
            for (const QString& line : caption.split('\n'))
                EXPECT_LE(header->fontMetrics().horizontalAdvance(line) + margin,
                          grid->columnWidth(column))
                    << language << " " << line.toStdString();
        }
    }
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Receive Frequency\nin MHz");
}

TEST_F(ChsInfoTest, MainWindowOpensTheTableAsCommandEleven) {
    TfMainFrm mainForm;
    RegisterChannelEditors(mainForm);
    mainForm.RunCommand(cmd::ChsInfo);
    QMdiSubWindow* window = mainForm.ChildWindow(cmd::ChsInfo);
    ASSERT_NE(window, nullptr);
    auto* table = qobject_cast<TfChsInfo*>(window->widget());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->objectName(), "fChsInfo");
    table->FormShow(); // the main window itself is not shown here
    ASSERT_EQ(table->Grid()->model()->rowCount(), All().ChannelCount);
    table->Grid()->setCurrentIndex(table->Cell(kUsed, kFieldTxFreq));
    EXPECT_EQ(All().CurrentChannel, kUsed);
}

} // namespace
} // namespace zorva
