// The read and write dialogs for real: Ok clicked, the exchange run through a pseudo-terminal
// against the virtual radio, the image compared with the radio's memory.
#include "TestSupport.h"
#include "VirtualRadioProcess.h"
#include "codec/ChannelRecord.h"
#include "core/Maindb.h"
#include "link/PtyPair.h"
#include "link/ui/ReadRadio.h"
#include "link/ui/VerifyRadio.h"
#include "link/ui/WriteRadio.h"
#include "settings/ui/ShowMsg.h"
#include "shell/DataFile.h"
#include "shell/Startup.h"

#include <QPushButton>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>

namespace zorva {
namespace {

class DialogTransfers : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
    }
    // A radio memory that differs from a new image: channels and a serial number.
    std::string CraftFile(const std::string& name) {
        auto db = test::MakeStartedDb();
        InitNewChannel(db->All, 3, "147.33");
        InitNewChannel(db->All, 100, "462.5625");
        std::memcpy(&db->All.Image[kSerialNumber], "ZS520DLG00000007", 16);
        EXPECT_TRUE(SaveDataFile(db->All, dir.File(name)));
        return dir.Read(name);
    }
    static void ClickOk(QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    }

    test::TempDir dir;
};

TEST_F(DialogTransfers, ReadDialogBringsTheRadiosMemoryIntoTheImage) {
    const std::string radio = CraftFile("radio.dat");
    test::VirtualRadio sim({"--load", dir.File("radio.dat")});
    ASSERT_FALSE(sim.Path().empty());
    All().PortName = sim.Path();

    ScriptedMessages messages;
    TfReadRadio dialog(All());
    dialog.show();
    ASSERT_TRUE(test::WaitFor([&] { return dialog.Port().IsOpen(); }, 5000));
    ClickOk(dialog);
    ASSERT_TRUE(test::WaitFor([&] { return !dialog.isVisible(); }, 60000));

    EXPECT_TRUE(dialog.ReadCompleted());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Reading Completed.");
    // The read went into the dialog's copy; the document takes it over from there.
    EXPECT_TRUE(dialog.State().Modified);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&dialog.State().Image[16]), 4752 - 16),
              radio.substr(16, 4752 - 16));
}

TEST_F(DialogTransfers, WriteDialogSendsTheImageAndClosesOnceDone) {
    CraftFile("mine.dat");
    ASSERT_TRUE(LoadDataFile(All(), MacList(), dir.File("mine.dat")));
    test::VirtualRadio sim({"--save", dir.File("radio.dat"), "--sessions", "1"});
    ASSERT_FALSE(sim.Path().empty());
    All().PortName = sim.Path();

    ScriptedMessages messages;
    TfWriteRadio dialog(All());
    dialog.show();
    ASSERT_TRUE(test::WaitFor([&] { return dialog.Port().IsOpen(); }, 5000));
    ClickOk(dialog);
    // As the read dialog does: a second Ok cannot write the radio again unasked.
    ASSERT_TRUE(test::WaitFor([&] { return !dialog.isVisible(); }, 60000));
    EXPECT_EQ(dialog.WritesCompleted(), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Writing Completed.");

    sim.Stop();
    const std::string radio = dir.Read("radio.dat");
    ASSERT_EQ(radio.size(), 4768u);
    // Everything written, the write time included, is the image the dialog stamped.
    EXPECT_EQ(radio.substr(16, 0x1270 - 16),
              std::string(reinterpret_cast<const char*>(&dialog.State().Image[16]), 0x1270 - 16));
}

TEST_F(DialogTransfers, VerificationReadsTheRadioIntoACopyAndTellsWhatDiffers) {
    CraftFile("mine.dat");
    ASSERT_TRUE(LoadDataFile(All(), MacList(), dir.File("mine.dat")));
    // Channel 100's first block acknowledged but not kept: the radio's erased bytes stay.
    const std::string dropped = std::to_string(ChannelFieldAddress(100, 0) / kBlockSize);
    const struct {
        std::vector<std::string> radio;
        std::string outcome; // the start of the last message
    } rows[] = {
        {{}, "Verified: the radio holds what was written."},
        {{"--fault", "drop-write:" + dropped},
         "The radio does not hold what was written:\nchannels[100]."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.outcome);
        test::VirtualRadio sim(row.radio);
        ASSERT_FALSE(sim.Path().empty());
        All().PortName = sim.Path();
        ScriptedMessages messages;
        TALL written;
        {
            TfWriteRadio dialog(All());
            dialog.show();
            ASSERT_TRUE(test::WaitFor([&] { return dialog.Port().IsOpen(); }, 5000));
            ClickOk(dialog);
            ASSERT_TRUE(test::WaitFor([&] { return !dialog.isVisible(); }, 60000));
            ASSERT_EQ(dialog.WritesCompleted(), 1);
            written = dialog.State();
        }
        const auto image = All().Image;
        const bool modified = All().Modified;
        VerifyWrittenImage(written, nullptr);
        EXPECT_EQ(All().Image, image);
        EXPECT_EQ(All().Modified, modified);
        ASSERT_EQ(messages.shown.size(), 2u); // the write's own, then the outcome
        EXPECT_EQ(messages.shown[1].text.rfind(row.outcome, 0), 0u) << messages.shown[1].text;
    }
}

} // namespace
} // namespace zorva
