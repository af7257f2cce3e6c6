// The parameter windows on the wire through the main window's link and a fake port: the map's
// read-all and its one refresh, every dialog confirmed untouched writing back exactly what the
// controller holds (odd values too), no dialog and no frame for a station never read, a
// set-value write of the extreme values with its exact DWR frame, shown at its acknowledgement
// and read back as typed, the map's word on it in the user's language, the map's word on the
// input write's pause, and command 5
// opening the map. The input write's timing is left to test_param_pty.cpp,
// conversions to test_dialogs.cpp.
#include "../monitor/MainFixture.h"
#include "ParamsFixture.h"
#include "app/Commands.h"
#include "link/Frames.h"
#include "params/frmKX5_P_PID.h"
#include "params/frmKX5_Parameter.h"
#include "tests/support/Bracketing.h"

#include <QTimer>
#include <map>

class ParamWire : public MainFixture {
protected:
    void SetUp() override {
        MainFixture::SetUp();
        build({3}, 1); // station 3 selected
        answer = QMessageBox::Ok;
    }
    std::unique_ptr<frmKX5_Parameter> openMap() {
        auto map = std::make_unique<frmKX5_Parameter>(link(), ParamSource::of(link()), win.get());
        win->setOpenMap(map.get());
        return map;
    }
    void reply(const QByteArray& frame) {
        port->feed(frame);
        link()->fire(LinkTimer::Gather);
    }
    // The four read-all blocks answered from regs (anything else 0), each request checked;
    // returns whether the map's refresh timer ran before the last reply.
    bool answerReadAll(const std::map<int, int>& regs, frmKX5_Parameter* map) {
        bool early = false;
        for (int step = kStepReadAll1; step <= kStepReadAll4; ++step) {
            std::vector<int> values;
            for (int reg : findStep(step)->regs)
                values.push_back(regs.count(reg) ? regs.at(reg) : 0);
            EXPECT_EQ(sent(), buildReadReq(3, findStep(step)->regs, 0)) << "step " << step;
            early = early || (map && map->tmrRefresh.isActive());
            reply(drrReply(3, values));
        }
        return early;
    }
};

TEST_F(ParamWire, SetValueWriteGoesOutShowsAtItsAcknowledgementAndReadsBackCommandFiveOpensTheMap) {
    auto map = openMap();
    // INP 30 with DP-P 1 (one decimal, no sensor range to keep SV in), SVNO 1, SV1 1000,
    // NPV 250.
    std::map<int, int> regs = {{1, 2500}, {300, 1}, {301, 1000}, {610, 30}, {614, 1}, {619, 2}};
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
    reply(ackReply(3));
    EXPECT_EQ(link()->sendStep(), kStepReadAll1);
    EXPECT_EQ(map->messageLabel()->text(), "[MC [3] [SV group] written]");
    // Only sent so far: the map still shows what the controller last reported.
    map->tmrRefresh_Timer();
    EXPECT_EQ(shown.text(8, 2), "100.0");

    regs[301] = 32767;
    regs[303] = -4096;
    regs[302] = 1; // read back other than written: the read wins
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
    reply(ackReply(3));
    EXPECT_EQ(map->messageLabel()->text(),
              "[MC [3] input group: 610-611 written, 612-619 pending (2 s pause)]");
    link()->fire(LinkTimer::Pause);
    EXPECT_TRUE(sent().startsWith("\00203DWR,08,0612,"));
    reply(ackReply(3));
    EXPECT_EQ(map->messageLabel()->text(), "[MC [3] [input group] written]");
    QCoreApplication::removeTranslator(&language);

    map.reset();
    // A read-all completed with no map open finds nothing to refresh.
    ASSERT_TRUE(link()->request(Request::readAll(3)).taken);
    answerReadAll(regs, nullptr);
    EXPECT_EQ(link()->sendStep(), kStepMonitor);
    // Command 5 opens the map modally, asking for a read-all.
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
}

// The registers of all seven dialogs holding what a controller can hold: usual values, codes
// outside every list, 0x8000 and 0xEFFF in every number, DP-P 5 and 9 on a sensor type and on a
// type outside the table. Each dialog opens showing what the map shows, and OK pressed untouched
// writes back exactly what the controller holds, frame by frame, in any language.
TEST_F(ParamWire, UntouchedDialogsWriteBackExactlyWhatTheControllerHolds) {
    auto map = openMap();
    std::vector<int> pid; // set by set: 310-318, 320-328, 330-337
    for (int reg = 310; reg <= 337; ++reg)
        if (reg % 10 != 9) pid.push_back(reg);
    const struct {
        MapDialog which;
        // Written in this order, in one frame; ARW is shown only; "sprdPID": the whole sheet
        // (written instead of ARW); the input group in two frames, 610-611 and 612-619.
        std::vector<std::pair<const char*, int>> fields;
    } dialogs[] = {
        // clang-format off
        {MapDialog::Control, {{"cmbZONE", 102}, {"cmbFUZY", 103}, {"cmbDIS", 106}, {"txtUPRT", 108}, {"txtDNRT", 109}, {"cmbRTMU", 110}}},
        {MapDialog::SV, {{"cmbSV_No", 300}, {"txtSV1", 301}, {"txtSV2", 302}, {"txtSV3", 303}}},
        {MapDialog::AT, {{"cmbATM", 305}, {"cmbAT", 306}}},
        {MapDialog::PID, {{"txtARW", 104}, {"sprdPID", 0}}},
        {MapDialog::ALM, {{"lblA1TY", 410}, {"lblA2TY", 411}, {"txtA1DB", 413}, {"txtA2DB", 414}, {"txtAL1", 416}, {"txtAL2", 417}}},
        {MapDialog::OUT, {{"cmbOUT", 600}, {"cmbOACT", 601}, {"txtCT", 602}, {"txtCTC", 603}, {"txtHYS", 604}, {"txtPO", 605}, {"txtPOC", 606}, {"txtOLH", 607}, {"txtOLL", 608}}},
        {MapDialog::IN, {{"cmbINP", 610}, {"cmbUnit", 611}, {"txtFRH", 612}, {"txtFRL", 613}, {"cmbDPP", 614}, {"txtSLH", 615}, {"txtSLL", 616}, {"txtFILT", 617}, {"txtBIAS", 618}, {"cmbBOUT", 619}}},
        // clang-format on
    };
    // INP 2 in ℃: one decimal.
    std::map<int, int> usual = {
        {102, 1},  {103, 0},    {104, 30},   {106, 1},     {108, 12},  {109, 7},    {110, 1},
        {300, 2},  {301, 1505}, {302, -25},  {303, 0},     {305, 1},   {306, 4},    {410, 7},
        {411, 21}, {413, 2},    {414, 3},    {416, 1000},  {417, -50}, {600, 4},    {601, 1},
        {602, 20}, {603, 30},   {604, 15},   {605, 1000},  {606, 0},   {607, 955},  {608, -5},
        {610, 2},  {611, 0},    {612, 9999}, {613, -1999}, {614, 0},   {615, 9999}, {616, -1999},
        {617, 5},  {618, -12},  {619, 2}};
    for (int reg : pid)
        usual[reg] = reg - 300;
    std::vector<int> numbers = pid; // the PID sheet and every text field
    for (const auto& d : dialogs)
        for (const auto& [name, reg] : d.fields)
            if (QByteArray(name).startsWith("txt")) numbers.push_back(reg);
    const auto with = [&](std::map<int, int> changes, int number) {
        std::map<int, int> regs = usual;
        for (int reg : number ? numbers : std::vector<int>())
            regs[reg] = number;
        for (const auto& [reg, v] : changes)
            regs[reg] = v;
        return regs;
    };
    const std::pair<const char*, std::map<int, int>> rows[] = {
        {"usual", usual},
        // clang-format off
        {"codes outside the lists, DP-P 5 on INP 2",
         with({{102, 5}, {103, -1}, {106, 2}, {110, 2}, {300, 7}, {305, 2}, {306, 7}, {410, 22},
               {411, 99}, {600, 13}, {601, 2}, {611, 2}, {614, 5}, {619, 3}}, 0)},
        // clang-format on
        {"0x8000 in every number", with({}, 0x8000)},
        {"0xEFFF in every number, INP 99 with DP-P 9", with({{610, 99}, {614, 9}}, 0xEFFF)},
    };
    Bracketing language;
    for (bool translated : {false, true}) {
        if (translated) QCoreApplication::installTranslator(&language);
        for (const auto& [what, regs] : rows) {
            if (!link()->pendingRequest()) { // the map's own read-all is the first row's
                ASSERT_TRUE(link()->request(Request::readAll(3)).taken);
            }
            answerReadAll(regs, map.get());
            map->tmrRefresh_Timer();
            const auto onMap = [&](int reg) {
                return map->displayGrid()->text(2 * (reg / 100 + 1), reg % 100 + 1);
            };
            for (const auto& d : dialogs) {
                SCOPED_TRACE(testing::Message() << what << ", dialog " << int(d.which)
                                                << (translated ? ", translated" : ""));
                link()->stop(LinkTimer::Send); // the test gives the send ticks
                auto dlg = map->createDialog(d.which);
                ASSERT_NE(dlg, nullptr);
                for (const auto& [name, reg] : d.fields) {
                    if (reg) {
                        EXPECT_EQ(field(dlg.get(), name), onMap(reg)) << name;
                        continue;
                    }
                    const Grid* sheet = static_cast<frmKX5_P_PID*>(dlg.get())->pidGrid();
                    for (int r : pid)
                        EXPECT_EQ(sheet->text(r / 10 - 30, r % 10 + 1), onMap(r)) << r;
                }
                clickOK(dlg.get());
                EXPECT_EQ(dlg->result(), QDialog::Accepted);
                std::vector<std::vector<int>> frames{{}};
                for (const auto& [name, reg] : d.fields) {
                    if (reg == 0 || reg == 612)
                        frames.push_back(reg ? std::vector{reg} : pid);
                    else if (reg != 104)
                        frames.back().push_back(reg);
                }
                if (frames[0].empty()) frames.erase(frames.begin());
                for (size_t f = 0; f < frames.size(); ++f) {
                    std::vector<int> values;
                    for (int reg : frames[f])
                        values.push_back(regs.at(reg));
                    EXPECT_EQ(sent(), buildWriteReq(3, frames[f], values, 0));
                    reply(ackReply(3));
                    if (f == 0 && frames.size() == 2) link()->fire(LinkTimer::Pause);
                }
                answerReadAll(regs, map.get()); // the read-back
                map->tmrRefresh_Timer();
            }
        }
        QCoreApplication::removeTranslator(&language);
    }
    EXPECT_EQ(said, QStringList()); // a refusal would stop OK: none may come
}

// A station whose parameters were never read (it answered the model query, then fell silent):
// no dialog opens, nothing is written, and the map offers to read them again.
TEST_F(ParamWire, NeverReadStationGetsNoDialogAndNoFrame) {
    win.reset();
    build({2, 3}, 2); // station 2 selected and read; 3 answered the sweep only
    ASSERT_TRUE(link()->selectStation(1));
    link()->stop(LinkTimer::Send);
    auto map = openMap();
    std::vector<MapDialog> opened;
    map->openDialog = [&opened](MapDialog d) { opened.push_back(d); };
    answer = QMessageBox::No;
    // A cell of each dialog: Control, PID, SV, AT, ALM, OUT, IN.
    const std::pair<int, int> cells[] = {{4, 3},   {8, 11}, {8, 2},  {8, 7},
                                         {10, 11}, {14, 1}, {14, 11}};
    for (const auto& [col, row] : cells) {
        map->sprdMap_Click(col, row);
        EXPECT_EQ(map->createDialog(mapClickAction(col, row).dialog), nullptr);
    }
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(said.size(), 7);
    EXPECT_NE(map->messageLabel()->text(), "");
    // Nothing but reads goes out, however long the line runs: the silent station's read is
    // given up, and the poll goes on.
    for (int k = 0; k < 12; ++k) {
        EXPECT_FALSE(sent().contains("DWR"));
        link()->fire(LinkTimer::RecvErr);
    }
    EXPECT_EQ(link()->paramImage(3), nullptr);
    answer = QMessageBox::Yes; // read again: asked of the link
    map->sprdMap_Click(4, 3);
    EXPECT_EQ(link()->pendingRequest(), Request::readAll(3));
}
