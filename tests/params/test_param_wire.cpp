// The parameter windows on the wire through the main window's link and a fake port: the map's
// read-all and its one refresh, a set-value write of the extreme values with its exact DWR frame,
// shown at its acknowledgement and read back as typed, the map's word on it in the user's language,
// a choice typed, picked or refused in the control dialog, the map's word on the input write's
// pause, and command 5 opening the map. The input write's timing is left to test_param_pty.cpp,
// conversions to test_dialogs.cpp.
#include "../monitor/MainFixture.h"
#include "ParamsFixture.h"
#include "app/Commands.h"
#include "link/Steps.h"
#include "params/frmKX5_Parameter.h"
#include "tests/support/Bracketing.h"
#include "tests/support/GridEditing.h"

#include <QTimer>
#include <map>

class ParamWire : public MainFixture {
protected:
    void SetUp() override {
        MainFixture::SetUp();
        build({3}, 1); // station 3 selected
    }
    void reply(const QByteArray& r) {
        port->feed("\x02" + r + "\r\n");
        link()->gather_Done();
    }
    // The four read-all blocks answered from regs (hex fields; anything else "0000"), each
    // request checked; returns whether the map's refresh timer ran before the last reply.
    bool answerReadAll(const std::map<int, QByteArray>& regs, frmKX5_Parameter* map) {
        bool early = false;
        for (int step = kStepReadAll1; step <= kStepReadAll4; ++step) {
            const std::vector<int>& list = findStep(step)->regs;
            QByteArray expect =
                "\00203DRR," + QByteArray::number(list.size()).rightJustified(2, '0');
            QByteArray r = "03DRR,OK";
            for (int reg : list) {
                expect += "," + QByteArray::number(reg).rightJustified(4, '0');
                r += "," + (regs.count(reg) ? regs.at(reg) : QByteArray("0000"));
            }
            EXPECT_EQ(sent(), expect + "\r\n") << "step " << step;
            early = early || (map && map->tmrRefresh.isActive());
            reply(r);
        }
        return early;
    }
};

TEST_F(ParamWire, SetValueWriteGoesOutShowsAtItsAcknowledgementAndReadsBackAsTyped) {
    auto map = std::make_unique<frmKX5_Parameter>(link(), ParamSource::of(link()), win.get());
    win->setOpenMap(map.get());
    // INP 30 with DP-P 1 (one decimal, no sensor range to keep SV in), SVNO 1, SV1 1000,
    // NPV 250.
    std::map<int, QByteArray> regs = {{1, "09C4"},   {300, "0001"}, {301, "03E8"},
                                      {610, "001E"}, {614, "0001"}, {619, "0002"}};
    EXPECT_FALSE(answerReadAll(regs, map.get()));
    EXPECT_EQ(link()->sendStep(), kStepMonitor);
    ASSERT_TRUE(map->tmrRefresh.isActive());
    map->tmrRefresh_Timer();
    const Grid& shown = *map->displayGrid();
    EXPECT_EQ(shown.text(8, 2) + shown.text(2, 2) + shown.text(14, 20), "100.0250.0DOWN");
    // From here on every word the map says is its translation, never the events file's English.
    Bracketing language;
    QCoreApplication::installTranslator(&language);

    auto sv = map->createDialog(MapDialog::SV);
    setField(sv.get(), "txtSV1", QStringLiteral("3276.7"));
    setField(sv.get(), "txtSV3", QStringLiteral("-409.6"));
    clickOK(sv.get());
    sv.reset();
    EXPECT_EQ(sent(), "\00203DWR,04,0300,0001,0301,7FFF,0302,0000,0303,F000\r\n");
    EXPECT_EQ(map->messageLabel()->text(), "[MC [3] [SV group]: waiting for confirmation]");
    reply("03DWR,OK");
    EXPECT_EQ(link()->sendStep(), kStepReadAll1);
    EXPECT_EQ(map->messageLabel()->text(), "[MC [3] [SV group] written]");
    // Only sent so far: the map still shows what the controller last reported.
    map->tmrRefresh_Timer();
    EXPECT_EQ(shown.text(8, 2), "100.0");

    regs[301] = "7FFF";
    regs[303] = "F000";
    regs[302] = "0001"; // read back other than written: the read wins
    EXPECT_FALSE(answerReadAll(regs, map.get()));
    EXPECT_EQ(shown.text(8, 3), "0.0"); // not before the timer
    ASSERT_TRUE(map->tmrRefresh.isActive());
    map->tmrRefresh_Timer();
    EXPECT_FALSE(map->tmrRefresh.isActive());
    EXPECT_EQ(shown.text(8, 2) + " " + shown.text(8, 3) + " " + shown.text(8, 4),
              "3276.7 0.1 -409.6");
    // Monitoring goes on; it does not refresh the map.
    EXPECT_TRUE(sent().startsWith("\00203DRR,19,0610,"));
    EXPECT_FALSE(map->tmrRefresh.isActive());

    // The input group: the map says the second half waits out the pause, then that all is in.
    clickOK(map->createDialog(MapDialog::IN).get());
    EXPECT_EQ(sent(), "\00203DWR,02,0610,001E,0611,0000\r\n");
    reply("03DWR,OK");
    EXPECT_EQ(map->messageLabel()->text(),
              "[MC [3] input group: 610-611 written, 612-619 pending (2 s pause)]");
    link()->pause_Done();
    EXPECT_TRUE(sent().startsWith("\00203DWR,08,0612,"));
    reply("03DWR,OK");
    EXPECT_EQ(map->messageLabel()->text(), "[MC [3] [input group] written]");
    QCoreApplication::removeTranslator(&language);

    map.reset();
    // A read-all completed with no map open finds nothing to refresh.
    ASSERT_TRUE(link()->request(Request::readAll(3)).taken);
    answerReadAll(regs, nullptr);
    EXPECT_EQ(link()->sendStep(), kStepMonitor);
}

// The PID cell still being edited when OK is given is the value written, whichever key gives OK.
TEST_F(ParamWire, PidCellBeingEditedIsTheValueWritten) {
    auto map = std::make_unique<frmKX5_Parameter>(link(), ParamSource::of(link()), win.get());
    win->setOpenMap(map.get());
    answerReadAll({}, map.get()); // every register 0
    const std::tuple<GiveOk, const char*, QByteArray> ways[] = {
        {GiveOk::Click, "123", "007B"},
        {GiveOk::Shortcut, "4096", "1000"},
        {GiveOk::ReturnShortcut, "-2", "FFFE"}};
    for (const auto& [how, typed, onWire] : ways) {
        SCOPED_TRACE(giveOkName(how));
        link()->tmrSend.stop(); // the test gives the send ticks
        auto pid = map->createDialog(MapDialog::PID);
        // Set 2's I: register 321.
        typeIntoCellAndPress(pid->findChild<GridView*>("sprdPID"), 2, 2, typed,
                             pid->findChild<QPushButton*>("btnOK"), how);
        EXPECT_FALSE(pid->isVisible());
        QByteArray frame = "\00203DWR,26";
        for (int reg = 310; reg <= 337; ++reg)
            if (reg % 10 != 9)
                frame += ",0" + QByteArray::number(reg) + "," + (reg == 321 ? onWire : "0000");
        EXPECT_EQ(sent(), frame + "\r\n");
        reply("03DWR,OK");
        answerReadAll({}, map.get());
    }
}

// A choice word typed, or an item picked, from the keyboard into a control dialog that opens in
// its first field: the frame it makes; a word that is none of the choices: no frame at all.
TEST_F(ParamWire, ChoiceTypedOrPickedIsTheFrameSentAndAnUnknownWordSendsNothing) {
    auto map = std::make_unique<frmKX5_Parameter>(link(), ParamSource::of(link()), win.get());
    win->setOpenMap(map.get());
    answerReadAll({{102, "0001"}}, map.get()); // ZONE on, everything else 0
    map->tmrRefresh_Timer();
    QStringList messages;
    setMsgBoxHandler(
        [&messages](const QString&, const QString& text, QMessageBox::StandardButtons) {
            messages << text;
            return QMessageBox::Ok;
        });
    const struct {
        QString keys; // typed over the field's text; empty: Down picks the next item
        QByteArray zone;
    } ways[] = {{"off", "0000"}, {{}, "0001"}, {"켬", "0001"}, {"dir", {}}};
    for (const auto& w : ways) {
        SCOPED_TRACE(w.keys.toStdString());
        link()->tmrSend.stop(); // the test gives the send ticks
        messages.clear();
        auto dlg = map->createDialog(MapDialog::Control);
        dlg->show();
        QWidget* first = dlg->focusWidget();
        ASSERT_EQ(first, dlg->findChild<QWidget*>("cmbZONE"));
        if (w.keys.isEmpty()) {
            QTest::keyClick(first, Qt::Key_Up); // ON to OFF
            QTest::keyClick(first, Qt::Key_Down);
        } else {
            QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
            QTest::sendKeyEvent(QTest::Click, first, Qt::Key_unknown, w.keys, Qt::NoModifier);
        }
        clickOK(dlg.get());
        if (w.zone.isEmpty()) {
            EXPECT_TRUE(dlg->isVisible());
            EXPECT_EQ(messages.size(), 1);
            EXPECT_FALSE(link()->pendingRequest());
            EXPECT_FALSE(sent().contains("DWR"));
            continue;
        }
        EXPECT_EQ(sent(), "\00203DWR,06,0102," + w.zone +
                              ",0103,0000,0106,0000,0108,0000,0109,0000,0110,0000\r\n");
        reply("03DWR,OK");
        answerReadAll({{102, "0001"}}, map.get());
        map->tmrRefresh_Timer();
    }
}

TEST_F(ParamWire, CommandFiveOpensTheMapModally) {
    installCommands(win.get());
    bool wasOpen = false;
    QTimer::singleShot(0, [&] {
        frmKX5_Parameter* m = win->openMap();
        ASSERT_NE(m, nullptr);
        wasOpen = m->isModal() && m->isVisible() && link()->pendingRequest() == Request::readAll(3);
        EXPECT_EQ(field(m, "lblMC_No") + text("lblMC_No"), "33");
        m->btnClose_Click();
    });
    win->runCommand(5);
    EXPECT_TRUE(wasOpen);
    EXPECT_EQ(win->openMap(), nullptr);
    win->paramReadComplete(); // with no map open: nothing to switch on, nothing breaks
}
