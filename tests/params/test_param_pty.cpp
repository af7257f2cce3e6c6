// The parameter windows end to end: the main window on the real serial port over a
// pseudo-terminal against kx5sim, real timers. The map shows the station's values, a set-value
// write and an input write reach the station and come back, the input's halves two seconds
// apart. The order of frames and refreshes is left to test_param_wire.cpp.
#include "link/mdlKX5.h"
#include "monitor/frmKX5_Main.h"
#include "params/frmKX5_Parameter.h"
#include "settings/ConfigFiles.h"
#include "sim/SimLine.h"
#include "ui/MsgBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

QByteArray hex4(int v) {
    return QByteArray::number(v & 0xFFFF, 16).toUpper().rightJustified(4, '0');
}

class ParamPty : public ::testing::Test {
protected:
    void SetUp() override {
        resetDataImage();
        ASSERT_TRUE(dir.isValid());
        setProgramDir(dir.path());
        kx5sim::LineConfig cfg;
        cfg.stations = {1};
        sim = std::make_unique<kx5sim::SimLine>(cfg);
        std::string err;
        ASSERT_TRUE(sim->start(&err)) << err;
        QStringList env;
        for (int n = 1; n <= 99; ++n)
            env << (n == 1 ? QStringLiteral("O\tOven") : QStringLiteral("X\t"));
        QDir().mkpath(dir.path() + "/CFG");
        ASSERT_TRUE(writeLinesAtomic(
            commCfgPath(), {QString::fromStdString(sim->path()), "9600", "N", "8", "1", "STD"},
            nullptr));
        ASSERT_TRUE(writeLinesAtomic(setEnvPath(), env, nullptr));
        win = std::make_unique<frmKX5_Main>();
        win->show();
        QTest::mouseClick(win->findChild<QPushButton*>("btnMenu_3"), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([] { return gSendStep == 11; }, 10000));
        map = std::make_unique<frmKX5_Parameter>(&win->link()->sprdMap, &win->link()->sprdStatus,
                                                 QStringLiteral("1"), win.get());
        QObject::connect(&map->tmrRefresh, &QTimer::timeout, [this] { ++refreshes; });
        map->show();
    }
    void TearDown() override {
        map.reset();
        if (win) {
            gPortCloseReq = true;
            QTest::qWait(300);
            setMsgBoxHandler([](const QString&, const QString&, QMessageBox::StandardButtons) {
                return QMessageBox::Yes;
            });
            win->close();
            win.reset();
            setMsgBoxHandler({});
        }
        sim.reset();
        setProgramDir(QString());
    }
    QString shown(int col, int row) const { return map->displayGrid()->text(col, row); }
    // Requests seen since the last clear, as bytes.
    QList<QByteArray> requests() const {
        QList<QByteArray> out;
        for (const auto& e : sim->exchanges())
            out << QByteArray::fromStdString(e.request);
        return out;
    }
    static void set(QWidget* d, const char* name, const QString& text) {
        QWidget* f = d->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(f, nullptr) << name;
        if (auto* e = qobject_cast<QLineEdit*>(f)) e->setText(text);
        if (auto* c = qobject_cast<QComboBox*>(f)) c->setCurrentText(text);
    }

    QTemporaryDir dir;
    std::unique_ptr<kx5sim::SimLine> sim;
    std::unique_ptr<frmKX5_Main> win;
    std::unique_ptr<frmKX5_Parameter> map;
    int refreshes = 0;
};

} // namespace

TEST_F(ParamPty, SetValueChangeReachesTheStationAndComesBack) {
    // The station's own values, as the map should show them with one decimal (INP 2).
    ASSERT_TRUE(QTest::qWaitFor([&] { return refreshes == 1; }, 5000));
    EXPECT_EQ(shown(8, 2), "100.0");
    EXPECT_EQ(shown(14, 13), "999.9");
    EXPECT_EQ(shown(14, 11), "2");
    const int sv2 = sim->readRegister(1, 302), sv3 = sim->readRegister(1, 303);

    sim->clearExchanges();
    refreshes = 0;
    auto sv = map->createDialog(MapDialog::SV);
    set(sv.get(), "txtSV1", QStringLiteral("123.4"));
    QTest::mouseClick(sv->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    sv.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown(8, 2) == "123.4"; }, 5000));
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(sim->readRegister(1, 301), 1234);

    const QByteArray write = "\x02"
                             "01DWR,04,0300,0001,0301,04D2,0302," +
                             hex4(sv2) + ",0303," + hex4(sv3) + "\r\n";
    EXPECT_TRUE(requests().contains(write)) << "the write never went out";
    // Monitoring afterwards does not refresh the map again.
    QTest::qWait(400);
    EXPECT_EQ(refreshes, 1);
}

TEST_F(ParamPty, InputWriteGoesOutInTwoHalvesTwoSecondsApart) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return refreshes == 1; }, 5000));
    sim->clearExchanges();
    auto in = map->createDialog(MapDialog::IN);
    set(in.get(), "txtFILT", QStringLiteral("7"));
    set(in.get(), "txtBIAS", QStringLiteral("-0.5"));
    QTest::mouseClick(in->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    in.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown(14, 18) == "7"; }, 8000));
    EXPECT_EQ(shown(14, 19), "-0.5");
    EXPECT_EQ(sim->readRegister(1, 617), 7);

    const auto all = sim->exchanges();
    const std::string first = "\x02"
                              "01DWR,02,0610,0002,0611,0000\r\n";
    const std::string second = "\x02"
                               "01DWR,08,0612,270F,0613,F831,0614,0001,0615,270F,0616,F831,"
                               "0617,0007,0618,FFFB,0619,0000\r\n";
    auto find = [&](const std::string& req) {
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i].request == req) return int(i);
        return -1;
    };
    const int a = find(first), b = find(second);
    ASSERT_GE(a, 0);
    ASSERT_EQ(b, a + 1) << "nothing goes out during the pause";
    const auto gap = all[size_t(b)].time - all[size_t(a)].time;
    EXPECT_GE(gap, 2000ms);
    EXPECT_LT(gap, 3000ms);
}
