// The trend of several stations: each picked station keeps its own points across a station
// switch in the main window and a port closed and opened again, with a gap while its values are
// not current; at most eight stations. The main trend is test_graph's.
#include "MainFixture.h"
#include "monitor/MultiTrendWindow.h"

#include <QAction>
#include <cmath>

class MultiTrendTest : public MainFixture {};

TEST_F(MultiTrendTest, EachStationKeepsItsPointsAcrossSwitchesAndAReopen) {
    build({1, 2, 3, 4, 5, 6, 7, 8, 9}, 3);
    win->findChild<QAction*>(QStringLiteral("mOnlineMultiTrend"))->trigger();
    auto* w = child<MultiTrendWindow>("MultiTrend");
    w->tmrSample.stop();
    for (int mc : {1, 3})
        EXPECT_TRUE(w->pick(mc, true));
    const auto tick = [&](const char* s1, const char* s3) {
        store(1, s1);
        store(3, s3);
        now = now.addSecs(1);
        w->tmrSample_Timer();
    };
    tick("3 0 0 1000 2000 0 0 100", "3 0 0 3000 4000 0 0 300");
    win->sprdStatus_Click(StatusCol::MC_No, 2); // another station shown in the main window
    tick("3 0 0 1010 2000 0 0 100", "3 0 0 3010 4000 0 0 300");
    // The port closed: no reading is current, each station gets a gap.
    link()->ClosePort();
    now = now.addSecs(1);
    w->tmrSample_Timer();
    openPort(9, 3);
    tick("3 0 0 1020 2000 0 0 100", "3 0 0 3020 4000 0 0 300");
    // Station 1 read in ℉, then past the model's age by the next tick: a gap, and its legend
    // keeps the unit of its plotted points (℉ here has no decimal); station 3, read since, plots.
    store(1, "3 1 0 1030 2000 0 0 100");
    link()->line().setClock([] { return qint64(1) << 40; });
    link()->line().checkAges();
    store(3, "3 0 0 3030 4000 0 0 300");
    now = now.addSecs(1);
    w->tmrSample_Timer();
    EXPECT_EQ(w->trend().series()[0].unit, QStringLiteral("℃"));
    tick("3 1 0 1040 2000 0 0 100", "3 0 0 3040 4000 0 0 300");
    const auto& series = w->trend().series();
    ASSERT_EQ(series.size(), 2u);
    const auto pv = [&](size_t s) {
        QStringList out;
        for (double v : series[s].pv)
            out << (std::isnan(v) ? QStringLiteral("-") : QString::number(v));
        return out.join(' ');
    };
    EXPECT_EQ(pv(0), "100 101 - 102 - 1040");
    EXPECT_EQ(pv(1), "300 301 - 302 303 304");
    // Eight at most.
    for (int mc : {2, 4, 5, 6, 7, 8})
        EXPECT_TRUE(w->pick(mc, true)) << mc;
    EXPECT_FALSE(w->pick(9, true));
    EXPECT_EQ(series.size(), 8u);
    const QString csv = path("trend.csv");
    QString why;
    ASSERT_TRUE(w->exportCsv(csv, &why)) << why.toStdString();
    const QList<QByteArray> lines = readFile(csv).split('\n');
    EXPECT_EQ(lines.size(), 1 + 6 + 1); // heading, six ticks, the end of the last line
    EXPECT_EQ(lines[0].count(','), 8 * 3);
}
