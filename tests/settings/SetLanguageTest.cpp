#include "settings/ui/SetLanguage.h"

#include "TestSupport.h"
#include "core/Maindb.h"
#include "shell/Startup.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::TempDir;

class SetLanguageTest : public testing::Test {
protected:
    // Starts the program with this settings file (none when empty).
    void Start(const std::string& settings) {
        if (!settings.empty()) dir.Write("SysInfo.Ini", "[SysInfo]\n" + settings);
        DataModuleCreate(TheMaindb(), dir.Path());
    }
    QRadioButton* Choice(TfSetLanguage& dialog, int i) {
        return dialog.findChild<QRadioButton*>(QString("cxLang%1").arg(i));
    }
    // The captions of the buttons offered, "-" for a hidden one.
    QStringList Offered(TfSetLanguage& dialog) {
        QStringList offered;
        for (int i = 0; i < 3; ++i)
            offered << (Choice(dialog, i)->isHidden() ? "-" : Choice(dialog, i)->text());
        return offered;
    }
    // Clicks the button's mark: a wide radio button reacts to its mark and caption only.
    void Pick(TfSetLanguage& dialog, int i) {
        QRadioButton* button = Choice(dialog, i);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    }
    void Press(TfSetLanguage& dialog, const char* button) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    }

    TempDir dir;
};

TEST_F(SetLanguageTest, ChoosingTheCurrentLanguageChangesNothing) {
    Start("");
    TfSetLanguage dialog;
    EXPECT_EQ(dialog.windowTitle(), "Language File Setup");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("cxSels")->title(), "Language");
    dialog.show();
    EXPECT_EQ(Offered(dialog), QStringList({"English", "Chinese", "-"}));
    EXPECT_TRUE(Choice(dialog, 0)->isChecked());

    Press(dialog, "btnOk");
    EXPECT_FALSE(dialog.LanguageChanged());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(All().LanguageId, 0);
    EXPECT_EQ(All().LanguageName, "English");
}

TEST_F(SetLanguageTest, ChoosingAnotherLanguageSetsItAndCancelDoesNot) {
    Start("");
    {
        TfSetLanguage dialog;
        dialog.show();
        Pick(dialog, 1);
        Press(dialog, "btnCancel");
        EXPECT_FALSE(dialog.LanguageChanged());
        EXPECT_EQ(All().LanguageId, 0);
    }
    TfSetLanguage dialog;
    dialog.show();
    Pick(dialog, 1);
    Press(dialog, "btnOk");
    EXPECT_TRUE(dialog.LanguageChanged());
    EXPECT_EQ(All().LanguageId, 1);
    EXPECT_EQ(All().LanguageName, "Chinese");
}

TEST_F(SetLanguageTest, AtMostThreeLanguagesAreOffered) {
    Start("Language=English|Chinese|Deutsch|Espanol\n"
          "English=English|Chinese|German|Spanish\n");
    TfSetLanguage dialog;
    dialog.show();
    EXPECT_EQ(Offered(dialog), QStringList({"English", "Chinese", "German"}));
    // Showing again does not add the lists a second time.
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.findChild<QComboBox*>("cxLang")->count(), 4);
    EXPECT_EQ(dialog.findChild<QListWidget*>("cxName")->count(), 4);

    Pick(dialog, 2);
    Press(dialog, "btnOk");
    EXPECT_EQ(All().LanguageId, 2);
    EXPECT_EQ(All().LanguageName, "Deutsch");
}

TEST_F(SetLanguageTest, OnlyLanguagesWithAFileNameAreOffered) {
    Start("Language=English|Chinese\nEnglish=English|Chinese|German\n");
    {
        TfSetLanguage dialog;
        dialog.show();
        EXPECT_EQ(Offered(dialog), QStringList({"English", "Chinese", "-"}));
    }
    Start("Language=English| |../Deutsch\nEnglish=English|Chinese|German\n");
    TfSetLanguage dialog;
    dialog.show();
    EXPECT_EQ(Offered(dialog), QStringList({"English", "-", "-"}));
}

TEST_F(SetLanguageTest, SecondLanguageShowsItsOwnNamesAndTexts) {
    Start("Language_ID=1\nChinese=英文|中文\n");
    dir.Write("Chinese.Ini", "[fSetLanguage]\nfSetLanguage.Caption=语言文件设置\n"
                             "cxLang0.Caption=语言0\ncxLang.0=x\nbtnOk.Caption=确定(&O)\n");
    ASSERT_EQ(All().LanguageName, "Chinese");
    TfSetLanguage dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "语言文件设置");
    EXPECT_EQ(dialog.findChild<QPushButton*>("btnOk")->text(), "确定(&O)");
    EXPECT_EQ(Offered(dialog), QStringList({"英文", "中文", "-"}));
    EXPECT_TRUE(Choice(dialog, 1)->isChecked());
    EXPECT_FALSE(Choice(dialog, 0)->isChecked());

    Pick(dialog, 0);
    Press(dialog, "btnOk");
    EXPECT_TRUE(dialog.LanguageChanged());
    EXPECT_EQ(All().LanguageId, 0);
    EXPECT_EQ(All().LanguageName, "English");
}

} // namespace
} // namespace zorva
