// The live display: units and decimals, every lamp's bit, the recorder-key colours and the
// print speed, and that steady values repaint nothing.
#include "MainFixture.h"
#include "link/Frames.h"
#include "link/Steps.h"

namespace {

const QStringList kLamps = {"shpAL_0",  "shpAL_1",  "shpSV_0",  "shpSV_1",  "shpAT",   "shpOUT",
                            "shpERR_0", "shpERR_1", "shpERR_2", "shpERR_3", "shpERR_4"};
constexpr Bgr kOn = 255;       // RGB 255, 0, 0
constexpr Bgr kOff = 0xFFC0C0; // RGB 192, 192, 255

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

} // namespace

class LiveDisplay : public MainFixture {
protected:
    void SetUp() override {
        MainFixture::SetUp();
        writeStations({4, 7});
        open();
        gMC_No = 7;
        win->SetOnlineState(true);
        win->tmrRefresh.stop();
        setRow(2, {});
    }
    // Row of the monitor table: columns 1 .. 20, zero unless given.
    void setRow(int row, std::map<int, QString> cells) {
        for (int c = 1; c <= 20; ++c)
            if (c != 13) link()->sprdMonitoring.setText(c, row, cells.count(c) ? cells[c] : "0");
    }
    QStringList litLamps() const {
        QStringList on;
        for (const QString& l : kLamps)
            if (lit(l)) on << l;
        return on;
    }
};

TEST_F(LiveDisplay, UnitsAndDecimals) {
    struct Case {
        int inp, unit, dpp;
        const char* npv;
        const char* nsv;
        QString pv, sv, unitText;
    };
    const Case cases[] = {
        {3, 0, 0, "1234", "2500", "123.4", "250.0", "℃"},
        {3, 1, 0, "1234", "2500", "1234", "2500", "℉"},
        {20, 1, 0, "1234", "7", "123.4", "0.7", "℉"},
        {20, 0, 0, "1234", "7", "123.4", "0.7", "℃"},
        {30, 0, 2, "1234", "-1", "12.34", "-0.01", "V"},
        {31, 0, 3, "1234", "5", "1.234", "0.005", "㎷"},
        {0, 0, 2, "1234", "5", "1234", "5", "㎷"},
        {2, 0, 0, "-5", "0", "-0.5", "0.0", "℃"},
        {1, 0, 0, "250", "-1999", "250", "-1999", "℃"},
        {9, 0, 0, "32768", "0", "3276.8", "0.0", "℃"},
        {29, 1, 0, "100", "100", "100", "100", "℉"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "INP " << c.inp << " UNIT " << c.unit);
        setRow(2, {{1, QString::number(c.inp)},
                   {2, QString::number(c.unit)},
                   {3, QString::number(c.dpp)},
                   {4, c.npv},
                   {5, c.nsv}});
        win->tmrRefresh_Timer();
        EXPECT_EQ(text("lblPV"), c.pv);
        EXPECT_EQ(text("lblSV"), c.sv);
        EXPECT_EQ(text("lblUnit_0"), c.unitText);
        EXPECT_EQ(text("lblUnit_1"), c.unitText);
    }
}

TEST_F(LiveDisplay, OtherUnitCodeKeepsTheUnitShown) {
    setRow(2, {{1, "3"}, {2, "1"}});
    win->tmrRefresh_Timer();
    ASSERT_EQ(text("lblUnit_0"), "℉");
    setRow(2, {{1, "3"}, {2, "2"}, {4, "55"}});
    win->tmrRefresh_Timer();
    EXPECT_EQ(text("lblUnit_0"), "℉");
    EXPECT_EQ(text("lblUnit_1"), "℉");
    EXPECT_EQ(text("lblPV"), "55"); // unit 2 is not Celsius: no decimal for INP 3
}

TEST_F(LiveDisplay, OnlyTheSelectedStationIsShown) {
    setRow(1, {{4, "111"}, {10, "3"}});
    setRow(2, {{4, "222"}});
    win->tmrRefresh_Timer();
    EXPECT_EQ(text("lblPV"), "222");
    EXPECT_TRUE(litLamps().isEmpty());
    gMC_No = 4;
    win->tmrRefresh_Timer();
    EXPECT_EQ(text("lblPV"), "111");
    EXPECT_EQ(litLamps(), QStringList({"shpAL_0", "shpAL_1"}));
    // No station selected: nothing matches and the figures stay.
    gMC_No = 0;
    setRow(1, {{4, "999"}});
    win->tmrRefresh_Timer();
    EXPECT_EQ(text("lblPV"), "111");
}

TEST_F(LiveDisplay, EachLampFollowsItsBit) {
    struct Case {
        int col;
        const char* value;
        QStringList lit;
    };
    const Case cases[] = {
        {10, "1", {"shpAL_0"}},
        {10, "2", {"shpAL_1"}},
        {10, "3", {"shpAL_0", "shpAL_1"}},
        {10, "252", {}},
        {12, "1", {"shpAT"}},
        {12, "1792", {}}, // bits 8 to 10 colour keys, they light no lamp
        {12, "-1", {"shpAT"}},
        {8, "1", {"shpOUT"}},
        {8, "0", {}},
        {8, "-3", {}},
        {14, "2", {"shpSV_0"}},
        {14, "3", {"shpSV_1"}},
        {14, "1", {}},
        {14, "4", {}},
        {11, "1", {"shpERR_0"}},
        {11, "2", {"shpERR_1"}},
        {11, "4", {"shpERR_2"}},
        {11, "8", {"shpERR_3"}},
        {11, "256", {"shpERR_4"}},
        {11, "240", {}},
        {11, "512", {}},
        {11, "271", {"shpERR_0", "shpERR_1", "shpERR_2", "shpERR_3", "shpERR_4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.col << " = " << c.value);
        setRow(2, {{1, "3"}, {c.col, c.value}});
        win->tmrRefresh_Timer();
        EXPECT_EQ(litLamps(), c.lit);
    }
}

TEST_F(LiveDisplay, OutputFigure) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "0.0"}, {"1", "0.1"}, {"455", "45.5"}, {"1000", "100.0"}, {"-50", "-5.0"}};
    for (const auto& [stored, shown] : cases) {
        setRow(2, {{1, "30"}, {3, "3"}, {8, stored}}); // decimals of PV never touch MV
        win->tmrRefresh_Timer();
        EXPECT_EQ(text("lblMV"), shown) << stored;
    }
}

TEST_F(LiveDisplay, RecorderKeyColoursAndSpeed) {
    struct Case {
        const char* modsts;
        const char *r502, *r503, *r505;
        std::array<Bgr, 5> colours;
    };
    const Case cases[] = {
        {"0", "0", "0", "0", {kOff, kOff, kOff, kOff, kOff}},
        {"256", "0", "0", "0", {kOn, kOff, kOff, kOff, kOff}},
        // Registers 502 and 503 have the last word over MODSTS bits 9 and 10.
        {"1792", "0", "0", "0", {kOn, kOff, kOff, kOff, kOff}},
        {"0", "1", "0", "0", {kOff, kOn, kOff, kOff, kOff}},
        {"0", "0", "2", "0", {kOff, kOff, kOn, kOff, kOff}},
        {"0", "0", "0", "1", {kOff, kOff, kOff, kOff, kOn}},
        {"0", "-1", "-1", "-1", {kOff, kOff, kOff, kOff, kOff}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.modsts);
        setRow(2, {{12, c.modsts}});
        link()->sprdMap.setText(12, 3, c.r502);
        link()->sprdMap.setText(12, 4, c.r503);
        link()->sprdMap.setText(12, 6, c.r505);
        win->tmrRefresh_Timer();
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(keyColor(i), c.colours[static_cast<size_t>(i)]) << i;
    }
    link()->sprdMap.setText(12, 7, "150");
    gMC_No = 0; // the keys and speed follow the data grid even with no row matching
    link()->sprdMap.setText(12, 3, "1");
    win->tmrRefresh_Timer();
    EXPECT_EQ(text("lblSPD"), "150");
    EXPECT_EQ(keyColor(1), kOn);
}

TEST_F(LiveDisplay, RefreshTimerRestartsItself) {
    win->tmrRefresh_Timer();
    EXPECT_TRUE(win->tmrRefresh.isActive());
    EXPECT_EQ(win->tmrRefresh.interval(), 50);
}

TEST_F(LiveDisplay, SteadyValuesRepaintNothing) {
    setRow(2, {{1, "3"}, {4, "1234"}, {5, "2500"}, {8, "455"}, {10, "1"}, {11, "256"}});
    win->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(win.get()));
    win->tmrRefresh_Timer();
    QApplication::processEvents();
    PaintCounter counter;
    for (QWidget* w : win->findChildren<QWidget*>())
        w->installEventFilter(&counter);
    win->tmrRefresh.stop();
    win->tmrRefresh_Timer();
    win->tmrRefresh.stop();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    link()->sprdMonitoring.setText(4, 2, "1235");
    win->tmrRefresh_Timer();
    win->tmrRefresh.stop();
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    EXPECT_EQ(text("lblPV"), "123.5");
    for (QWidget* w : win->findChildren<QWidget*>())
        w->removeEventFilter(&counter);
}

// The whole road of a value over the in-memory port: model sweep, parameter blocks, one
// monitor reply, then the refresh tick.
TEST_F(LiveDisplay, ValueFromTheLineReachesTheFigures) {
    win->SetOnlineState(false);
    gMC_No = 0;
    openPort();
    auto answer = [&](const QByteArray& reply) {
        port->writes.clear();
        link()->tmrSend_Timer();
        EXPECT_FALSE(port->writes.isEmpty());
        port->feed(reply);
        link()->gather_Done();
    };
    answer("\x02"
           "04WHO,OK,KX5-1-0033\r\n");
    answer("\x02"
           "07WHO,OK,KX5-1-0033\r\n");
    EXPECT_FALSE(child<QWidget>("picSingle")->isHidden());
    EXPECT_EQ(text("lblMC_No"), "4");
    EXPECT_TRUE(child<QPushButton>("btnMenu_4")->isEnabled());
    for (int block = 21; block <= 24; ++block) {
        QByteArray r = "\x02"
                       "04DRR,OK";
        for (size_t i = 0; i < findStep(block)->regs.size(); ++i)
            r += ",0000";
        answer(r + "\r\n");
    }
    ASSERT_EQ(gSendStep, 11);
    // INP 3, UNIT 0, DP 0, NPV 0x04D2 = 1234, NSV 0x09C4 = 2500, MV 0x01C7 = 455, ALMSTS 1.
    const char* fields[19] = {"0003", "0000", "0000", "04D2", "09C4", "0000", "0000",
                              "01C7", "0001", "0001", "0000", "0000", "0002", "0000",
                              "0000", "0000", "0000", "0000", "0096"};
    QByteArray r = "\x02"
                   "04DRR,OK";
    for (const char* f : fields)
        r += QByteArray(",") + f;
    answer(r + "\r\n");
    win->tmrRefresh_Timer();
    EXPECT_EQ(text("lblPV"), "123.4");
    EXPECT_EQ(text("lblSV"), "250.0");
    EXPECT_EQ(text("lblMV"), "45.5");
    EXPECT_EQ(text("lblUnit_0"), "℃");
    EXPECT_TRUE(lit("shpAL_0"));
    EXPECT_TRUE(lit("shpSV_0"));
}

TEST_F(LiveDisplay, StationWithoutValuesYetLeavesTheFiguresAlone) {
    setRow(2, {{1, "3"}, {4, "1234"}});
    win->tmrRefresh_Timer();
    ASSERT_EQ(text("lblPV"), "123.4");
    for (int c = 1; c <= 20; ++c)
        link()->sprdMonitoring.setText(c, 2, "");
    win->tmrRefresh_Timer();
    EXPECT_EQ(text("lblPV"), "123.4");
    EXPECT_EQ(text("lblUnit_0"), "℃");
}
