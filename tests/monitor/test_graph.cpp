// Trend-graph sampling, resets, view switches, interval; the data log is test_datalog's.
#include "MainFixture.h"
#include "monitor/TrendChart.h"

#include <QCheckBox>
#include <QScrollBar>
#include <qcustomplot.h>

class Graph : public MainFixture {
protected:
    void SetUp() override {
        MainFixture::SetUp();
        build({1, 2}, 2);
        link()->gMC_No = 2;
        figures(250.0, 249.8, 45.5);
        win->show(); // check boxes take clicks only where they are laid out
        ASSERT_TRUE(QTest::qWaitForWindowExposed(win.get()));
    }
    // Station 2's monitor reply with these figures (one decimal: INP 2), as the link stores it.
    void figures(double sv, double pv, double mv) {
        std::vector<int> v(19, 0);
        v[0] = 2, v[3] = qRound(pv * 10), v[4] = qRound(sv * 10), v[7] = qRound(mv * 10);
        link()->StoreMonitorReply(1, drrReply(2, v));
    }
    int tick(int n = 1) { // the points on the chart after n ticks
        for (int i = 0; i < n; ++i, now = now.addSecs(1))
            win->tmrDispGraph_Timer();
        return chart()->pointCount();
    }
    TrendChart* chart() const { return win->chart(); }
    QImage picture() const { return chart()->plot()->toPixmap(600, 280).toImage(); }
};

TEST_F(Graph, SamplesTheFiguresWhileThePolledStationAnswers) {
    press("btnStart");
    ASSERT_EQ(tick(), 2); // the first sample gives two equal points, a second apart
    EXPECT_EQ(QStringList({chart()->label(0), chart()->label(1)}),
              QStringList({"09:05:02", "09:05:03"}));
    figures(251, 250.1, 0);
    tick();
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(chart()->value(s, 0), chart()->value(s, 1));
        EXPECT_EQ(chart()->key(s, 2), 2.0);
    }
    EXPECT_EQ(chart()->value(1, 1), 249.8);
    EXPECT_EQ(chart()->value(1, 2), 250.1);
    // The polled station misses a reply: no point while it reads NG.
    sent();
    link()->tmrRecvErr_Timer();
    ASSERT_EQ(link()->connState(link()->gMC_Idx), ConnState::NG);
    EXPECT_EQ(tick(), 3);
    link()->gMC_Idx = 1 - link()->gMC_Idx; // the state read is the polled station's
    EXPECT_EQ(tick(), 4);
    link()->gMC_Idx = 5; // outside the table: nothing, and no failure
    EXPECT_EQ(tick(), 4);
}

TEST_F(Graph, StopKeepsThePointsAndRestartOrThePortOpenStateClearsThem) {
    const int reset = TrendChart::kResetPoints;
    press("btnStart");
    tick(2);
    press("btnStart");
    EXPECT_EQ(tick(), 3);
    press("btnStart");
    EXPECT_EQ(chart()->pointCount(), reset);
    tick(2);
    // Going online stops sampling but leaves the caption: the next press only turns it back.
    win->SetOnlineState(true);
    EXPECT_EQ(tick(), reset);
    press("btnStart");
    EXPECT_EQ(child<QPushButton>("btnStart")->text(), "&Start Graph");
    EXPECT_EQ(tick(), reset);
    press("btnStart");
    EXPECT_EQ(tick(), 2);
}

TEST_F(Graph, ViewSwitchesAsDrawnAndTheIntervalEntry) {
    press("btnStart");
    for (int i = 0; i < 400; ++i) {
        figures(200 + i % 30, 150 + 2 * (i % 30), i % 30);
        tick();
    }
    const QImage flat = picture();
    press("chb3D");
    EXPECT_NE(picture(), flat);
    press("chb3D");
    EXPECT_EQ(picture(), flat);
    // Scrolling follows the newest points until the user scrolls back; off shows them all.
    EXPECT_EQ(chart()->viewUpper(), 400);
    chart()->scrollBar()->setValue(10);
    tick();
    EXPECT_EQ(chart()->viewLower(), 10);
    press("chbScroll");
    EXPECT_EQ(std::pair(chart()->viewLower(), chart()->viewUpper()), std::pair(0.0, 401.0));
    EXPECT_TRUE(chart()->scrollBar()->isHidden());
    child<QCheckBox>("chbScroll")->setChecked(true); // the switch toggles, whatever the box shows
    press("chbScroll");
    EXPECT_TRUE(chart()->scrolling());
    auto* txt = child<QLineEdit>("txtGrpInterval");
    for (const auto& [typed, shown] :
         {std::pair{"0", "1"}, {"75", "60"}, {"abc", "1"}, {"60.5", "60"}, {"2.5", "2.5"}}) {
        txt->setText(typed);
        EXPECT_EQ(txt->text(), shown) << typed;
    }
    for (const auto& [typed, ms] : {std::pair{"2.5", 2500}, {"60", 60000}, {"1.0005", 1000}}) {
        txt->setText(typed);
        QTest::keyClick(txt, Qt::Key_Return);
        EXPECT_EQ(win->tmrDispGraph.interval(), ms) << typed;
    }
}

TEST_F(Graph, ExportsAsPngAndPdf) {
    build({1});
    TrendChart* chart = win->chart();
    chart->resize(600, 300);
    QString error;
    ASSERT_TRUE(chart->exportImage(path("g.png"), &error)) << error.toStdString();
    EXPECT_EQ(QImage(path("g.png")).size(), chart->plot()->size());
    ASSERT_TRUE(chart->exportImage(path("g.PDF"), &error)) << error.toStdString();
    EXPECT_TRUE(readFile(path("g.PDF")).startsWith("%PDF"));
    EXPECT_FALSE(chart->exportImage(path("none/g.png"), &error));
    EXPECT_TRUE(error.contains("none")) << error.toStdString();
}
