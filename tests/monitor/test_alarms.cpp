// The alarm book: each alarm lamp's life with a fake clock, stale readings, one event per
// change; and the alarm list window acknowledging all. The lamps' decoding is test_display's.
#include "MainFixture.h"
#include "services/AlarmBook.h"

#include <QSignalSpy>

using State = AlarmBook::State;

TEST(AlarmBook, LifeOfEachLamp) {
    const struct Row {
        int word, bits; // the status word and the value that lights the lamp
        StatusLamp lamp;
        bool alarm;
    } rows[] = {
        {MonReg::ALMSTS, 1, StatusLamp::AL1, true},
        {MonReg::ALMSTS, 2, StatusLamp::AL2, true},
        {MonReg::ALMSTS, 4, StatusLamp::AL3, true},
        {MonReg::ERRSTS, 1, StatusLamp::PvBout, true},
        {MonReg::ERRSTS, 2, StatusLamp::RjcErr, true},
        {MonReg::ERRSTS, 4, StatusLamp::PvPovr, true},
        {MonReg::ERRSTS, 8, StatusLamp::PvMovr, true},
        {MonReg::ERRSTS, 256, StatusLamp::AtErr, true},
        {MonReg::MODSTS, 1, StatusLamp::AT, false},
        {MonReg::MODSTS, 256, StatusLamp::Run, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(kLampBits[size_t(row.lamp)].name);
        LineServices services(std::make_unique<FakeSerialPort>());
        LineModel& line = services.link()->line();
        AlarmBook& book = *services.alarms();
        QDateTime now(QDate(2026, 3, 7), QTime(9, 0, 0));
        book.clock = services.events()->clock = [&now] { return now; };
        book.user = [] { return QStringLiteral("kim"); };
        QSignalSpy said(services.events(), &EventLog::added);
        services.link()->setStations({{4, "Oven"}, {7, "Dryer"}});
        // Station 7 keeps its lamp on throughout: station 4's life never touches it.
        std::array<int, StationValues::kCount> regs{};
        regs[MonReg::INP] = 3, regs[MonReg::NPV] = 1234, regs[row.word] = row.bits;
        line.storeValues(7, regs, now);
        const size_t others = book.alarms().size();
        auto store = [&](bool on) {
            now = now.addSecs(1);
            regs[row.word] = on ? row.bits : 0;
            line.storeValues(4, regs, now);
        };
        auto mine = [&]() -> const AlarmBook::Alarm* {
            for (const auto& a : book.alarms())
                if (a.mcNo == 4) return &a;
            return nullptr;
        };
        said.clear();
        store(false);
        EXPECT_EQ(mine(), nullptr);
        store(true);
        if (!row.alarm) {
            EXPECT_EQ(book.alarms().size(), 0u);
            EXPECT_EQ(said.count(), 0);
            continue;
        }
        const QDateTime raisedAt = now;
        ASSERT_NE(mine(), nullptr);
        EXPECT_EQ(std::tuple(mine()->lamp, mine()->state(), mine()->raisedAt, mine()->value()),
                  std::tuple(row.lamp, State::ActiveUnacknowledged, raisedAt, QString("123.4℃")));
        store(true); // still on: nothing new
        EXPECT_EQ(mine()->raisedAt, raisedAt);
        EXPECT_EQ(said.count(), 1);
        // A station gone stale neither clears nor raises, however long it stays so.
        line.markAllStale();
        now = now.addSecs(3600);
        book.checkStation(4);
        EXPECT_EQ(mine()->state(), State::ActiveUnacknowledged);
        store(false);
        EXPECT_EQ(mine()->state(), State::ClearedUnacknowledged);
        EXPECT_EQ(mine()->clearedAt, now);
        store(true); // back before anyone acknowledged: the same alarm, raised again
        EXPECT_EQ(mine()->state(), State::ActiveUnacknowledged);
        EXPECT_EQ(mine()->raisedAt, now);
        EXPECT_FALSE(mine()->clearedAt.isValid());
        EXPECT_EQ(book.alarms().size(), others + 1);
        now = now.addSecs(5);
        EXPECT_TRUE(book.acknowledge(mine()->id));
        EXPECT_FALSE(book.acknowledge(mine()->id));
        EXPECT_EQ(mine()->state(), State::ActiveAcknowledged);
        EXPECT_EQ(mine()->ackedAt, now);
        EXPECT_EQ(mine()->ackedBy, QStringLiteral("kim"));
        store(false); // acknowledged and cleared: gone
        EXPECT_EQ(mine(), nullptr);
        store(true);
        store(false);
        EXPECT_EQ(book.unacknowledged(), int(others) + 1);
        EXPECT_EQ(book.acknowledgeAll(), int(others) + 1);
        EXPECT_EQ(book.alarms().size(), others); // cleared, then acknowledged: gone
        EXPECT_EQ(book.unacknowledged(), 0);
        // One event per change of station 4's alarm: on, off, on, acknowledged, off, on, off,
        // acknowledged; and station 7's acknowledgement.
        EXPECT_EQ(std::count_if(said.begin(), said.end(), [](auto& a) { return a.at(1) == 4; }), 8);
        EXPECT_EQ(said.count(), 8 + int(others));
        // Taken out of use, a station's alarms go with it.
        services.link()->setStations({{4, "Oven"}});
        EXPECT_EQ(book.alarms().size(), 0u);
    }
}

class AlarmWindow : public MainFixture {};

// Acknowledge All in the list empties the status bar's count; the list keeps the active ones.
TEST_F(AlarmWindow, AcknowledgeAllEmptiesTheCount) {
    build({1, 2});
    AlarmBook* book = win->alarms();
    book->user = [] { return QStringLiteral("kim"); };
    book->setSound(false);
    auto* count = child<QLabel>("lblAlarms");
    EXPECT_TRUE(count->isHidden());
    store(1, "3 0 0 1234 1000 0 0 500 1 3 0"); // AL1, AL2
    store(2, "3 0 0 250 300 0 0 0 1 0 1");     // PV BOUT
    store(2, "3 0 0 250 300 0 0 0 1 0 0");     // out again, not acknowledged
    EXPECT_EQ(book->unacknowledged(), 3);
    EXPECT_FALSE(count->isHidden());
    win->show();
    QTest::mouseClick(count, Qt::LeftButton); // the count opens the list, as Online > Alarms does
    auto* list = child<QDialog>("AlarmList");
    list->show();
    auto* table = list->findChild<QTableView*>(QStringLiteral("tblAlarms"));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->model()->rowCount(), 3);
    EXPECT_FALSE(list->isModal());
    auto* ack = list->findChild<QPushButton*>(QStringLiteral("btnAck"));
    EXPECT_FALSE(ack->isEnabled()); // nothing picked
    QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("btnAckAll")), Qt::LeftButton);
    EXPECT_EQ(book->unacknowledged(), 0);
    table->selectRow(0);
    EXPECT_FALSE(ack->isEnabled()); // picked, but nothing left to acknowledge
    EXPECT_TRUE(count->isHidden());
    EXPECT_EQ(table->model()->rowCount(), 2); // the cleared one is gone
}
