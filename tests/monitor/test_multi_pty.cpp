// Multi-Monitoring end to end: a key pressed in a row reaches that row's station in kx5sim
// over a pseudo-terminal, and its key follows. The window's own logic is in test_multi.cpp.
#include "app/LineServices.h"
#include "link/mdlKX5.h"
#include "monitor/frmKX5_Main.h"
#include "monitor/frmKX5_Multi.h"
#include "settings/ConfigFiles.h"
#include "sim/SimLine.h"
#include "tests/monitor/SimSettings.h"
#include "ui/GridView.h"
#include "ui/MsgBox.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(MultiPty, TextKeyOfStationThreeReachesStationThreeAndItsKeyFollows) {
    QTemporaryDir dir;
    setProgramDir(dir.path());
    kx5sim::LineConfig cfg;
    cfg.stations = {1, 3};
    kx5sim::SimLine sim(cfg);
    std::string err;
    ASSERT_TRUE(sim.start(&err)) << err;
    ASSERT_TRUE(sim.writeRegister(3, 502, 0));
    ASSERT_TRUE(writeSimSettings(sim, {1, 3}));

    LineServices services; // outlives the window
    auto win = std::make_unique<frmKX5_Main>(services.parts(), loadStartSettings());
    QTest::mouseClick(win->findChild<QPushButton*>("btnMenu_3"), Qt::LeftButton);
    const KX5Link* link = win->link();
    // Both stations polled, station 1 selected.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return link->values(0)->storedAt.isValid() && link->values(1)->storedAt.isValid(); },
        15000));
    ASSERT_EQ(win->link()->selectedMcNo(), 1);

    frmKX5_Multi multi(win->link(), &win->link()->line());
    // Wired as the main window's command wires it.
    QObject::connect(win->link(), &KX5Link::requestEnded, &multi, &frmKX5_Multi::onRequestEnded);
    multi.show();
    int passes = 0;
    QObject::connect(&multi.tmrRefresh, &QTimer::timeout, [&] { ++passes; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return passes > 0; }, 3000));
    const int textKey = frmKX5_Multi::KeyPrint + 1;
    const auto keyColour = [&] { return multi.grid()->buttonColor(textKey, 2); };
    ASSERT_EQ(keyColour(), multi.keyOffColor());
    GridView* v = multi.view();
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {},
                      v->visualRect(v->model()->index(1, textKey - 1)).center());
    passes = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] { return keyColour() == kRed; }, 5000));
    EXPECT_LE(passes, 2);
    EXPECT_EQ(sim.readRegister(3, 502), 1);
    EXPECT_EQ(sim.readRegister(1, 502), 0);
    const auto seen = sim.exchanges();
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const auto& x) {
        return x.request == "\00203DWR,01,0502,0001\r\n";
    }));

    // Leave: close the port, answer "Exit?" with Yes.
    setMsgBoxHandler([](auto&&...) { return QMessageBox::Yes; });
    multi.close();
    win->close();
    win.reset();
    setMsgBoxHandler({});
    setProgramDir(QString());
}
