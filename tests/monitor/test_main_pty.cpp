// End to end against kx5sim over a pty; each step on the way is the other files' and tests/link's.
#include "link/mdlKX5.h"
#include "services/LineStatus.h"
#include "tests/monitor/SimWindow.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTableView>

// In SUM mode: the window never sees the protocol, and STD is tests/link's and tests/params'.
class MainPty : public ::testing::Test, protected SimWindow {};

TEST_F(MainPty, PortCommandBringsTheSimulatorsPVOntoTheWindow) {
    startSim({1, 2}, true);
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
