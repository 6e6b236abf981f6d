#include "settings/ui/FrmAbout.h"

#include "TestSupport.h"
#include "core/Maindb.h"
#include "shell/Startup.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::TempDir;

class FrmAboutTest : public testing::Test {
protected:
    void SetUp() override { DataModuleCreate(TheMaindb(), dir.Path()); }

    // An English.Ini whose about box lines are `lines` (line i+1 from lines[i]).
    void WriteLines(const std::vector<std::string>& lines) {
        std::string content = "[fFrmAbout]\nfFrmAbout.Caption=About\n";
        for (std::size_t i = 0; i < lines.size(); ++i)
            content += "lStr" + std::to_string(i + 1) + ".Caption=" + lines[i] + "\n";
        dir.Write("English.Ini", content);
    }
    static QLabel* Line(TfFrmAbout& about, int n) {
        return about.findChild<QLabel*>(QString("lStr%1").arg(n));
    }
    static int BottomOf(const QLabel* label) { return label->y() + label->height(); }

    TempDir dir;
};

TEST_F(FrmAboutTest, LinesComeFromTheFileEvenInTheFirstLanguage) {
    WriteLines({"ZORVA-520SX", "Version 1", "", "Four", "Five", "Six", "Seven"});
    ASSERT_EQ(All().LanguageId, 0);
    TfFrmAbout about;
    EXPECT_EQ(Line(about, 1)->text(), "1");
    about.show();

    EXPECT_EQ(about.objectName(), "fFrmAbout");
    EXPECT_EQ(about.windowTitle(), "ZORVA-520SX");
    EXPECT_EQ(Line(about, 2)->text(), "Version 1");
    EXPECT_EQ(Line(about, 3)->text(), "");
    EXPECT_EQ(Line(about, 8)->text(), "8");
    auto* icon = about.findChild<QLabel*>("ImApp");
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
}

TEST_F(FrmAboutTest, HeightEndsBelowTheLastLineShown) {
    {
        // Without a file the placeholders "1" to "9" are all shown.
        TfFrmAbout about;
        about.show();
        EXPECT_EQ(about.height(), BottomOf(Line(about, 9)) + 55);
    }
    {
        WriteLines({"a", "b", "c", "d", "e", "f", "", "h", " "});
        TfFrmAbout about;
        about.show();
        EXPECT_EQ(about.height(), BottomOf(Line(about, 8)) + 55);
    }
    {
        // A blank sixth line makes a five-line box, whatever follows it.
        WriteLines({"a", "b", "c", "d", "e", "", "g", "h", ""});
        TfFrmAbout about;
        about.show();
        EXPECT_EQ(about.height(), BottomOf(Line(about, 5)) + 55);
        EXPECT_LT(about.height(), BottomOf(Line(about, 8)));
    }
}

TEST_F(FrmAboutTest, AClickOnALineOrTheWindowClosesIt) {
    {
        TfFrmAbout about;
        about.show();
        QTest::mouseClick(Line(about, 3), Qt::LeftButton);
        EXPECT_FALSE(about.isVisible());
        EXPECT_EQ(about.result(), QDialog::Accepted);
    }
    TfFrmAbout about;
    about.show();
    QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_FALSE(about.isVisible());
}

} // namespace
} // namespace zorva
