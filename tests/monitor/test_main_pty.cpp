// End to end against kx5sim over a pty; each step on the way is the other files' and tests/link's.
#include "link/mdlKX5.h"
#include "services/LineStatus.h"
#include "tests/monitor/SimWindow.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTableView>

class MainPty : public ::testing::TestWithParam<bool>, protected SimWindow {};

TEST_P(MainPty, PortCommandBringsTheSimulatorsPVOntoTheWindow) {
    startSim({1, 2}, GetParam());
    // Station 1 measures a thermocouple in Fahrenheit with one decimal (INP 20, UNIT 1).
    ASSERT_TRUE(sim->writeRegister(1, 610, 20) && sim->writeRegister(1, 611, 1));
    openWindow();
    auto* pv = win->findChild<QLabel*>("lblPV");
    const QRegularExpression oneDecimal("^-?\\d+\\.\\d$");
    ASSERT_TRUE(QTest::qWaitFor([&] { return oneDecimal.match(pv->text()).hasMatch(); }, 15000))
        << qPrintable(pv->text()) << " " << int(services->status()->message().source);
    EXPECT_EQ(win->findChild<QLabel*>("lblMC_No")->text(), "1");
    EXPECT_EQ(win->findChild<QLabel*>("lblUnit_0")->text().toStdString(), "℉");
    // The process moves and carries noise: the shown PV is near what the station holds now.
    EXPECT_NEAR(val(pv->text()), sim->readRegister(1, 1) / 10.0, 5.0);
    const auto* table = win->findChild<QTableView*>("sprdStatus");
    EXPECT_EQ(table->model()->index(0, 1).data().toString(), "KX5-105");
}

INSTANTIATE_TEST_SUITE_P(Modes, MainPty, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "SUM" : "STD"; });
