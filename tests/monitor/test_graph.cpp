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
        build({1, 2}, 2, 2); // station 2 selected
        win->show();         // check boxes take clicks only where they are laid out
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

// Points come from the selected station's own values while they are current, the first being
// its first reply, whatever the station being polled does; then stop, restart and reopen, the
// view switches and the interval entry, and Port Close.
TEST_F(Graph, SamplesTheSelectedStationsOwnValuesWhileCurrentAndFollowsItsSwitches) {
    press("btnStart");
    EXPECT_EQ(tick(2), 0); // no reply yet: nothing drawn, no ramp up from zero
    figures(250.0, 249.8, 45.5);
    ASSERT_EQ(tick(), 2); // the first sample gives two equal points, a second apart
    EXPECT_EQ(QStringList({chart()->label(0), chart()->label(1)}),
              QStringList({"09:05:04", "09:05:05"}));
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(chart()->value(s, 0), (std::array{250.0, 249.8, 45.5}[size_t(s)]));
    EXPECT_EQ(chart()->staleNote(), "");
    // The lines say whose they are, by the description the user gave the station.
    EXPECT_TRUE(chart()->title().contains("Oven")) << chart()->title().toStdString();
    EXPECT_EQ(text("lblMC_Name"), "Oven");
    // Station 1 goes silent: station 2 keeps its points.
    for (int k = 0; k < 6 && link()->connState(0) != ConnState::NG; ++k) {
        pollAt(1);
        sent();
        link()->fire(LinkTimer::RecvErr);
    }
    ASSERT_EQ(link()->connState(0), ConnState::NG);
    figures(251, 250.1, 0);
    EXPECT_EQ(tick(2), 4);
    EXPECT_EQ(chart()->value(1, 3), 250.1);
    // Stopped, the chart keeps its points; started again, afresh.
    press("btnStart");
    EXPECT_EQ(tick(), 4);
    press("btnStart");
    EXPECT_EQ(chart()->pointCount(), 0);
    tick(2);
    // The port back online (opened again, or a lost port reopened): the chart starts afresh,
    // and a graph left running draws again by itself; a stopped one stays stopped.
    win->SetOnlineState(false);
    win->SetOnlineState(true);
    EXPECT_EQ(chart()->pointCount(), 0);
    EXPECT_EQ(tick(), 2);
    EXPECT_TRUE(win->trend()->mGrpRun);
    press("btnStart");
    win->SetOnlineState(true);
    EXPECT_EQ(tick(), 0);
    press("btnStart");
    EXPECT_EQ(tick(), 2);
    // Stopped and started again, afresh: the view switches and the interval entry.
    press("btnStart");
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
    const std::tuple<const char*, const char*, int> entries[] = {
        {"0", "1", 1000},      {"75", "60", 60000},  {"abc", "1", 1000},
        {"60.5", "60", 60000}, {"2.5", "2.5", 2500}, {"1.0005", "1.0005", 1000}};
    for (const auto& [typed, shown, ms] : entries) {
        txt->setText(typed);
        EXPECT_EQ(txt->text(), shown) << typed;
        QTest::keyClick(txt, Qt::Key_Return);
        EXPECT_EQ(win->tmrDispGraph.interval(), ms) << typed;
    }
    // Port Close: no more points, and the lines drawn say they are not current.
    const int drawn = chart()->pointCount();
    const QImage live = picture();
    press("btnMenu_3");
    link()->fire(LinkTimer::Send);
    ASSERT_EQ(link()->phase(), KX5Link::Phase::Closed);
    EXPECT_EQ(tick(), drawn);
    EXPECT_NE(chart()->staleNote(), "");
    EXPECT_NE(picture(), live);
    // Started afresh while nothing new comes: an empty graph claims no time.
    press("btnStart");
    press("btnStart");
    EXPECT_EQ(tick(), 0);
    EXPECT_EQ(chart()->staleNote(), "");
}
