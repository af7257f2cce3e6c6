// Live display and recorder keys from the stored values; the line-to-figure road is
// test_main_pty's.
#include "MainFixture.h"
#include "link/Steps.h"
#include "monitor/StaleLook.h"
#include "ui/GridModel.h"

#include <QAccessible>

class LiveDisplay : public MainFixture {
protected:
    void SetUp() override {
        MainFixture::SetUp();
        build({4, 7}, 2, 2); // station 7 selected
    }
    // Station `row`'s reply from space-separated values for INP, UNIT, DP-P, NPV, NSV, MVOUT,
    // ALMSTS, ERRSTS, MODSTS and register 300; every other value 0.
    void setRow(int row, const QString& values) {
        const int at[] = {0, 1, 2, 3, 4, 7, 9, 10, 11, 12};
        QStringList regs = QString("0 ").repeated(19).split(' ');
        const QStringList v = values.split(' ');
        for (int i = 0; i < v.size(); ++i)
            regs[at[i]] = v[i];
        store(row, regs.join(' ').toLatin1());
    }
    // The selected station's registers 502, 503, 505 and 506 as its read of all parameters
    // leaves them in its image.
    void setRecorder(int r502, int r503, int r505, int r506 = 0) {
        const std::vector<int>& regs = findStep(kStepReadAll3)->regs;
        std::vector<int> v(regs.size(), 0);
        const int given[][2] = {{502, r502}, {503, r503}, {505, r505}, {506, r506}};
        for (const auto& [reg, value] : given)
            v[size_t(std::find(regs.begin(), regs.end(), reg) - regs.begin())] = value;
        link()->line().storeImage(7, regs, v);
    }
    QString litLamps() const {
        QStringList on;
        for (Lamp* l : win->findChildren<Lamp*>()) {
            // Assistive technology is told what the eye sees, and never that a dark lamp is on.
            EXPECT_EQ(QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name),
                      l->text() + (l->isOn() ? ": on" : ": off"))
                << l->objectName().toStdString();
            if (l->isLit() && l->objectName() != "shpSend" && l->objectName() != "shpRecv")
                on << l->text();
        }
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

// One station selected on a line of two, from its first reply to the port closing: nothing shows
// before its first reply, not even a unit; values no longer current (a missed reply, a lost
// port) stay, greyed, their lamps pale. The print speed is limited and rounded. Rows run in
// order: a unit code other than 0 and 1 keeps the unit of the row before. The recorder keys'
// colours follow MODSTS bits 8 to 10, then registers 502, 503 and 505 have the last word; a
// press writes 1 for Print and Feed and toggles the other three.
TEST_F(LiveDisplay, SelectedStationFromItsFirstReplyToThePortClosing) {
    const auto shown = [this] {
        // The change starts the refresh, which shows it by itself; then nothing runs.
        EXPECT_TRUE(QTest::qWaitFor([this] { return !win->tmrRefresh.isActive(); }));
        return QStringList({text("lblPV"), text("lblSV"), text("lblMV"), text("lblUnit_0"),
                            text("lblUnit_MV"), litLamps()})
            .join('|');
    };
    const auto ink = [this] {
        return child<QLabel>("lblPV")->palette().color(QPalette::WindowText) ==
               toQColor(StaleLook::kText);
    };
    EXPECT_EQ(shown(), "|||||");
    setRow(1, "3 0 0 999 999 999 1"); // another station's reply shows nothing here
    EXPECT_EQ(shown(), "|||||");
    setRow(2, "3 0 0 1234 2500 455 1");
    EXPECT_EQ(shown(), "123.4|250.0|45.5|℃|%|AL1,OUT");
    EXPECT_FALSE(ink());
    for (int k = 0; k < 6 && link()->isFresh(1); ++k) { // station 7 misses a reply
        sent();
        link()->fire(LinkTimer::RecvErr);
    }
    ASSERT_FALSE(link()->isFresh(1));
    EXPECT_EQ(shown(), "123.4|250.0|45.5|℃|%|AL1,OUT");
    EXPECT_TRUE(ink());
    EXPECT_EQ(child<Lamp>("shpAL_0")->color(), StaleLook::kLamp);
    setRow(2, "3 0 0 1235 2500 455 1");
    EXPECT_EQ(shown(), "123.5|250.0|45.5|℃|%|AL1,OUT");
    EXPECT_FALSE(ink());
    EXPECT_EQ(child<Lamp>("shpAL_0")->color(), kRed);
    // The print speed.
    setRecorder(0, 0, 0, 120);
    win->tmrRefresh_Timer();
    auto* lbl = child<QLabel>("lblSPD");
    auto* txt = child<QLineEdit>("txtSPD");
    const std::pair<const char*, int> speeds[] = {
        {"10", 24},     {"1000", 900}, {"24", 24},    {"900", 900},  {"150.7", 151},
        {"150.5", 150}, {"abc", 24},   {" 300", 300}, {"500x", 500}, {"-100", 24}};
    bool byKey = false; // every other one from the keyboard
    for (const auto& [typed, value] : speeds) {
        if ((byKey = !byKey))
            QTest::keyClick(lbl, Qt::Key_Return);
        else
            QTest::mouseClick(lbl, Qt::LeftButton);
        EXPECT_EQ(txt->text(), "120");
        txt->setText(typed);
        QTest::keyClick(txt, Qt::Key_Return);
        // Each replaces the one before while it waits for the tick.
        EXPECT_EQ(link()->pendingRequest(), Request::writeOne(7, 506, value)) << typed;
        EXPECT_FALSE(lbl->isHidden());
    }
    EXPECT_EQ(answerNext(), wrap("07DWR,01,0506,0018"));
    QTest::mouseClick(lbl, Qt::LeftButton);
    emit txt->editingFinished(); // leaving the entry without confirming sends nothing
    EXPECT_FALSE(link()->pendingRequest());
    EXPECT_FALSE(lbl->isHidden());
    // Figures, unit and lamps.
    const std::pair<const char*, const char*> rows[] = {
        // INP UNIT DP-P NPV NSV MVOUT ALMSTS ERRSTS MODSTS SV-No -> PV SV MV unit % lamps lit
        {"3 0 0 1234 2500 455", "123.4|250.0|45.5|℃|%|OUT"},
        {"3 1 0 1234 . 1", "1234|0|0.1|℉|%|OUT"},
        {"3 2 0 55", "55|0|0.0|℉|%|"},
        {"20 1 0 1234 7", "123.4|0.7|0.0|℉|%|"},
        {"30 0 2 1234 -1", "12.34|-0.01|0.0|V|%|"},
        {"31 0 3 1234 . -3", "1.234|0.000|-0.3|㎷|%|"},
        {"0 0 2 1234", "1234|0|0.0|㎷|%|"},
        {"2 0 0 -5 . . 3 . 1", "-0.5|0.0|0.0|℃|%|AL1,AL2,AT"},
        {"3 0 0 . . . 252 240 1792 1", "0.0|0.0|0.0|℃|%|"},
        {"3 0 0 . . . . 271 . 2", "0.0|0.0|0.0|℃|%|SV2,PV BOUT,RJC ERR,PV POVR,PV MOVR,AT ERR"},
        {"3 0 0 . . . . 512 . 3", "0.0|0.0|0.0|℃|%|SV3"},
    };
    setRow(1, "20 1 0 999 999 999 3 15 1 2");
    for (const auto& [row, figures] : rows) {
        setRow(2, row);
        EXPECT_EQ(shown(), figures) << row;
        EXPECT_EQ(text("lblUnit_1"), text("lblUnit_0")) << row;
    }
    // colours: R on, B off
    const std::tuple<const char*, int, int, int, const char*, const char*> keys[] = {
        {"0", 0, 0, 0, "BBBBB", "11111"},    {"256", 0, 0, 0, "RBBBB", "11111"},
        {"1792", 0, 0, 0, "RBBBB", "11111"}, {"0", 1, 0, 0, "BRBBB", "10111"},
        {"0", 0, 2, 0, "BBRBB", "11011"},    {"0", 0, 0, 1, "BBBBR", "11110"},
        {"0", -1, -1, -1, "BBBBB", "11111"},
    };
    for (const auto& [modsts, r502, r503, r505, colours, writes] : keys) {
        SCOPED_TRACE(testing::Message() << modsts << " " << r502 << r503 << r505);
        setRow(2, QStringLiteral(". . . . . . . . %1").arg(modsts));
        setRecorder(r502, r503, r505);
        win->tmrRefresh_Timer();
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(keyColour(k), colours[k] == 'R' ? QColor(255, 0, 0) : QColor(192, 192, 255))
                << "key " << k;
            QTest::mouseClick(child<QPushButton>(QStringLiteral("btnPrint_%1").arg(k)),
                              Qt::LeftButton);
            EXPECT_EQ(answerNext(),
                      wrap("07DWR,01,050" + QByteArray::number(k + 1) + ",000" + writes[k]));
        }
    }
    // While the port closes the link takes nothing: a key says so in the link's words.
    press("btnMenu_3");
    said.clear(); // Close the port? Yes
    press("btnPrint_3");
    EXPECT_EQ(said, QStringList{LinkWords::refusal(link()->request(Request::writeOne(7, 504, 1)))});
    // The port never opened: no station selected, nothing to show.
    build({4, 7}); // the port never opened: no station selected, nothing to show
    setRow(2, "3 0 0 1234 2500 455");
    win->tmrRefresh_Timer();
    EXPECT_EQ(text("lblPV") + text("lblUnit_0") + litLamps(), "");
}
