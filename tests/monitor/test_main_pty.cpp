// End to end against kx5sim over a pty; each step on the way is the other files' and tests/link's.
#include "app/LineServices.h"
#include "link/mdlKX5.h"
#include "monitor/LineStatus.h"
#include "monitor/frmKX5_Main.h"
#include "settings/ConfigFiles.h"
#include "sim/SimLine.h"
#include "tests/monitor/SimSettings.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

class MainPty : public ::testing::TestWithParam<bool> {};

TEST_P(MainPty, PortCommandBringsTheSimulatorsPVOntoTheWindow) {
    QTemporaryDir dir;
    setProgramDir(dir.path());
    kx5sim::LineConfig cfg;
    cfg.stations = {1, 2};
    cfg.mode = GetParam() ? kx5sim::Mode::Sum : kx5sim::Mode::Std;
    kx5sim::SimLine sim(cfg);
    std::string err;
    ASSERT_TRUE(sim.start(&err)) << err;
    // Station 1 measures a thermocouple in Fahrenheit with one decimal (INP 20, UNIT 1).
    ASSERT_TRUE(sim.writeRegister(1, 610, 20) && sim.writeRegister(1, 611, 1));
    ASSERT_TRUE(writeSimSettings(sim, {1, 2}, GetParam()));

    LineServices services; // outlives the window
    auto win = std::make_unique<frmKX5_Main>(services.parts(), loadStartSettings());
    win->show();
    auto* pv = win->findChild<QLabel*>("lblPV");
    QTest::mouseClick(win->findChild<QPushButton*>("btnMenu_3"), Qt::LeftButton);
    const QRegularExpression oneDecimal("^-?\\d+\\.\\d$");
    ASSERT_TRUE(QTest::qWaitFor([&] { return oneDecimal.match(pv->text()).hasMatch(); }, 15000))
        << qPrintable(pv->text()) << " " << int(services.status()->message().source);
    EXPECT_EQ(win->findChild<QLabel*>("lblMC_No")->text(), "1");
    EXPECT_EQ(win->findChild<QLabel*>("lblUnit_0")->text().toStdString(), "℉");
    // The process moves and carries noise: the shown PV is near what the station holds now.
    EXPECT_NEAR(val(pv->text()), sim.readRegister(1, 1) / 10.0, 5.0);
    const auto* table = win->findChild<QTableView*>("sprdStatus");
    EXPECT_EQ(table->model()->index(0, 1).data().toString(), "KX5-105");
    win.reset();
    setProgramDir(QString());
}

INSTANTIATE_TEST_SUITE_P(Modes, MainPty, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "SUM" : "STD"; });
