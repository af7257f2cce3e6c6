// Live display and recorder keys from the grids; the line-to-figure road is test_main_pty's.
#include "MainFixture.h"
#include "tests/support/RecordingSink.h"

#include <map>

class LiveDisplay : public MainFixture {
protected:
    void SetUp() override {
        MainFixture::SetUp();
        build({4, 7}, 2);
        win->link()->gMC_No = 7;
    }
    // Row `row` from space-separated texts for INP, UNIT, DP-P, NPV, NSV, MVOUT, ALMSTS,
    // ERRSTS, MODSTS and register 300, "." for an empty cell; every other cell empty.
    void setRow(int row, const QString& values) {
        using namespace MonitorCol;
        const int cols[] = {INP, UNIT, DPP, NPV, NSV, MVOUT, ALMSTS, ERRSTS, MODSTS, SVNO};
        const QStringList v = values.split(' ');
        for (int c = 1; c <= Count; ++c)
            link()->sprdMonitoring.setText(c, row, {});
        for (int i = 0; i < v.size(); ++i)
            link()->sprdMonitoring.setText(cols[i], row, v[i] == "." ? QString() : v[i]);
    }
    void setRegister(int reg, const QString& v) {
        link()->sprdMap.setText(mapCell(reg).col, mapCell(reg).row, v);
    }
    QString litLamps() const {
        QStringList on;
        for (Lamp* l : win->findChildren<Lamp*>())
            if (l->isLit() && l->objectName() != "shpSend" && l->objectName() != "shpRecv")
                on << l->text();
        return on.join(',');
    }
    // The fill of a key as drawn: beside its caption, at the top and at the bottom, which a
    // gradient would tell apart.
    QColor keyColour(int i) const {
        const QImage img = child(QStringLiteral("btnPrint_%1").arg(i))->grab().toImage();
        EXPECT_EQ(img.pixelColor(5, 4), img.pixelColor(5, img.height() - 5)) << "key " << i;
        return img.pixelColor(5, img.height() / 2);
    }
};

// Rows run in order: a unit code other than 0 and 1 keeps the unit of the row before.
TEST_F(LiveDisplay, SelectedStationsOwnRowGivesFiguresUnitAndLamps) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // INP UNIT DP-P NPV NSV MVOUT ALMSTS ERRSTS MODSTS SV-No -> PV SV MV unit -> lamps lit
        {"3 0 0 1234 2500 455", "123.4 250.0 45.5 ℃", "OUT"},
        {"3 1 0 1234 . 1", "1234 0 0.1 ℉", "OUT"},
        {"3 2 0 55", "55 0 0.0 ℉", ""},
        {"20 1 0 1234 7", "123.4 0.7 0.0 ℉", ""},
        {"30 0 2 1234 -1", "12.34 -0.01 0.0 V", ""},
        {"31 0 3 1234 . -3", "1.234 0.000 -0.3 ㎷", ""},
        {"0 0 2 1234", "1234 0 0.0 ㎷", ""},
        {"2 0 0 -5 . . 3 . 1", "-0.5 0.0 0.0 ℃", "AL1,AL2,AT"},
        {"3 0 0 . . . 252 240 1792 1", "0.0 0.0 0.0 ℃", ""},
        {"3 0 0 . . . . 271 . 2", "0.0 0.0 0.0 ℃", "SV2,PV BOUT,RJC ERR,PV POVR,PV MOVR,AT ERR"},
        {"3 0 0 . . . . 512 . 3", "0.0 0.0 0.0 ℃", "SV3"},
        {".", "0 0 0.0 ㎷", ""}, // no values yet: its own empty state, not the other station's
    };
    setRow(1, "20 1 0 999 999 999 3 15 1 2");
    for (const auto& [row, figures, lamps] : cases) {
        SCOPED_TRACE(row);
        setRow(2, row);
        win->tmrRefresh_Timer();
        EXPECT_EQ(
            QStringList({text("lblPV"), text("lblSV"), text("lblMV"), text("lblUnit_0")}).join(' '),
            figures);
        EXPECT_EQ(text("lblUnit_1"), text("lblUnit_0"));
        EXPECT_EQ(litLamps(), lamps);
    }
    win->link()->gMC_No = 0; // no station selected: no row matches and the figures stay
    setRow(2, "3 0 0 1234");
    win->tmrRefresh_Timer();
    EXPECT_EQ(text("lblPV"), "0");
}

// Colours follow MODSTS bits 8 to 10, then registers 502, 503 and 505 have the last word; a
// press writes 1 for Print and Feed and toggles the other three.
TEST_F(LiveDisplay, RecorderKeysShowAndToggleTheirRegisters) {
    const struct {
        const char *modsts, *r502, *r503, *r505, *colours, *writes; // colours: R on, B off
    } cases[] = {
        {"0", "0", "0", "0", "BBBBB", "11111"},    {"256", "0", "0", "0", "RBBBB", "11111"},
        {"1792", "0", "0", "0", "RBBBB", "11111"}, {"0", "1", "0", "0", "BRBBB", "10111"},
        {"0", "0", "2", "0", "BBRBB", "11011"},    {"0", "0", "0", "1", "BBBBR", "11110"},
        {"0", "-1", "-1", "-1", "BBBBB", "11111"}, {"0", "", "", "", "BBBBB", "11111"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.modsts << " " << c.r502 << c.r503 << c.r505);
        setRow(2, QStringLiteral(". . . . . . . . %1").arg(c.modsts));
        setRegister(502, c.r502);
        setRegister(503, c.r503);
        setRegister(505, c.r505);
        win->tmrRefresh_Timer();
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(keyColour(k), c.colours[k] == 'R' ? QColor(255, 0, 0) : QColor(192, 192, 255))
                << "key " << k;
            QTest::mouseClick(child<QPushButton>(QStringLiteral("btnPrint_%1").arg(k)),
                              Qt::LeftButton);
            EXPECT_EQ(answerNext(), QByteArray("\x02") + "07DWR,01,050" +
                                        QByteArray::number(k + 1) + ",000" + c.writes[k] + "\r\n");
        }
    }
    // While the port closes the link takes nothing: a key says so in the link's words.
    QStringList said;
    setMsgBoxHandler([&](const QString&, const QString& text, QMessageBox::StandardButtons) {
        said << text;
        return QMessageBox::Ok;
    });
    press("btnMenu_3");
    press("btnPrint_3");
    EXPECT_EQ(said, QStringList{link()->request(Request::writeOne(7, 504, 1)).refusal});
}

TEST_F(LiveDisplay, PrintSpeedIsShownLimitedAndRounded) {
    setRegister(506, "120");
    win->tmrRefresh_Timer();
    auto* lbl = child<QLabel>("lblSPD");
    auto* txt = child<QLineEdit>("txtSPD");
    const std::pair<const char*, int> cases[] = {
        {"10", 24},     {"1000", 900}, {"24", 24},    {"900", 900},  {"150.7", 151},
        {"150.5", 150}, {"abc", 24},   {" 300", 300}, {"500x", 500}, {"-100", 24}};
    for (const auto& [typed, value] : cases) {
        QTest::mouseClick(lbl, Qt::LeftButton);
        EXPECT_EQ(txt->text(), "120");
        txt->setText(typed);
        QTest::keyClick(txt, Qt::Key_Return);
        // Each replaces the one before while it waits for the tick.
        EXPECT_EQ(link()->pendingRequest(), Request::writeOne(7, 506, value)) << typed;
        EXPECT_FALSE(lbl->isHidden());
    }
    EXPECT_EQ(sent(), QByteArray("\x02"
                                 "07DWR,01,0506,0018\r\n"));
    QTest::mouseClick(lbl, Qt::LeftButton);
    emit txt->editingFinished(); // leaving the entry without confirming sends nothing
    EXPECT_FALSE(link()->pendingRequest());
    EXPECT_FALSE(lbl->isHidden());
}
