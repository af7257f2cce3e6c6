// The trend graph: sampling on graph ticks, the reset rules, the interval entry, the view
// switches.
#include "MainFixture.h"

#include <QScrollBar>
#include <qcustomplot.h>

class Graph : public MainFixture {
protected:
    void SetUp() override {
        MainFixture::SetUp();
        writeStations({1, 2});
        open();
        win->clock = clock.fn();
        gMC_Idx = 1;
        setState(1, "OK");
        figures("250.0", "249.8", "45.5");
        // Check boxes take clicks only where they are laid out.
        win->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(win.get()));
    }
    void setState(int idx, const char* s) { link()->sprdStatus.setText(3, idx + 1, s); }
    void figures(const char* sv, const char* pv, const char* mv) {
        child<QLabel>("lblSV")->setText(sv);
        child<QLabel>("lblPV")->setText(pv);
        child<QLabel>("lblMV")->setText(mv);
    }
    void start() {
        auto* b = child<QPushButton>("btnStart");
        ASSERT_EQ(b->text(), "&Start Graph");
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void tick() {
        win->tmrDispGraph_Timer();
        clock.now = clock.now.addSecs(1);
    }
    TrendChart* chart() const { return win->chart(); }
    TestClock clock;
};

TEST_F(Graph, TitlesLegendsAndAxes) {
    EXPECT_EQ(chart()->legend(0), "SV");
    EXPECT_EQ(chart()->legend(1), "PV");
    EXPECT_EQ(chart()->legend(2), "MV");
    EXPECT_FALSE(chart()->onRightAxis(0));
    EXPECT_FALSE(chart()->onRightAxis(1));
    EXPECT_TRUE(chart()->onRightAxis(2));
    EXPECT_EQ(chart()->axisTitle("left"), "Temp");
    EXPECT_EQ(chart()->axisTitle("right"), "MV");
    EXPECT_EQ(chart()->axisTitle("bottom"), "Time");
    EXPECT_EQ(chart()->pointCount(), TrendChart::kResetPoints);
    for (int p = 0; p < TrendChart::kResetPoints; ++p)
        EXPECT_EQ(chart()->value(1, p), 0.0);
}

TEST_F(Graph, FirstSampleGivesTwoEqualPointsOneSecondApart) {
    start();
    EXPECT_TRUE(win->mGrpRun);
    EXPECT_EQ(child<QPushButton>("btnStart")->text(), "&Stop");
    tick();
    EXPECT_EQ(win->mGrpCount, 1);
    ASSERT_EQ(chart()->pointCount(), 2);
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(chart()->key(s, 0), 0.0);
        EXPECT_EQ(chart()->key(s, 1), 1.0);
        EXPECT_EQ(chart()->value(s, 0), chart()->value(s, 1));
    }
    EXPECT_EQ(chart()->value(0, 1), 250.0);
    EXPECT_EQ(chart()->value(1, 1), 249.8);
    EXPECT_EQ(chart()->value(2, 1), 45.5);
    EXPECT_EQ(chart()->label(0), "09:05:02");
    EXPECT_EQ(chart()->label(1), "09:05:03");

    figures("251", "250.1", "0.0");
    tick();
    ASSERT_EQ(chart()->pointCount(), 3);
    EXPECT_EQ(chart()->value(0, 2), 251.0);
    EXPECT_EQ(chart()->value(1, 2), 250.1);
    EXPECT_EQ(chart()->value(2, 2), 0.0);
    EXPECT_EQ(chart()->label(2), "09:05:04");
    EXPECT_EQ(chart()->value(1, 1), 249.8); // earlier points untouched
}

TEST_F(Graph, SamplesOnlyWhenThePolledStationReadsOK) {
    start();
    tick();
    tick();
    ASSERT_EQ(chart()->pointCount(), 3);
    for (const char* state : {"NG", "", "ok"}) {
        setState(1, state);
        tick();
        EXPECT_EQ(win->mGrpCount, 2) << state;
        EXPECT_EQ(chart()->pointCount(), 3) << state;
    }
    // The cell read is that of the station being polled now, not of the selected one.
    gMC_Idx = 0;
    setState(0, "OK");
    tick();
    EXPECT_EQ(win->mGrpCount, 3);
    EXPECT_EQ(chart()->pointCount(), 4);
    // An index outside the table samples nothing and does not fail.
    gMC_Idx = 5;
    tick();
    EXPECT_EQ(chart()->pointCount(), 4);
}

TEST_F(Graph, StoppedGraphKeepsPointsAndRestartClearsThem) {
    start();
    tick();
    tick();
    QTest::mouseClick(child<QPushButton>("btnStart"), Qt::LeftButton);
    EXPECT_FALSE(win->mGrpRun);
    EXPECT_EQ(child<QPushButton>("btnStart")->text(), "&Start Graph");
    tick();
    EXPECT_EQ(win->mGrpCount, 0);
    EXPECT_EQ(chart()->pointCount(), 3);
    start();
    EXPECT_EQ(chart()->pointCount(), TrendChart::kResetPoints);
    EXPECT_EQ(chart()->value(1, 1), 0.0);
    tick();
    EXPECT_EQ(chart()->pointCount(), 2);
}

TEST_F(Graph, PortOpenStateStopsSamplingButLeavesTheCaption) {
    start();
    tick();
    tick();
    win->SetOnlineState(true);
    EXPECT_FALSE(win->mGrpRun);
    EXPECT_EQ(win->mGrpCount, 0);
    EXPECT_EQ(chart()->pointCount(), TrendChart::kResetPoints);
    auto* b = child<QPushButton>("btnStart");
    EXPECT_EQ(b->text(), "&Stop");
    tick();
    EXPECT_EQ(chart()->pointCount(), TrendChart::kResetPoints);
    QTest::mouseClick(b, Qt::LeftButton); // only turns the caption back
    EXPECT_EQ(b->text(), "&Start Graph");
    EXPECT_FALSE(win->mGrpRun);
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_TRUE(win->mGrpRun);
    tick();
    EXPECT_EQ(chart()->pointCount(), 2);
}

TEST_F(Graph, TickRestartsTheGraphTimer) {
    win->tmrDispGraph.stop();
    win->tmrDispGraph_Timer();
    EXPECT_TRUE(win->tmrDispGraph.isActive());
}

TEST_F(Graph, IntervalEntryIsLimitedAndConfirmed) {
    auto* txt = child<QLineEdit>("txtGrpInterval");
    const std::pair<const char*, const char*> limits[] = {
        {"0", "1"},   {"75", "60"},   {"-3", "1"},  {"abc", "1"},
        {"30", "30"}, {"60.5", "60"}, {"0.5", "1"}, {"2.5", "2.5"}};
    for (const auto& [typed, shown] : limits) {
        txt->setText(typed);
        EXPECT_EQ(txt->text(), shown) << typed;
    }
    const std::pair<const char*, int> confirmed[] = {
        {"2.5", 2500}, {"60", 60000}, {"1", 1000}, {"7", 7000}, {"1.0005", 1000}};
    for (const auto& [typed, ms] : confirmed) {
        txt->setText(typed);
        QTest::keyClick(txt, Qt::Key_Return);
        EXPECT_EQ(win->tmrDispGraph.interval(), ms) << typed;
    }
}

TEST_F(Graph, ThreeDimensionalViewDrawsDepth) {
    start();
    for (int i = 0; i < 30; ++i) {
        figures(QByteArray::number(200 + i).constData(),
                QByteArray::number(150 + 2 * i).constData(), QByteArray::number(i).constData());
        tick();
    }
    chart()->resize(600, 300);
    chart()->plot()->resize(600, 280);
    chart()->plot()->replot();
    const QImage flat = chart()->plot()->toPixmap(600, 280).toImage();
    auto* chb = child<QCheckBox>("chb3D");
    QTest::mouseClick(chb, Qt::LeftButton);
    ASSERT_TRUE(chb->isChecked());
    EXPECT_TRUE(chart()->is3D());
    chart()->plot()->replot();
    const QImage deep = chart()->plot()->toPixmap(600, 280).toImage();
    int differing = 0;
    for (int y = 0; y < flat.height(); ++y)
        for (int x = 0; x < flat.width(); ++x)
            if (flat.pixel(x, y) != deep.pixel(x, y)) ++differing;
    EXPECT_GT(differing, 1000); // a shadow band under each line, not a stray pixel
    QTest::mouseClick(chb, Qt::LeftButton);
    EXPECT_FALSE(chart()->is3D());
    chart()->plot()->replot();
    EXPECT_EQ(chart()->plot()->toPixmap(600, 280).toImage(), flat);
    EXPECT_EQ(chart()->pointCount(), 31);
}

TEST_F(Graph, ScrollSwitchTogglesFollowingAndWholeHistory) {
    start();
    for (int i = 0; i < 400; ++i)
        tick();
    const int last = chart()->pointCount() - 1;
    ASSERT_EQ(last, 400);
    auto* chb = child<QCheckBox>("chbScroll");
    ASSERT_TRUE(chart()->scrolling());
    EXPECT_EQ(chart()->viewUpper(), last);
    EXPECT_GT(chart()->viewLower(), 0);
    EXPECT_FALSE(chart()->scrollBar()->isHidden());
    // Going back with the scroll bar stops following; new points do not move the view.
    chart()->scrollBar()->setValue(10);
    EXPECT_EQ(chart()->viewLower(), 10);
    tick();
    EXPECT_EQ(chart()->viewLower(), 10);
    chart()->scrollBar()->setValue(chart()->scrollBar()->maximum());
    tick();
    EXPECT_EQ(chart()->viewUpper(), chart()->pointCount() - 1);

    QTest::mouseClick(chb, Qt::LeftButton);
    EXPECT_FALSE(chart()->scrolling());
    EXPECT_EQ(chart()->viewLower(), 0);
    EXPECT_EQ(chart()->viewUpper(), chart()->pointCount() - 1);
    EXPECT_TRUE(chart()->scrollBar()->isHidden());
    tick();
    EXPECT_EQ(chart()->viewUpper(), chart()->pointCount() - 1);
    // The switch toggles the chart's own state, whatever the box shows.
    chb->setChecked(true);
    QTest::mouseClick(chb, Qt::LeftButton);
    EXPECT_TRUE(chart()->scrolling());
}

TEST_F(Graph, TimeAxisZoomsAndPansOnly) {
    auto* rect = chart()->plot()->axisRect();
    EXPECT_TRUE(chart()->plot()->interactions().testFlag(QCP::iRangeDrag));
    EXPECT_TRUE(chart()->plot()->interactions().testFlag(QCP::iRangeZoom));
    EXPECT_EQ(rect->rangeDrag(), Qt::Horizontal);
    EXPECT_EQ(rect->rangeZoom(), Qt::Horizontal);
}

TEST_F(Graph, TickLabelsAreTheStoredTimes) {
    start();
    for (int i = 0; i < 5; ++i)
        tick();
    QCPAxisTicker* t = chart()->plot()->xAxis->ticker().data();
    QVector<double> ticks;
    QVector<QString> labels;
    t->generate(QCPRange(0, 5), QLocale::c(), QLatin1Char('g'), 6, ticks, nullptr, &labels);
    ASSERT_FALSE(ticks.isEmpty());
    for (int i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i], std::round(ticks[i])); // whole points only
        EXPECT_EQ(labels[i], chart()->label(static_cast<int>(ticks[i])));
    }
    EXPECT_EQ(chart()->label(5), "09:05:07");
}
