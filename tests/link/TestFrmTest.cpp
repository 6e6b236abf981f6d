// The power test window driven for real: its sub-range list and start-up state without a
// radio, and Online, Set power and Close through a pseudo-terminal against the virtual radio.
#include "link/ui/TestFrm.h"

#include "TestSupport.h"
#include "VirtualRadioProcess.h"
#include "core/Maindb.h"
#include "link/PtyPair.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"
#include "shell/ui/BuiltInDialogs.h"
#include "shell/ui/MainFrm.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zorva {
namespace {

using test::WaitFor;

template <typename T>
T* Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// The radio's values as the virtual radio starts: 0x50 low, 0xC8 high in every row.
constexpr int kRadioLow = 0x50;
constexpr int kRadioHigh = 0xC8;

// The radio played by the test on the master side of a pseudo-terminal, so that every frame
// is seen: it answers the wake-up, the table reads (row r holds r as its low and 255 - r as
// its high value) and, unless told to keep quiet, the table writes. Serve() runs inside the
// waits, between the window's events.
class PtyRadio {
public:
    using Bytes = std::vector<uint8_t>;

    PtyRadio() {
        for (int row = 0; row < kCalibrationSize / kCalibrationRowSize; ++row) {
            table[CalibrationAddress(row, kLowPowerOffset)] = static_cast<uint8_t>(row);
            table[CalibrationAddress(row, kHighPowerOffset)] = static_cast<uint8_t>(255 - row);
        }
    }
    const std::string& Path() const { return pty_.SlavePath(); }

    void Serve() {
        const Bytes got = pty_.ReadNow();
        pending_.insert(pending_.end(), got.begin(), got.end());
        while (!pending_.empty()) {
            const std::size_t length = pending_[0] == 'P'    ? 8
                                       : pending_[0] == 0x53 ? 4
                                       : pending_[0] == 0x58 ? 5
                                                             : 1;
            if (pending_.size() < length) return;
            const Bytes frame(pending_.begin(), pending_.begin() + length);
            pending_.erase(pending_.begin(), pending_.begin() + length);
            frames.push_back(frame);
            if (frame[0] == 'P') {
                pty_.Send({0x06});
            } else if (frame[0] == 0x53) {
                const int address = frame[1] << 8 | frame[2];
                Bytes reply{0x58, frame[1], frame[2], 0x10};
                reply.insert(reply.end(), table.begin() + address, table.begin() + address + 16);
                pty_.Send(reply);
            } else if (frame[0] == 0x58 && answerWrites) {
                table[frame[1] << 8 | frame[2]] = frame[4];
                pty_.Send({0x06});
            }
        }
    }
    // Serves until `condition` holds or `ms` have passed.
    template <typename Condition>
    bool ServeUntil(Condition condition, int ms) {
        return WaitFor(
            [&] {
                Serve();
                return condition();
            },
            ms);
    }

    CalibrationTable table{};
    bool answerWrites = true;
    std::vector<Bytes> frames;

private:
    test::PtyPair pty_;
    Bytes pending_;
};

class PowerTestWindow : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
    }

    static QString PortPanel(QWidget& window) {
        // Panel 0 is the status bar's first label.
        return Child<QStatusBar>(window, "MainBar")->findChildren<QLabel*>().front()->text();
    }
    // Whether the controls that need the radio's table can be used.
    static std::vector<bool> ValueControlsEnabled(QWidget& window) {
        std::vector<bool> enabled;
        for (const char* name : {"cxFreq_Rang", "cxFreq_Selv", "tbTx0", "tbTx1", "ceTx0", "ceTx1"})
            enabled.push_back(Child<QWidget>(window, name)->isEnabled());
        return enabled;
    }
    static void SelectRange(QWidget& window, const QString& text) {
        auto* tree = Child<QTreeWidget>(window, "cxFreq_Rang");
        const auto found = tree->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        tree->setCurrentItem(found.front());
    }
    // Clicks "Online" and waits for the table.
    static void GoOnline(TfTestFrm& window) {
        QTest::mouseClick(Child<QPushButton>(window, "cxDebug"), Qt::LeftButton);
        ASSERT_TRUE(WaitFor(
            [&] { return window.Engine().TableValid() && !window.Engine().Running(); }, 20000));
    }
    static void WaitUntilSent(TfTestFrm& window) {
        ASSERT_TRUE(window.Engine().Running());
        ASSERT_TRUE(WaitFor([&] { return !window.Engine().Running(); }, 10000));
    }
    // Types `text` into an edit and confirms it with Enter.
    static void TypeValue(QWidget& window, const char* edit, const char* text) {
        auto* spin = Child<QSpinBox>(window, edit);
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, text);
        QTest::keyClick(spin, Qt::Key_Return);
    }
    // The radio's table as a fresh window reads it; the window is then closed with "Close".
    static CalibrationTable ReadRadioTable() {
        TfTestFrm window(All());
        window.show();
        GoOnline(window);
        const CalibrationTable table = window.Engine().Table();
        QTest::mouseClick(Child<QPushButton>(window, "cxClose"), Qt::LeftButton);
        EXPECT_TRUE(WaitFor([&] { return !window.isVisible(); }, 5000));
        EXPECT_FALSE(window.Engine().PortOpen());
        return table;
    }

    test::TempDir dir;
};

TEST_F(PowerTestWindow, OpensWithTheSubRangesAndTheValueControlsDisabled) {
    ScriptedMessages messages;
    TfTestFrm window(All());
    EXPECT_EQ(window.objectName(), "fTestFrm");
    EXPECT_EQ(window.windowTitle(), "Power Test");
    window.show();

    auto* tree = Child<QTreeWidget>(window, "cxFreq_Rang");
    ASSERT_EQ(tree->topLevelItemCount(), 21);
    const auto item = [&](int i) { return tree->topLevelItem(i); };
    EXPECT_EQ(item(0)->text(0), "136.000 -- 140.000MHz");
    EXPECT_EQ(item(4)->text(0), "170.000 -- 174.000MHz");
    EXPECT_EQ(item(5)->text(0), "220.000 -- 230.000MHz");
    EXPECT_EQ(item(8)->text(0), "250.000 -- 260.000MHz");
    EXPECT_EQ(item(9)->text(0), "400.000 -- 410.000MHz");
    EXPECT_EQ(item(20)->text(0), "510.000 -- 520.000MHz");
    EXPECT_EQ(item(0)->data(0, Qt::UserRole).toInt(), 13);
    EXPECT_EQ(item(4)->data(0, Qt::UserRole).toInt(), 17);
    EXPECT_EQ(item(9)->data(0, Qt::UserRole).toInt(), 40);
    EXPECT_FALSE(item(0)->icon(0).isNull());
    EXPECT_EQ(tree->currentItem(), item(0));
    EXPECT_EQ(Child<QLineEdit>(window, "cxFreq_Selv")->text(), "136.000 -- 140.000MHz");

    EXPECT_EQ(ValueControlsEnabled(window), std::vector<bool>(6, false));
    EXPECT_TRUE(Child<QPushButton>(window, "cxDebug")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(window, "cxClose")->isEnabled());
    EXPECT_EQ(PortPanel(window), " COM:  Closed");
    EXPECT_FALSE(Child<QWidget>(window, "fP0")->isVisible());
    EXPECT_FALSE(Child<QWidget>(window, "fP1")->isVisible());
    EXPECT_FALSE(Child<QProgressBar>(window, "cxBar")->isVisible());
    EXPECT_FALSE(window.Engine().PortOpen()); // not before "Online"
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PowerTestWindow, BandThreeInUseIsListedBeforeBandZero) {
    All().BandLow[3] = 350.0;
    All().BandHigh[3] = 400.0;
    TfTestFrm window(All());
    window.show();
    auto* tree = Child<QTreeWidget>(window, "cxFreq_Rang");
    ASSERT_EQ(tree->topLevelItemCount(), 26);
    EXPECT_EQ(tree->topLevelItem(9)->text(0), "350.000 -- 360.000MHz");
    EXPECT_EQ(tree->topLevelItem(9)->data(0, Qt::UserRole).toInt(), 35);
    EXPECT_EQ(tree->topLevelItem(13)->text(0), "390.000 -- 400.000MHz");
    EXPECT_EQ(tree->topLevelItem(14)->text(0), "400.000 -- 410.000MHz");
}

TEST_F(PowerTestWindow, MissingPortIsReportedAndTheWindowStaysUsable) {
    All().PortName = "/dev/zorva-no-such-device";
    ScriptedMessages messages;
    TfTestFrm window(All());
    window.show();
    QTest::mouseClick(Child<QPushButton>(window, "cxDebug"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !messages.shown.empty(); }, 2000));
    QTest::qWait(300);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, kMsgInfo);
    EXPECT_EQ(messages.shown[0].text.rfind(Language().PortError, 0), 0u);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.Engine().PortOpen());
    EXPECT_TRUE(Child<QWidget>(window, "cxAll")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(window, "cxDebug")->isEnabled());
    EXPECT_EQ(ValueControlsEnabled(window), std::vector<bool>(6, false));
    EXPECT_EQ(PortPanel(window), " COM:  Closed");
}

// Online reads the radio's table; a slider moved and released, or a value typed, reaches
// the radio's table at 16 * S + tag; "Close" ends the session and closes the window.
TEST_F(PowerTestWindow, OnlineShowsTheRadiosValuesAndChangedValuesReachTheRadio) {
    test::VirtualRadio sim({});
    ASSERT_FALSE(sim.Path().empty());
    All().PortName = sim.Path();
    ScriptedMessages messages;
    {
        TfTestFrm window(All());
        window.show();
        GoOnline(window);
        EXPECT_EQ(PortPanel(window), " COM: Opened");
        EXPECT_EQ(ValueControlsEnabled(window), std::vector<bool>(6, true));
        EXPECT_TRUE(Child<QWidget>(window, "cxAll")->isEnabled());
        EXPECT_EQ(Child<QWidget>(window, "fSTx")->palette().color(QPalette::Window),
                  QColor(Qt::red));
        auto* low = Child<QSlider>(window, "tbTx0");
        auto* high = Child<QSlider>(window, "tbTx1");
        auto* highEdit = Child<QSpinBox>(window, "ceTx1");
        EXPECT_EQ(low->value(), kRadioLow);
        EXPECT_EQ(high->value(), kRadioHigh);
        EXPECT_EQ(Child<QSpinBox>(window, "ceTx0")->value(), kRadioLow);
        EXPECT_EQ(highEdit->value(), kRadioHigh);

        // A typed value: sub-range 40's high power becomes 120.
        SelectRange(window, "400.000 -- 410.000MHz");
        EXPECT_EQ(Child<QLineEdit>(window, "cxFreq_Selv")->text(), "400.000 -- 410.000MHz");
        EXPECT_FALSE(window.Engine().Running()); // showing a sub-range sends nothing
        TypeValue(window, "ceTx1", "120");
        EXPECT_EQ(high->value(), 120);
        WaitUntilSent(window);
        EXPECT_EQ(window.Engine().Table()[0x028C], 120);

        // The slider moved back to 200 and the mouse released on it.
        high->setValue(200);
        EXPECT_EQ(highEdit->value(), 200);
        EXPECT_TRUE(Child<QWidget>(window, "fP1")->isVisible());
        EXPECT_FALSE(Child<QWidget>(window, "fP0")->isVisible());
        EXPECT_FALSE(window.Engine().Running()); // not before the release
        QTest::mouseRelease(high, Qt::LeftButton, {}, high->rect().center());
        WaitUntilSent(window);
        // A release without a move sends nothing again.
        QTest::mouseRelease(high, Qt::LeftButton, {}, high->rect().center());
        EXPECT_FALSE(window.Engine().Running());

        // The low value of the first sub-range, typed.
        SelectRange(window, "136.000 -- 140.000MHz");
        TypeValue(window, "ceTx0", "33");
        EXPECT_TRUE(Child<QWidget>(window, "fP0")->isVisible());
        EXPECT_FALSE(Child<QWidget>(window, "fP1")->isVisible());
        WaitUntilSent(window);

        QTest::mouseClick(Child<QPushButton>(window, "cxClose"), Qt::LeftButton);
        EXPECT_FALSE(Child<QWidget>(window, "cxAll")->isEnabled());
        ASSERT_TRUE(WaitFor([&] { return !window.isVisible(); }, 5000));
        EXPECT_FALSE(window.Engine().PortOpen());
    }
    EXPECT_TRUE(messages.shown.empty());

    const CalibrationTable radio = ReadRadioTable();
    EXPECT_EQ(radio[0x028C], 200);
    EXPECT_EQ(radio[0x028A], kRadioLow);
    EXPECT_EQ(radio[16 * 13 + 10], 33);
    EXPECT_EQ(radio[16 * 13 + 12], kRadioHigh);
    EXPECT_TRUE(messages.shown.empty());
}

// Typed values outside 0..255 are taken as the nearest bound; neither keys nor the wheel
// move a slider.
TEST_F(PowerTestWindow, TypedValuesAreClampedAndKeysOrWheelDoNotMoveTheSliders) {
    test::VirtualRadio sim({});
    ASSERT_FALSE(sim.Path().empty());
    All().PortName = sim.Path();
    ScriptedMessages messages;
    {
        TfTestFrm window(All());
        window.show();
        GoOnline(window);
        SelectRange(window, "150.000 -- 160.000MHz");

        TypeValue(window, "ceTx1", "300");
        EXPECT_EQ(Child<QSpinBox>(window, "ceTx1")->value(), 255);
        EXPECT_EQ(Child<QSpinBox>(window, "ceTx1")->text(), "255");
        EXPECT_EQ(Child<QSlider>(window, "tbTx1")->value(), 255);
        WaitUntilSent(window);
        TypeValue(window, "ceTx0", "-5");
        EXPECT_EQ(Child<QSpinBox>(window, "ceTx0")->value(), 0);
        EXPECT_EQ(Child<QSpinBox>(window, "ceTx0")->text(), "0");
        EXPECT_EQ(Child<QSlider>(window, "tbTx0")->value(), 0);
        WaitUntilSent(window);

        for (const char* name : {"tbTx0", "tbTx1"}) {
            auto* slider = Child<QSlider>(window, name);
            const int before = slider->value();
            slider->setFocus();
            for (const Qt::Key key :
                 {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                  Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End}) {
                QTest::keyClick(slider, key);
            }
            EXPECT_EQ(slider->value(), before) << name;
            for (const int delta : {120, -120}) {
                QWheelEvent wheel(QPointF(slider->rect().center()), slider->mapToGlobal(QPointF()),
                                  {}, QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                                  Qt::NoScrollPhase, false);
                QApplication::sendEvent(slider, &wheel);
                EXPECT_EQ(slider->value(), before) << name << " wheel " << delta;
            }
            QTest::mouseRelease(slider, Qt::LeftButton, {}, slider->rect().center());
            EXPECT_FALSE(window.Engine().Running()) << name;
        }
        window.reject();
        EXPECT_FALSE(window.Engine().PortOpen());
    }
    const CalibrationTable radio = ReadRadioTable();
    EXPECT_EQ(radio[16 * 15 + 12], 255);
    EXPECT_EQ(radio[16 * 15 + 10], 0);
    EXPECT_TRUE(messages.shown.empty());
}

// Each value is one write between a wake-up and the end command, at 16 * S + tag of the
// selected sub-range; a write the radio leaves unanswered ends, on Cancel, with the port
// closed and the values unusable until the next Online.
TEST_F(PowerTestWindow, SetPowerSendsOneValueAndAnUnansweredOneClosesThePort) {
    PtyRadio radio;
    All().PortName = radio.Path();
    ScriptedMessages messages;
    TfTestFrm window(All());
    window.show();
    QTest::mouseClick(Child<QPushButton>(window, "cxDebug"), Qt::LeftButton);
    ASSERT_TRUE(radio.ServeUntil(
        [&] { return window.Engine().TableValid() && !window.Engine().Running(); }, 20000));
    ASSERT_EQ(radio.frames.size(), 1u + 65u + 1u);
    EXPECT_EQ(radio.frames[66], (PtyRadio::Bytes{0x45}));
    EXPECT_TRUE(window.Engine().Table() == radio.table);

    auto* low = Child<QSlider>(window, "tbTx0");
    auto* high = Child<QSlider>(window, "tbTx1");
    EXPECT_EQ(low->value(), 13); // the first sub-range, 136-140 MHz
    EXPECT_EQ(high->value(), 255 - 13);
    SelectRange(window, "400.000 -- 410.000MHz");
    EXPECT_EQ(low->value(), 40);
    EXPECT_EQ(high->value(), 255 - 40);
    EXPECT_EQ(Child<QSpinBox>(window, "ceTx1")->value(), 255 - 40);
    radio.Serve();
    EXPECT_EQ(radio.frames.size(), 67u); // showing a sub-range sends nothing

    high->setValue(200);
    QTest::mouseRelease(high, Qt::LeftButton, {}, high->rect().center());
    ASSERT_TRUE(radio.ServeUntil([&] { return !window.Engine().Running(); }, 5000));
    ASSERT_EQ(radio.frames.size(), 70u);
    EXPECT_EQ(radio.frames[67].size(), 8u);
    EXPECT_EQ(radio.frames[67][0], 'P');
    EXPECT_EQ(radio.frames[68], (PtyRadio::Bytes{0x58, 0x02, 0x8C, 0x01, 0xC8}));
    EXPECT_EQ(radio.frames[69], (PtyRadio::Bytes{0x45}));
    EXPECT_EQ(radio.table[0x028C], 200);

    radio.answerWrites = false;
    TypeValue(window, "ceTx0", "99");
    ASSERT_TRUE(radio.ServeUntil([&] { return !messages.shown.empty(); }, 4000));
    ASSERT_TRUE(radio.ServeUntil([&] { return !window.Engine().PortOpen(); }, 2000));
    QTest::qWait(20);
    EXPECT_EQ(radio.frames.back(), (PtyRadio::Bytes{0x58, 0x02, 0x8A, 0x01, 99}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, kMsgRetryCancel);
    EXPECT_EQ(PortPanel(window), " COM: Closed");
    EXPECT_TRUE(Child<QWidget>(window, "cxAll")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(window, "cxDebug")->isEnabled());
    EXPECT_EQ(ValueControlsEnabled(window), std::vector<bool>(6, false));
}

// No answer: Retry runs the queue again, Cancel closes the port; the values stay unusable.
TEST_F(PowerTestWindow, SilentRadioAsksRetryOrCancelAndCancelClosesThePort) {
    test::VirtualRadio sim({"--fault", "silent"});
    ASSERT_FALSE(sim.Path().empty());
    All().PortName = sim.Path();
    ScriptedMessages messages({kResultRetry}); // then Cancel
    TfTestFrm window(All());
    window.show();
    QTest::mouseClick(Child<QPushButton>(window, "cxDebug"), Qt::LeftButton);
    // While the queue runs, the progress bar fills status panel 1 and the panel is disabled.
    auto* bar = Child<QProgressBar>(window, "cxBar");
    ASSERT_TRUE(WaitFor([&] { return bar->isVisible(); }, 1000));
    EXPECT_EQ(bar->geometry(), bar->parentWidget()->rect());
    EXPECT_GT(bar->width(), 0);
    EXPECT_EQ(bar->maximum(), 3 + 64);
    EXPECT_FALSE(Child<QWidget>(window, "cxAll")->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return messages.shown.size() == 2; }, 6000));
    ASSERT_TRUE(WaitFor([&] { return !window.Engine().PortOpen(); }, 2000));
    QTest::qWait(50);

    for (const auto& shown : messages.shown) {
        EXPECT_EQ(shown.kind, kMsgRetryCancel);
        EXPECT_EQ(shown.text, Language().ComError);
    }
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(PortPanel(window), " COM: Closed");
    EXPECT_FALSE(Child<QProgressBar>(window, "cxBar")->isVisible());
    EXPECT_TRUE(Child<QWidget>(window, "cxAll")->isEnabled());
    EXPECT_EQ(ValueControlsEnabled(window), std::vector<bool>(6, false));
    EXPECT_NE(Child<QWidget>(window, "fSTx")->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_FALSE(window.Engine().TableValid());
}

TEST_F(PowerTestWindow, MainWindowOpensItWithTestOnline) {
    QApplication::setQuitOnLastWindowClosed(false);
    TfMainFrm form;
    std::vector<std::string> opened;
    form.execDialog = [&](QDialog& dialog) {
        opened.push_back(dialog.objectName().toStdString());
        return int(QDialog::Rejected);
    };
    RegisterPowerTest(form);
    form.RunCommand(cmd::Test);
    EXPECT_EQ(opened, std::vector<std::string>{"fTestFrm"});
}

} // namespace
} // namespace zorva
