#include "settings/ui/LocaliseForm.h"

#include "TestSupport.h"
#include "core/Maindb.h"
#include "link/ui/SetPort.h"
#include "settings/ShownTexts.h"
#include "shell/Startup.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::FormTexts;
using test::TempDir;

// A window with a control of every kind the localiser knows, and of some it must not touch.
struct TestForm {
    TestForm() {
        form.setObjectName("fTest");
        form.setWindowTitle("Test Window");
        auto* layout = new QVBoxLayout(&form);
        const auto add = [&]<typename T>(T* widget, const char* name) {
            widget->setObjectName(name);
            layout->addWidget(widget);
            return widget;
        };

        auto* bar = add(new QMenuBar(&form), "MainMenu");
        mFile = bar->addMenu("&File");
        mFile->setObjectName("mFile");
        N1 = new QAction("&New", mFile);
        N1->setObjectName("N1");
        N1->setStatusTip("New");
        mFile->addAction(N1);

        label = add(new QLabel("Squelch", &form), "cl00");
        picture = add(new QLabel(&form), "ImPic");
        picture->setPixmap(QPixmap(8, 8));
        button = add(new QPushButton("&Cancel", &form), "btnCancel");
        toolButton = add(new QToolButton(&form), "tbRead");
        toolButton->setText("Read");
        toolButton->setToolTip("Read");
        check = add(new QCheckBox("Menu", &form), "cxMenuSet");
        radio = add(new QRadioButton("Wide", &form), "cxWide");
        group = add(new QGroupBox("Port", &form), "cxPort");
        edit = add(new QLineEdit("146.52000", &form), "eFreq");

        cxTotSv = add(new QComboBox(&form), "cxTotSv");
        cxTotSv->addItems({"Off", "30", "60"});
        cxTotSv->setProperty("tag", -3);
        cxOpenSw = add(new QComboBox(&form), "cxOpenSw");
        cxOpenSw->addItems({"Off", "Msg", "Volt"});
        cxSqlLv = add(new QComboBox(&form), "cxSqlLv");
        cxSqlLv->addItems({"0", "1"});
        cxSqlLv->setProperty("tag", -2);
        list = add(new QListWidget(&form), "lbItems");
        list->addItems({"Low", "High"});
        fixedList = add(new QListWidget(&form), "lbFixed");
        fixedList->addItems({"COM1"});
        fixedList->setProperty("tag", -2);

        grid = add(new QTableWidget(2, 2, &form), "sgChannels");
        grid->setItem(0, 0, new QTableWidgetItem("1"));
        grid->setItem(1, 1, new QTableWidgetItem("Off"));

        tabs = add(new QTabWidget(&form), "pcPages");
        auto* page = new QWidget;
        page->setObjectName("tsFirst");
        tabs->addTab(page, "First");

        // A window of its own that happens to sit under the form: it has its own section.
        child = new QDialog(&form);
        child->setObjectName("fChild");
        auto* childLabel = new QLabel("Inner", child);
        childLabel->setObjectName("cl00");
    }

    QWidget form;
    QMenu* mFile;
    QAction* N1;
    QLabel* label;
    QLabel* picture;
    QPushButton* button;
    QToolButton* toolButton;
    QCheckBox* check;
    QRadioButton* radio;
    QGroupBox* group;
    QLineEdit* edit;
    QComboBox* cxTotSv;
    QComboBox* cxOpenSw;
    QComboBox* cxSqlLv;
    QListWidget* list;
    QListWidget* fixedList;
    QTableWidget* grid;
    QTabWidget* tabs;
    QDialog* child;
};

// A started program in a folder of its own, using its second language "Chinese".
class LocaliseFormTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        All().LanguageId = 1;
        All().LanguageName = "Chinese";
    }

    TempDir dir;
};

TEST_F(LocaliseFormTest, FirstLanguageKeepsBuiltInTextsUnlessForced) {
    dir.Write("English.Ini", "[fTest]\nfTest.Caption=Localised\ncl00.Caption=Squelch Level\n");
    All().LanguageId = 0;
    All().LanguageName = "English";
    TestForm t;
    const std::vector<std::string> before = FormTexts(t.form);

    LocaliseForm(t.form, false);
    EXPECT_EQ(FormTexts(t.form), before);

    LocaliseForm(t.form, true);
    EXPECT_EQ(t.form.windowTitle(), "Localised");
    EXPECT_EQ(t.label->text(), "Squelch Level");
}

TEST_F(LocaliseFormTest, CaptionsAndHintsOfEveryKind) {
    dir.Write("Chinese.Ini", "[fTest]\n"
                             "fTest.Caption=测试窗口\n"
                             "mFile.Caption=文件(&F)\n"
                             "N1.Caption=新建(&N)\n"
                             "N1.Hint=新建文件\n"
                             "cl00.Caption=静噪\n"
                             "ImPic.Caption=not a text\n"
                             "btnCancel.Caption=取消(&C)\n"
                             "tbRead.Caption=读\n"
                             "tbRead.Hint=读取\n"
                             "cxMenuSet.Caption=菜单\n"
                             "cxWide.Caption=宽带\n"
                             "cxPort.Caption=端口\n"
                             "eFreq.Caption=0\n"
                             "tsFirst.Caption=第一页\n"
                             "[fChild]\n"
                             "cl00.Caption=not this one\n");
    TestForm t;
    LocaliseForm(t.form, false);

    EXPECT_EQ(t.form.windowTitle(), "测试窗口");
    EXPECT_EQ(t.mFile->title(), "文件(&F)");
    EXPECT_EQ(t.N1->text(), "新建(&N)");
    EXPECT_EQ(t.N1->statusTip(), "新建文件");
    EXPECT_EQ(t.N1->toolTip(), "新建文件");
    EXPECT_EQ(t.label->text(), "静噪");
    EXPECT_FALSE(t.picture->pixmap().isNull());
    EXPECT_EQ(t.button->text(), "取消(&C)");
    EXPECT_EQ(t.toolButton->text(), "读");
    EXPECT_EQ(t.toolButton->toolTip(), "读取");
    EXPECT_EQ(t.check->text(), "菜单");
    EXPECT_EQ(t.radio->text(), "宽带");
    EXPECT_EQ(t.group->title(), "端口");
    EXPECT_EQ(t.edit->text(), "146.52000");
    EXPECT_EQ(t.tabs->tabText(0), "第一页");
    EXPECT_EQ(t.child->findChild<QLabel*>("cl00")->text(), "Inner");
}

TEST_F(LocaliseFormTest, ListItemsFollowTheirTags) {
    dir.Write("Chinese.Ini", "[fTest]\n"
                             "cxTotSv.0=关\n"
                             "cxTotSv.1=三十\n"
                             "cxOpenSw.0=关\n"
                             "cxOpenSw.2=电压\n"
                             "cxSqlLv.0=零\n"
                             "lbItems.1=高\n"
                             "lbFixed.0=串口1\n"
                             "sgChannels.0=x\n"
                             "sgChannels.Caption=x\n");
    TestForm t;
    t.cxTotSv->setCurrentIndex(0);
    t.cxOpenSw->setCurrentIndex(2);
    QSignalSpy changed(t.cxOpenSw, &QComboBox::currentTextChanged);

    LocaliseForm(t.form, false);

    // Only item 0 of a "first item only" list: the numbers stay numbers.
    EXPECT_EQ(t.cxTotSv->itemText(0), "关");
    EXPECT_EQ(t.cxTotSv->itemText(1), "30");
    EXPECT_EQ(t.cxTotSv->currentIndex(), 0);
    EXPECT_EQ(t.cxTotSv->currentText(), "关");
    EXPECT_EQ(t.cxOpenSw->itemText(0), "关");
    EXPECT_EQ(t.cxOpenSw->itemText(1), "Msg");
    EXPECT_EQ(t.cxOpenSw->currentIndex(), 2);
    EXPECT_EQ(t.cxOpenSw->currentText(), "电压");
    // The window must not take a translated item for a choice of the user.
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(t.cxSqlLv->itemText(0), "0");
    EXPECT_EQ(t.list->item(0)->text(), "Low");
    EXPECT_EQ(t.list->item(1)->text(), "高");
    EXPECT_EQ(t.fixedList->item(0)->text(), "COM1");
    EXPECT_EQ(t.grid->item(0, 0)->text(), "1");
    EXPECT_EQ(t.grid->item(1, 1)->text(), "Off");
}

TEST_F(LocaliseFormTest, MissingFileSectionOrKeysChangeNothing) {
    TestForm t;
    const std::vector<std::string> before = FormTexts(t.form);
    LocaliseForm(t.form, true);
    EXPECT_EQ(FormTexts(t.form), before) << "no file";

    dir.Write("Chinese.Ini", "[Language]\nConfirmation=确认\n[fOther]\ncl00.Caption=x\n");
    LocaliseForm(t.form, true);
    EXPECT_EQ(FormTexts(t.form), before) << "no section";

    dir.Write("Chinese.Ini", "[fTest]\nbtnOk.Caption=x\ncxOpenSw.7=x\nColShow.9=x\n");
    LocaliseForm(t.form, true);
    EXPECT_EQ(FormTexts(t.form), before) << "other keys only";

    // An empty value is a text like any other.
    dir.Write("Chinese.Ini", "[FTEST]\ncl00.caption=\n");
    LocaliseForm(t.form, true);
    EXPECT_EQ(t.label->text(), "");
}

TEST_F(LocaliseFormTest, ReadsAFileInTheOlderChineseEncoding) {
    // "中文" in GB18030.
    dir.Write("Chinese.Ini", "[fTest]\r\ncl00.Caption=\xD6\xD0\xCE\xC4\r\n");
    TestForm t;
    LocaliseForm(t.form, false);
    EXPECT_EQ(t.label->text(), "中文");
}

TEST_F(LocaliseFormTest, PortDialogNamesItsButtonsWithTheLocalisedWord) {
    dir.Write("Chinese.Ini", "[fSetPort]\nfSetPort.Caption=通信端口\nlbName.Caption=串口\n"
                             "btnOk.Caption=确定(&O)\n");
    TfSetPort dialog(nullptr, [] { return std::vector<ListedPort>{}; });
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "通信端口");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("cxPort")->title(), "通信端口");
    EXPECT_EQ(dialog.PortButton(3)->text(), "串口3");
    EXPECT_EQ(dialog.findChild<QPushButton*>("btnOk")->text(), "确定(&O)");
    EXPECT_EQ(dialog.findChild<QPushButton*>("btnCancel")->text(), "&Cancel");
}

} // namespace
} // namespace zorva
