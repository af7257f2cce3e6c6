// The line scan over a pseudo-terminal against kx5sim: stations found only at the setting
// they answer at, by what the simulator heard. The scanner's own rules are test_scan's.
#include "link/LineScanner.h"
#include "link/QtSerialPort.h"
#include "sim/SimLine.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(LineScanPty, FindsTheStationsAt2400SumAmongSilentNumbers) {
    kx5sim::LineConfig cfg;
    cfg.stations = {3, 17, 99};
    cfg.mode = kx5sim::Mode::Sum;
    cfg.baud = 2400;
    cfg.strictRate = true;
    kx5sim::SimLine sim(cfg);
    std::string err;
    ASSERT_TRUE(sim.start(&err)) << err;

    LineScanner scanner(std::make_unique<QtSerialPort>());
    scanner.setPortName(QString::fromStdString(sim.path()));
    scanner.setFastPacing(true);
    const std::vector<int> numbers = {2, 3, 17, 50, 99};
    scanner.setNumbers(numbers);
    QSignalSpy done(&scanner, &LineScanner::finished);
    const auto settings = LineScanner::allSettings(ScanSetting{});
    ASSERT_EQ(settings.size(), 8u);
    ASSERT_TRUE(scanner.start(settings).isNone());
    ASSERT_TRUE(done.wait(scanner.boundMs(settings) * 2));
    EXPECT_FALSE(done[0][0].toBool());
    EXPECT_TRUE(done[0][1].value<ScanProblem>().isNone());

    std::vector<int> found;
    for (const ScanFind& f : scanner.finds()) {
        found.push_back(f.mcNo);
        EXPECT_EQ(f.setting.text(), "2400,N,8,1 SUM");
        EXPECT_EQ(f.model, "KX5-105");
    }
    EXPECT_EQ(found, (std::vector<int>{3, 17, 99}));
    // Every number asked once at every setting, only ever the model query, and a model
    // answer went back only to the stations on the line.
    const auto ex = sim.exchanges();
    EXPECT_EQ(ex.size(), numbers.size() * settings.size());
    int answered = 0;
    for (const auto& e : ex) {
        EXPECT_EQ(e.request.substr(3, 3), "WHO");
        answered += e.reply.find(",OK,") != std::string::npos;
    }
    EXPECT_EQ(answered, 3);
}
