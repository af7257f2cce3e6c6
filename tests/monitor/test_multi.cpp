// Multi-Monitoring and the value editor: the refresh pass, the keys and the speed cell down to
// the bytes on the wire for the row's station, a row's write refused or given up in the message
// line, the editor's limits and refusal, and the window's opening size. The link's storing of
// replies and its step handling are the link tests' business.
#include "MainFixture.h"
#include "app/Commands.h"
#include "monitor/frmD_Edit.h"
#include "monitor/frmKX5_Multi.h"
#include "tests/support/RecordingSink.h"
#include "ui/GridView.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <set>

using Col = frmKX5_Multi::Col;

class Multi : public MainFixture {
protected:
    // Stations 1, 3 and 7 in use and answering, the link polling station 1, which is selected;
    // station 7's values not in yet. The link's word on how a request ended reaches the window
    // as command 4 wires it.
    void SetUp() override {
        MainFixture::SetUp();
        build({1, 3, 7}, 3);
        for (int r = 1; r <= 2; ++r)
            store(r, "3 0 0 0 0 0 0 0 1 0 0 0 1 0 0 0 0 0 150");
        multi = std::make_unique<frmKX5_Multi>(link(), &link()->line());
        QObject::connect(link(), &KX5Link::requestEnded, multi.get(),
                         &frmKX5_Multi::onRequestEnded);
        multi->fitToContents(QSize(1920, 1040)); // the test screen is smaller than an operator's
        multi->show();
    }
    void TearDown() override {
        multi.reset();
        MainFixture::TearDown();
    }
    QRect cellRect(int col, int row) {
        return multi->view()->visualRect(multi->view()->model()->index(row - 1, col - 1));
    }
    void clickCell(int col, int row) {
        QTest::mouseClick(multi->view()->viewport(), Qt::LeftButton, {},
                          cellRect(col, row).center());
    }
    // One refresh pass, as the window's own refresh runs it.
    void refresh() { multi->tmrRefresh_Timer(); }
    std::unique_ptr<frmKX5_Multi> multi;
};

TEST_F(Multi, RefreshPassShowsValuesLampsAndKeysOfEachRowAndASilentStationKeepsItsRow) {
    struct Case {
        int row;
        const char* monitor;
        const char* shown;       // PV SV MV PID
        std::set<int> lit, keys; // lamp columns (hidden ones too) and keys in red
    };
    // clang-format off
    const Case cases[] = {
        // ALMSTS 5: alarm 1 and the hidden alarm 3; alarm 2 keeps the odd row's white.
        {1, "3 0 0 1234 1000 0 0 0 1 5 0 0 1 0 0 0 0 0 150", "123.4 ℃ 100.0 ℃ 0.0 % 1",
         {Col::Alarm1, Col::Alarm1 + 2}, {}},
        // ERRSTS 256: "AT  ERR" only, the dark lamps light green on an even row.
        {2, "30 0 2 1234 0 0 0 505 1 0 256 0 1 0 0 0 0 0 150", "12.34 V 0.00 V 50.5 % 1",
         {Col::ErrAT}, {}},
        // ERRSTS bits 0 to 3 light their lamps; bit 4 (16) and bits 9 to 15 nothing.
        {3, "3 0 0 0 0 0 0 0 4 0 -481 0 1 0 0 0 0 0 150", "0.0 ℃ 0.0 ℃ 0.0 % 4",
         {Col::Err1, Col::Err1 + 1, Col::Err1 + 2, Col::Err1 + 3}, {}},
        // MODSTS 257: "AT", and bit 8 the hidden RUN lamp and the PRINT key.
        {1, "3 0 0 -5 0 0 0 0 1 0 0 257 1 0 0 0 0 0 150", "-0.5 ℃ 0.0 ℃ 0.0 % 1",
         {Col::AT, Col::Run}, {Col::KeyPrint}},
        // The other hidden MODSTS lamps (bits 2, 3, 9, 13); bits 1, 10 to 12 show nothing.
        {2, "3 1 0 7 0 0 0 0 1 0 0 15886 1 0 0 0 0 0 150", "7 ℉ 0 ℉ 0.0 % 1",
         {Col::JC, Col::Minus, Col::Prog, Col::Wait}, {}},
        // Keys from registers 502 to 505 above 0; register 501 does not light PRINT.
        {3, "3 0 0 0 0 0 0 0 1 0 0 0 1 1 1 -1 2 1 900", "0.0 ℃ 0.0 ℃ 0.0 % 1",
         {}, {Col::KeyPrint + 1, Col::KeyPrint + 3, Col::KeyPrint + 4}},
        // An unknown unit code keeps the unit the row showed; a linear input shows its own.
        {2, "3 7 0 70 0 0 0 0 1 0 0 0 1 0 0 0 0 0 150", "70 ℉ 0 ℉ 0.0 % 1", {}, {}},
        {2, "31 0 1 -5 0 0 0 0 1 0 0 0 1 0 0 0 0 0 150", "-0.5 ㎷ 0.0 ㎷ 0.0 % 1", {}, {}},
    };
    // clang-format on
    const Grid& g = *multi->grid();
    // Form_Load copied the station table: a row per station, state text and colour.
    ASSERT_EQ(g.maxRows(), 3);
    EXPECT_EQ(g.text(Col::McNo, 3) + '|' + g.text(Col::ConnState, 3), "7 Oven|OK");
    EXPECT_EQ(g.backColor(Col::ConnState, 3), kGreen);
    // Station 7 shows no invented zeros and offers no edit.
    EXPECT_EQ(g.text(Col::PV, 3) + g.hint(Col::Speed, 3), "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.monitor);
        store(c.row, c.monitor);
        refresh();
        const QStringList shown = {g.text(Col::PV, c.row), g.text(Col::SV, c.row),
                                   g.text(Col::MV, c.row), g.text(Col::PidNo, c.row)};
        EXPECT_EQ(shown.join(' '), c.shown);
        EXPECT_EQ(g.text(Col::Speed, c.row), QString(c.monitor).section(' ', 18));
        const Bgr zebra = c.row % 2 ? kWhite : kLightGreen;
        for (int col = Col::Alarm1; col <= Col::AT; ++col)
            EXPECT_EQ(g.backColor(col, c.row),
                      col == Col::AutMan ? std::optional<Bgr>()
                      : c.lit.count(col) ? kRed
                                         : zebra)
                << col; // AUT/MAN is never coloured
        for (int col = Col::KeyPrint; col <= Col::KeyZoom; ++col)
            EXPECT_EQ(g.buttonColor(col, c.row), c.keys.count(col) ? kRed : multi->keyOffColor())
                << col;
    }
    // A pass over unchanged tables tells the views nothing: no cell is repainted.
    QSignalSpy changes(multi->grid(), &Grid::cellChanged);
    refresh();
    EXPECT_EQ(changes.count(), 0);

    // What the user sees: flat red lamps and keys, dark lamps in the row's zebra colour.
    const QImage shot = multi->view()->viewport()->grab().toImage();
    auto pixel = [&](int col, int row) {
        return shot.pixelColor(cellRect(col, row).left() + 5, cellRect(col, row).center().y());
    };
    EXPECT_EQ(pixel(Col::AT, 1), QColor(255, 0, 0));
    EXPECT_EQ(pixel(Col::Alarm1, 1), QColor(255, 255, 255));
    EXPECT_EQ(pixel(Col::Err1 + 1, 2), QColor(192, 255, 192));
    EXPECT_EQ(pixel(Col::KeyZoom, 3), QColor(255, 0, 0));
    EXPECT_EQ(pixel(Col::KeyPrint + 2, 3), toQColor(multi->keyOffColor()));
    // A silent station keeps its row and loses its hint.
    store(2, "3 0 0 250 0 0 0 0 1 1 0 0 1 0 0 0 0 0 300");
    refresh();
    ASSERT_EQ(g.hint(Col::Speed, 2), "Click => Edit Value");
    // A new model sweep gives station 3 up: its last values stay, its hint goes.
    link()->line().setModel(3, ControllerModel::Unknown);
    store(2, "3 0 0 999 0 0 0 0 1 0 0 0 1 0 0 0 0 0 24");
    refresh();
    const QStringList row = {g.text(Col::PV, 2), g.text(Col::Speed, 2), g.text(Col::ConnState, 2),
                             g.hint(Col::Speed, 2)};
    EXPECT_EQ(row, (QStringList{"25.0 ℃", "300", "OK", ""}));
    EXPECT_EQ(g.backColor(Col::Alarm1, 2), kRed);
    // Station 1 answers, then falls silent while the window is open: NG on black at its first
    // time-out, its last values grey.
    answerNext();
    refresh();
    EXPECT_EQ(g.foreColor(Col::PV, 1), kBlack);
    pollAt(1);
    sent();
    link()->fire(LinkTimer::RecvErr);
    // The rows follow the line by themselves.
    EXPECT_TRUE(QTest::qWaitFor([&] { return g.text(Col::ConnState, 1) == "NG"; }));
    EXPECT_EQ(g.text(Col::ConnState, 1) + " " + g.text(Col::PV, 1), "NG 0 ㎷");
    EXPECT_EQ(g.backColor(Col::ConnState, 1), kBlack);
    EXPECT_EQ(g.foreColor(Col::PV, 1), frmKX5_Multi::kStaleText);
}

TEST_F(Multi, KeysAndTheSpeedCellWriteToTheStationOfTheirRow) {
    struct Case {
        int key, row;
        int current; // the row's register, as the monitor read stored it
        const char* wire;
    };
    // clang-format off
    const Case cases[] = {
        {1, 2, 1, "03DWR,01,0502,0000"}, {1, 2, 0, "03DWR,01,0502,0001"},
        {1, 3, -2, "07DWR,01,0502,0001"}, {2, 3, 5, "07DWR,01,0503,0000"},
        {4, 2, 0, "03DWR,01,0505,0001"}, {4, 1, 1, "01DWR,01,0505,0000"},
        {0, 3, 1, "07DWR,01,0501,0001"}, {3, 2, 1, "03DWR,01,0504,0001"},
        {3, 2, 0, "03DWR,01,0504,0001"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wire);
        QStringList regs = QString("3 0 0 0 0 0 0 0 1 0 0 0 1 0 0 0 0 0 150").split(' ');
        regs[13 + c.key] = QString::number(c.current);
        store(c.row, regs.join(' ').toLatin1());
        QSignalSpy ended(link(), &KX5Link::requestEnded);
        const int key = Col::KeyPrint + c.key;
        clickCell(key, c.row);
        clickCell(key, c.row); // pressed again while pending: nothing more
        EXPECT_EQ(multi->grid()->buttonColor(key, c.row), frmKX5_Multi::kKeyPending);
        EXPECT_EQ(answerNext(), wrap(c.wire));
        // Acknowledged, the re-read of blocks 3 and 4 asks the same station; its answer (all
        // zero) is the key's state at once.
        for (int block = 3; block <= 4; ++block)
            EXPECT_TRUE(answerNext().startsWith("\x02" + QByteArray(c.wire).left(2) + "DRR,"));
        EXPECT_EQ(link()->phase(), KX5Link::Phase::Monitoring);
        ASSERT_EQ(ended.count(), 1);
        EXPECT_EQ(ended[0][1].value<RequestOutcome>(), RequestOutcome::Done);
        if (c.key > 0) {
            EXPECT_EQ(multi->grid()->buttonColor(key, c.row), multi->keyOffColor());
        }
    }
    // Tab goes through the keys and the speed cell row by row, Shift+Tab back; Space presses
    // the key the focus is on, like a click.
    GridView* v = multi->view();
    const auto at = [&](int col, int row) { return v->model()->index(row - 1, col - 1); };
    QApplication::setActiveWindow(multi.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(multi.get()));
    v->clearFocus();
    v->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(v->currentIndex(), at(Col::KeyPrint, 1));
    for (int k = 0; k < 6; ++k)
        QTest::keyClick(v, Qt::Key_Tab);
    EXPECT_EQ(v->currentIndex(), at(Col::KeyPrint, 2));
    QTest::keyClick(v, Qt::Key_Backtab);
    EXPECT_EQ(v->currentIndex(), at(Col::Speed, 1));
    QTest::keyClick(v, Qt::Key_Tab);
    QTest::keyClick(v, Qt::Key_Space);
    EXPECT_EQ(answerNext(), wrap("03DWR,01,0501,0001"));
    // The speed cell opens the editor, whose value goes to the row's station.
    refresh();
    int opened = 0;
    multi->runEditor = [&](frmD_Edit& d) {
        ++opened;
        EXPECT_EQ(d.lblOldVal->text() + " " + d.lblStation->text(), "0 MC 7"); // as read back
        d.txtEditVal->setText("151.5");
        d.btnOK->click();
        return d.result();
    };
    clickCell(Col::Speed, 3);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(answerNext(), wrap("07DWR,01,0506,0098")); // 152, to station 7 while 1 is polled
    // Elsewhere in the row nothing opens.
    clickCell(Col::PV, 3);
    clickCell(Col::AT, 3);

    // A station that has not answered gets nothing; of two presses the last one is sent.
    link()->line().setModel(7, ControllerModel::Unknown);
    clickCell(Col::KeyPrint, 3);
    clickCell(Col::Speed, 3);
    EXPECT_FALSE(link()->pendingRequest());
    EXPECT_EQ(opened, 1);
    clickCell(Col::KeyPrint + 3, 1);
    clickCell(Col::KeyPrint + 3, 2);
    EXPECT_EQ(sent(), wrap("03DWR,01,0504,0001"));

    // A row's write its station never confirms is said under the grid in the link's words
    // until that station confirms one; one the link refuses is said at once.
    QSignalSpy ended(link(), &KX5Link::requestEnded);
    for (int k = 0; k < 2; ++k) {
        link()->fire(LinkTimer::RecvErr);
        EXPECT_EQ(sent(), wrap("03DWR,01,0504,0001"));
    }
    link()->fire(LinkTimer::RecvErr);
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended[0][1].value<RequestOutcome>(), RequestOutcome::GivenUp);
    const QString said = multi->messageLabel()->text();
    EXPECT_NE(said, "");
    clickCell(Col::KeyPrint + 3, 1); // another station's success leaves it
    answerNext();
    EXPECT_EQ(multi->messageLabel()->text(), said);
    clickCell(Col::KeyPrint + 3, 2);
    EXPECT_EQ(answerNext(), wrap("03DWR,01,0504,0001"));
    EXPECT_EQ(multi->messageLabel()->text(), "");
    press("btnMenu_3"); // closing: nothing more is taken
    clickCell(Col::KeyPrint, 2);
    EXPECT_EQ(multi->messageLabel()->text(),
              LinkWords::refusal(link()->request(Request::writeOneOf(3, 501, 1))));
    EXPECT_NE(multi->messageLabel()->text(), "");
    // The main window's command 4 opens Multi-Monitoring.
    installCommands(win.get());
    EXPECT_EQ(opens(4), "frmKX5_Multi");
}

TEST_F(MainFixture, MultiWithNinetyNineStationsShowsTwentyRowsAndEveryColumn) {
    writeFile(QStringLiteral("CFG/SetEnv.INI"),
              QByteArray("O\tDrying oven, north hall, line 2 (batch)\r\n").repeated(99));
    open();
    frmKX5_Multi w(link(), &link()->line());
    w.fitToContents(QSize(1920, 1040));
    w.show();
    GridView* v = w.view();
    EXPECT_EQ(w.grid()->maxRows(), 99);
    EXPECT_GE(v->viewport()->height() / v->rowHeight(0), 20);
    EXPECT_LE(v->horizontalHeader()->length(), v->viewport()->width());
}

TEST(DEdit, LimitsRoundsAndRefusesAnEmptyEntry) {
    struct Case {
        const char* typed;
        bool enter;                // Return in the entry (it confirms and sends), else OK
        const char* shown;         // the entry afterwards
        int sent;                  // value asked for; -1: nothing
        const char* linkSays = ""; // the link refuses with this: the editor shows it, stays open
    };
    // clang-format off
    const Case cases[] = {
        {"10", true, "24", 24},      {"1000", true, "900", 900},  {"24", true, "24", 24},
        {"900", true, "900", 900},   {"23.9", true, "24", 24},    {"abc", true, "24", 24},
        {"150.5", false, "150.5", 150}, {"151.5", false, "151.5", 152},
        {"900.4", false, "900", 900}, {"2000", false, "900", 900}, {"", false, "", -1},
        {"   ", false, "   ", -1},      {"150", false, "150", 150, "MC 7 busy"},
    };
    // clang-format on
    AnsweredBoxes boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        boxes.said.clear();
        RecordingSink sink;
        sink.mcNo = 1; // selected elsewhere: the editor's station is the row's
        sink.refusal = *c.linkSays ? Refusal::NotAnswered : Refusal::None;
        frmD_Edit d(&sink);
        d.setStation(7);
        d.show();
        d.txtEditVal->setText(c.typed);
        if (c.enter)
            QTest::keyClick(d.txtEditVal, Qt::Key_Return);
        else
            d.btnOK_Click();
        EXPECT_EQ(d.txtEditVal->text(), c.shown);
        const QString box = c.sent < 0 ? QStringLiteral("Input Change Value.")
                                       : LinkWords::refusal(sink.requests.back(), sink.refusal);
        EXPECT_EQ(boxes.said, box.isEmpty() ? QStringList() : QStringList{box});
        EXPECT_EQ(d.isVisible(), !box.isEmpty());
        // The station and register written out here; 220 is the polled station's write step.
        std::vector<Request> asked;
        if (c.sent >= 0) asked.push_back({220, 7, {506}, {c.sent}, {}});
        EXPECT_EQ(sink.requests, asked);
    }
}
