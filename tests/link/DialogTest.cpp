#include "TestSupport.h"
#include "core/Maindb.h"
#include "link/PtyPair.h"
#include "link/ui/ReadRadio.h"
#include "link/ui/SetPort.h"
#include "link/ui/WriteRadio.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::PtyPair;
using test::TempDir;
using test::WaitFor;

// A started program in a folder of its own.
class DialogTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
    }
    void MapPorts(const std::string& lines) { dir.Write("SysInfo.Ini", "[Ports]\n" + lines); }

    TempDir dir;
};

template <typename T>
T* Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

std::vector<ListedPort> Ports(std::initializer_list<int> numbers) {
    std::vector<ListedPort> ports;
    for (int n : numbers) {
        ports.push_back({n, "COM" + std::to_string(n), "/dev/ttyUSB" + std::to_string(n),
                         n == 1 ? "USB-Serial Controller" : ""});
    }
    return ports;
}

TEST_F(DialogTest, PortDialogOffersListedPortsUpTo20AndStoresTheChoice) {
    All().PortName = "COM4";
    TfSetPort dialog(nullptr, [] { return Ports({1, 4, 25}); });
    EXPECT_EQ(dialog.objectName(), "fSetPort");
    EXPECT_EQ(dialog.windowTitle(), "Communication Port");
    dialog.show();

    for (int n = 1; n <= TfSetPort::kButtons; ++n) {
        auto* button = Child<QRadioButton>(dialog, ("cxPort" + std::to_string(n)).c_str());
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString("COM%1").arg(n));
        EXPECT_EQ(button->isEnabled(), n == 1 || n == 4) << n;
        EXPECT_EQ(button->isChecked(), n == 4) << n;
    }
    EXPECT_EQ(Child<QGroupBox>(dialog, "cxPort")->title(), "Communication Port");
    EXPECT_EQ(Child<QListWidget>(dialog, "cxCom")->count(), 3);
    EXPECT_EQ(dialog.PortButton(1)->toolTip(), "/dev/ttyUSB1\nUSB-Serial Controller");
    EXPECT_EQ(dialog.PortButton(4)->toolTip(), "/dev/ttyUSB4");
    EXPECT_EQ(Child<QLabel>(dialog, "lbName")->text(), "Port:");
    EXPECT_FALSE(Child<QLabel>(dialog, "lbName")->isVisible());

    QTest::mouseClick(dialog.PortButton(1), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(dialog, "btnOk"), Qt::LeftButton);
    EXPECT_EQ(All().PortName, "COM1");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DialogTest, PortDialogCancelAndPortsOutsideItsButtonsKeepTheName) {
    All().PortName = "COM4";
    {
        TfSetPort dialog(nullptr, [] { return Ports({1, 4}); });
        dialog.show();
        QTest::mouseClick(dialog.PortButton(1), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
        EXPECT_EQ(All().PortName, "COM4");
    }
    All().PortName = "COM25";
    TfSetPort dialog(nullptr, [] { return Ports({1, 25}); });
    dialog.show();
    for (int n = 1; n <= TfSetPort::kButtons; ++n)
        EXPECT_FALSE(dialog.PortButton(n)->isChecked()) << n;
    QTest::mouseClick(Child<QPushButton>(dialog, "btnOk"), Qt::LeftButton);
    EXPECT_EQ(All().PortName, "COM25");
}

TEST_F(DialogTest, ScriptedMessagesAnswerAndRecordInsteadOfShowingBoxes) {
    ScriptedMessages messages({kResultYes, kResultRetry});
    EXPECT_EQ(ShowMsg("Confirmation", "Reading Completed.", kMsgInfo), kResultOk);
    EXPECT_EQ(ShowMsg("Confirmation", "Sure?", kMsgYesNo), kResultYes);
    EXPECT_EQ(ShowMsg("Caution", "Again?", kMsgRetryCancel), kResultRetry);
    EXPECT_EQ(ShowMsg("Confirmation", "Sure?", kMsgYesNo), kResultNo);
    EXPECT_EQ(ShowMsg("Caution", "Again?", kMsgRetryCancel), kResultCancel);
    EXPECT_EQ(ShowMsg("Confirmation", "never shown", static_cast<MsgKind>(5)), kResultOk);
    ASSERT_EQ(messages.shown.size(), 5u);
    EXPECT_EQ(messages.shown[0].text, "Reading Completed.");
    EXPECT_EQ(messages.shown[2].caption, "Caution");
    EXPECT_EQ(messages.shown[2].kind, kMsgRetryCancel);
}

// Presses `button` of the message box as soon as it is open.
void AnswerBox(QMessageBox::StandardButton button, QString* shownText) {
    QTimer::singleShot(0, [button, shownText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            AnswerBox(button, shownText);
            return;
        }
        *shownText = box->windowTitle() + "|" + box->text();
        box->button(button)->click();
    });
}

TEST_F(DialogTest, MessageBoxesGiveTheResultsOfTheirKinds) {
    const struct {
        MsgKind kind;
        QMessageBox::StandardButton press;
        int result;
    } rows[] = {
        {kMsgInfo, QMessageBox::Ok, kResultOk},
        {kMsgYesNo, QMessageBox::Yes, kResultYes},
        {kMsgYesNo, QMessageBox::No, kResultNo},
        {kMsgRetryCancel, QMessageBox::Retry, kResultRetry},
        {kMsgRetryCancel, QMessageBox::Cancel, kResultCancel},
    };
    for (const auto& row : rows) {
        QString shown;
        AnswerBox(row.press, &shown);
        EXPECT_EQ(ShowMsg("Bestätigung", "Noch einmal?", row.kind), row.result)
            << static_cast<int>(row.kind);
        EXPECT_EQ(shown, QString::fromUtf8("Bestätigung|Noch einmal?"));
    }
}

TEST_F(DialogTest, TransferWindowsCarryTheirControls) {
    TfReadRadio read(All());
    EXPECT_EQ(read.objectName(), "fReadRadio");
    EXPECT_EQ(read.windowTitle(), "Read data from radio");
    EXPECT_EQ(Child<QProgressBar>(read, "pBar")->maximum(), 296);
    EXPECT_EQ(Child<QPushButton>(read, "btnOk")->text(), "&OK");
    EXPECT_EQ(Child<QPushButton>(read, "btnCancel")->text(), "&Cancel");

    TfWriteRadio write(All());
    EXPECT_EQ(write.objectName(), "fWriteRadio");
    EXPECT_EQ(write.windowTitle(), "Write data to radio");
    EXPECT_EQ(Child<QProgressBar>(write, "pBar")->maximum(), 294);
    EXPECT_EQ(Child<QPushButton>(write, "btnOk")->text(), "&OK");
    EXPECT_EQ(Child<QPushButton>(write, "btnCancel")->text(), "&Cancel");
}

TEST_F(DialogTest, ReadWindowOnAMissingPortSaysSoOnceAndClosesItself) {
    All().PortName = "COM7";
    MapPorts("COM7=/dev/zorva-no-such-device\n");
    const auto image = All().Image;
    All().Modified = false;
    ScriptedMessages messages;

    TfReadRadio dialog(All());
    dialog.show();
    ASSERT_TRUE(WaitFor([&] { return !messages.shown.empty(); }, 1000));
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_TRUE(WaitFor([&] { return !dialog.isVisible(); }, 1000));
    QTest::qWait(50);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Confirmation");
    EXPECT_EQ(messages.shown[0].kind, kMsgInfo);
    EXPECT_EQ(messages.shown[0].text.rfind(Language().PortError, 0), 0u);
    EXPECT_NE(messages.shown[0].text.find("/dev/zorva-no-such-device is not present"),
              std::string::npos);
    EXPECT_FALSE(dialog.ReadCompleted());
    EXPECT_TRUE(All().Image == image);
    EXPECT_FALSE(All().Modified);
}

TEST_F(DialogTest, WriteWindowOnAnUnmappedPortSaysSoOnceAndClosesItself) {
    All().PortName = "COM12";
    ScriptedMessages messages;
    TfWriteRadio dialog(All());
    dialog.show();
    ASSERT_TRUE(WaitFor([&] { return !dialog.isVisible(); }, 1500));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("COM12 is not assigned"), std::string::npos);
}

// Ok starts the exchange on the port; Cancel stops it and frees the port.
TEST_F(DialogTest, OkSendsTheWakeUpAndCancelReleasesThePort) {
    PtyPair pty;
    All().PortName = "COM2";
    MapPorts("COM2=" + pty.SlavePath() + "\n");
    ScriptedMessages messages;

    TfReadRadio dialog(All());
    dialog.show();
    ASSERT_TRUE(WaitFor([&] { return dialog.Port().IsOpen(); }, 1000));
    QTest::mouseClick(Child<QPushButton>(dialog, "btnOk"), Qt::LeftButton);

    std::vector<uint8_t> wire;
    ASSERT_TRUE(WaitFor(
        [&] {
            const auto more = pty.ReadNow();
            wire.insert(wire.end(), more.begin(), more.end());
            return wire.size() >= 8;
        },
        2000));
    EXPECT_EQ(std::string(wire.begin(), wire.begin() + 8), "PROGRAMa");
    EXPECT_FALSE(Child<QPushButton>(dialog, "btnOk")->isEnabled());

    QTest::mouseClick(Child<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.Port().IsOpen());
    // Nothing more goes out once the window is closed; the second wake-up, due 200 ms after
    // the first, has gone out only if the test was slower than that.
    QTest::qWait(300);
    const auto after = pty.ReadNow();
    wire.insert(wire.end(), after.begin(), after.end());
    EXPECT_TRUE(wire.size() == 8 || wire.size() == 16) << wire.size();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(dialog.ReadCompleted());
}

} // namespace
} // namespace zorva
