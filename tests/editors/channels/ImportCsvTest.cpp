// The import dialog's choices give the plan the command line gives, and it shows every problem.
#include "editors/channels/ImportCsv.h"

#include "TestSupport.h"
#include "core/Maindb.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace zorva {
namespace {

TEST(ImportCsvTest, SkippingAndFileOrderChangeWhatOkApplies) {
    auto db = test::MakeStartedDb();
    const std::string file = "Location;Name;Frequency;Mode\r\n0;A;145,5;FM\r\n0;B;27,185;FM\r\n"
                             "0;C;146,5;AM\r\n0;LONGNAME;147;FM\r\n";
    TfImportCsv dialog(db->All, file, QStringLiteral("list.csv"));
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.CountText(0), "0"); // nothing while Ok applies nothing
    EXPECT_EQ(dialog.Summary(), "Errors: 6 (4 Location not a channel, 1 outside the radio's "
                                "bands, 1 mode AM). Warnings: 1 (1 name cut to 7 characters)");
    QAbstractItemModel* list = dialog.ProblemList()->model();
    ASSERT_EQ(list->rowCount(), 7);
    EXPECT_EQ(list->index(6, 0).data().toString(),
              "Line 5, Name: cut to seven characters as \"LONGNAM\" (warning)");
    EXPECT_TRUE(list->index(0, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(list->index(6, 0).data(Qt::ForegroundRole).isValid());

    dialog.SkipUnsupported()->setChecked(true);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.CountText(0), "0");
    EXPECT_FALSE(dialog.FirstChannel()->isEnabled());

    dialog.InFileOrder()->setChecked(true);
    dialog.FirstChannel()->setValue(10);
    EXPECT_EQ(dialog.CountText(0), "2");
    ASSERT_EQ(dialog.Plan().rows.size(), 2u);
    EXPECT_EQ(dialog.Plan().rows[0].channel, 10);
    EXPECT_EQ(dialog.Plan().rows[1].channel, 11);
    const QString summary = "Errors: 2 (1 outside the radio's bands, 1 mode AM). Warnings: 1 (1 "
                            "name cut to 7 characters)\nSkipped 2 rows: 1 outside the radio's "
                            "bands, 1 mode AM";
    EXPECT_EQ(dialog.Summary(), summary);

    dialog.CopyButton()->click();
    const QStringList copied = QApplication::clipboard()->text().split('\n');
    ASSERT_EQ(copied.size(), 2 + 3 + 1);
    EXPECT_EQ(copied.mid(0, 2).join('\n'), summary);
    EXPECT_EQ(copied[2], "Line 3, Frequency: 27,185 MHz lies in no band of the radio");
}

} // namespace
} // namespace zorva
