// The main window end to end: the real serial port over a pseudo-terminal against kx5sim,
// opened through its command, with real timers.
#include "link/mdlKX5.h"
#include "monitor/frmKX5_Main.h"
#include "settings/ConfigFiles.h"
#include "sim/SimLine.h"
#include "ui/MsgBox.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MainPty : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        resetDataImage();
        ASSERT_TRUE(dir.isValid());
        setProgramDir(dir.path());
    }
    void TearDown() override {
        win.reset();
        setProgramDir(QString());
    }
    QTemporaryDir dir;
    std::unique_ptr<frmKX5_Main> win;
};

} // namespace

TEST_P(MainPty, PortCommandBringsTheSimulatorsPVOntoTheWindow) {
    const bool sum = GetParam();
    kx5sim::LineConfig cfg;
    cfg.stations = {1, 2};
    cfg.mode = sum ? kx5sim::Mode::Sum : kx5sim::Mode::Std;
    kx5sim::SimLine sim(cfg);
    std::string err;
    ASSERT_TRUE(sim.start(&err)) << err;
    // Station 1 measures a thermocouple in Fahrenheit with one decimal (INP 20, UNIT 1).
    ASSERT_TRUE(sim.writeRegister(1, 610, 20));
    ASSERT_TRUE(sim.writeRegister(1, 611, 1));

    const QString port = QString::fromStdString(sim.path());
    QStringList env;
    for (int n = 1; n <= 99; ++n)
        env << (n <= 2 ? QStringLiteral("O\tOven") : QStringLiteral("X\t"));
    QDir().mkpath(dir.path() + "/CFG");
    ASSERT_TRUE(writeLinesAtomic(commCfgPath(), {port, "9600", "N", "8", "1", sum ? "SUM" : "STD"},
                                 nullptr));
    ASSERT_TRUE(writeLinesAtomic(setEnvPath(), env, nullptr));

    win = std::make_unique<frmKX5_Main>();
    win->show();
    auto* open = win->findChild<QPushButton*>("btnMenu_3");
    auto* pv = win->findChild<QLabel*>("lblPV");
    auto* unit = win->findChild<QLabel*>("lblUnit_0");
    ASSERT_TRUE(open && pv && unit);
    QTest::mouseClick(open, Qt::LeftButton);
    ASSERT_EQ(open->text(), "Port Close");

    const QRegularExpression oneDecimal("^-?\\d+\\.\\d$");
    ASSERT_TRUE(QTest::qWaitFor([&] { return oneDecimal.match(pv->text()).hasMatch(); }, 15000))
        << qPrintable(pv->text()) << " " << qPrintable(win->link()->panel(4));
    EXPECT_EQ(win->findChild<QLabel*>("lblMC_No")->text(), "1");
    EXPECT_EQ(unit->text().toStdString(), "℉");
    // The process moves and carries noise: the shown PV is near what the station holds now.
    const double held = sim.readRegister(1, 1) / 10.0;
    EXPECT_NEAR(val(pv->text()), held, 5.0);
    EXPECT_EQ(win->link()->sprdStatus.text(2, 1), "KX5-105");

    // Closing through the same command, then leaving with "Yes".
    QTest::mouseClick(open, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return open->text() == "Port Open"; }, 5000));
    setMsgBoxHandler([](const QString&, const QString&, QMessageBox::StandardButtons) {
        return QMessageBox::Yes;
    });
    EXPECT_TRUE(win->close());
    setMsgBoxHandler({});
}

INSTANTIATE_TEST_SUITE_P(Modes, MainPty, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "SUM" : "STD"; });
