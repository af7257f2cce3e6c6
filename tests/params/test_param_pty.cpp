// The parameter windows end to end: the main window on the real serial port over a
// pseudo-terminal against kx5sim, real timers. A set-value write and an input write reach the
// station and come back on the map, the input's halves two seconds apart. The order of frames
// and refreshes is left to test_param_wire.cpp.
#include "ParamsFixture.h"
#include "monitor/frmKX5_Main.h"
#include "params/frmKX5_Parameter.h"
#include "settings/ConfigFiles.h"
#include "sim/SimLine.h"
#include "tests/monitor/SimSettings.h"

#include <QTemporaryDir>

using namespace std::chrono_literals;

TEST(ParamPty, SetValueAndInputWritesReachTheStationAndComeBack) {
    resetDataImage();
    QTemporaryDir dir;
    setProgramDir(dir.path());
    kx5sim::SimLine sim(kx5sim::LineConfig{}); // station 1
    std::string err;
    ASSERT_TRUE(sim.start(&err)) << err;
    ASSERT_TRUE(writeSimSettings(sim, {1}));
    auto win = std::make_unique<frmKX5_Main>();
    QTest::mouseClick(win->findChild<QPushButton*>("btnMenu_3"), Qt::LeftButton);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return win->link()->phase() == KX5Link::Phase::Monitoring; }, 10000));
    auto map = std::make_unique<frmKX5_Parameter>(win->link(), &win->link()->sprdMap,
                                                  &win->link()->sprdStatus, win.get());
    map->show();
    int refreshes = 0;
    QObject::connect(&map->tmrRefresh, &QTimer::timeout, [&] { ++refreshes; });
    const auto shown = [&](int col, int row) { return map->displayGrid()->text(col, row); };
    const auto index = [&](const std::string& req) {
        const auto all = sim.exchanges();
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i].request.rfind(req, 0) == 0) return int(i); // starts with req
        return -1;
    };
    // The station's own values, with one decimal (INP 2).
    ASSERT_TRUE(QTest::qWaitFor([&] { return refreshes == 1; }, 20000));
    EXPECT_EQ(shown(8, 2) + " " + shown(14, 13) + " " + shown(14, 11), "100.0 999.9 2");

    refreshes = 0;
    auto sv = map->createDialog(MapDialog::SV);
    setField(sv.get(), "txtSV1", QStringLiteral("123.4"));
    clickOK(sv.get());
    sv.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown(8, 2) == "123.4"; }, 5000));
    EXPECT_EQ(sim.readRegister(1, 301), 1234);
    // SV2 and SV3 go back as read; their bytes are test_param_wire.cpp's.
    EXPECT_GE(index("\x02"
                    "01DWR,04,0300,0001,0301,04D2,0302,"),
              0);
    // Monitoring afterwards does not refresh the map again. A request goes out only once the
    // one before was answered and handled: three more on the wire cover two monitor replies.
    const size_t seen = sim.exchanges().size();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.exchanges().size() >= seen + 3; }, 5000));
    EXPECT_EQ(sim.exchanges()[seen + 1].request.substr(3, 6), "DRR,19");
    EXPECT_EQ(refreshes, 1);

    sim.clearExchanges();
    auto in = map->createDialog(MapDialog::IN);
    setField(in.get(), "txtFILT", QStringLiteral("7"));
    setField(in.get(), "txtBIAS", QStringLiteral("-0.5"));
    clickOK(in.get());
    in.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown(14, 18) == "7"; }, 8000));
    EXPECT_EQ(shown(14, 19), "-0.5");
    EXPECT_EQ(sim.readRegister(1, 617), 7);
    const int a = index("\x02"
                        "01DWR,02,0610,0002,0611,0000\r\n");
    const int b = index("\x02"
                        "01DWR,08,0612,270F,0613,F831,0614,0001,0615,270F,0616,F831,"
                        "0617,0007,0618,FFFB,0619,0000\r\n");
    ASSERT_GE(a, 0);
    ASSERT_EQ(b, a + 1) << "nothing goes out during the pause";
    const auto gap = sim.exchanges()[size_t(b)].time - sim.exchanges()[size_t(a)].time;
    EXPECT_GE(gap, 2000ms);
    EXPECT_LT(gap, 3000ms);

    map.reset(); // a child of the window: gone before it
    setMsgBoxHandler([](auto&&...) { return QMessageBox::Yes; });
    win->close();
    win.reset();
    setMsgBoxHandler({});
    setProgramDir(QString());
}
