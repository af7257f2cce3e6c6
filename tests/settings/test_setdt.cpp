#include "SettingsFixture.h"
#include "link/Grid.h"
#include "settings/frmKX5_SetDT.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class SetDT : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        frmKX5_SetDT::setClock([this] { return now; });
    }
    QString label(frmKX5_SetDT& w) { return w.findChild<QLabel*>("lblDT")->text(); }
    void click(frmKX5_SetDT& w, const char* button) {
        QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
    }
    QDateTime now{QDate(2024, 2, 29), QTime(23, 59, 59)};
};

TEST_F(SetDT, FollowingThePcClockSendsTheMomentShown) {
    frmKX5_SetDT w;
    EXPECT_EQ(w.windowTitle(), "Date Time Setting");
    EXPECT_EQ(label(w), "2024-02-29 23:59:59");
    EXPECT_EQ(w.dateTimeGrid()->text(1, 1), ""); // cells start empty
    click(w, "btnSameDT1");
    EXPECT_TRUE(w.followsPc());
    w.tmrDT_Timer();
    EXPECT_EQ(w.dateTimeGrid()->text(1, 1), "2024-02-29");
    EXPECT_EQ(w.dateTimeGrid()->text(2, 1), "23:59:59");
    click(w, "btnSet");
    EXPECT_EQ(gRegNo, std::vector<int>({520, 521, 522, 523, 524, 525}));
    EXPECT_EQ(gRegVal, std::vector<int>({2024, 2, 29, 23, 59, 59}));
    EXPECT_EQ(gReqStep, 121);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SetDT, SwitchingOffFreezesTheCellsWhileTheLabelKeepsCounting) {
    frmKX5_SetDT w;
    w.btnSameDT1_Click();
    w.tmrDT_Timer();
    w.btnSameDT1_Click(); // off: cells hold 2024-02-29 23:59:59
    EXPECT_FALSE(w.followsPc());
    now = QDateTime(QDate(2024, 3, 1), QTime(0, 0, 4));
    w.tmrDT_Timer();
    EXPECT_EQ(label(w), "2024-03-01 00:00:04");
    w.btnSet_Click();
    EXPECT_EQ(gRegVal, std::vector<int>({2024, 2, 29, 23, 59, 59}));

    // On again: what the user typed is overwritten at the next tick.
    w.dateTimeGrid()->setText(1, 1, "2030-01-01");
    w.btnSameDT1_Click();
    w.tmrDT_Timer();
    EXPECT_EQ(w.dateTimeGrid()->text(1, 1), "2024-03-01");
    EXPECT_EQ(w.dateTimeGrid()->text(2, 1), "00:00:04");
}

TEST_F(SetDT, TypedDateAndTimeAreSent) {
    frmKX5_SetDT w;
    w.dateTimeGrid()->setText(1, 1, "2031-12-31");
    w.dateTimeGrid()->setText(2, 1, "00:00:00");
    w.btnSet_Click();
    EXPECT_EQ(gRegVal, std::vector<int>({2031, 12, 31, 0, 0, 0}));
    EXPECT_EQ(gReqStep, 121);
}

TEST_F(SetDT, AnEmptyOrInvalidCellSendsNothingAndSaysWhy) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"", "", "date"},
        {"", "12:00:00", "date"},
        {"2101-01-01", "12:00:00", "2100-12-31"},
        {"2024-01-01", "24:00:00", "time"},
        {"2024-01-01", "", "time"},
    };
    for (const auto& [date, time, part] : rows) {
        messages.clear();
        gRegNo = {300};
        gRegVal = {7};
        gReqStep = 0;
        frmKX5_SetDT w;
        w.dateTimeGrid()->setText(1, 1, date);
        w.dateTimeGrid()->setText(2, 1, time);
        click(w, "btnSet");
        EXPECT_EQ(gReqStep, 0) << date << " " << time;
        EXPECT_EQ(gRegNo, std::vector<int>({300}));
        EXPECT_EQ(gRegVal, std::vector<int>({7}));
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(part)) << messages[0].toStdString();
    }
}

TEST_F(SetDT, SwitchColourTimerAndClose) {
    frmKX5_SetDT w;
    w.show();
    auto* sw = w.findChild<QPushButton*>("btnSameDT1");
    const QColor off = sw->palette().color(QPalette::Button);
    EXPECT_NE(off, QColor(0xFF, 0xC0, 0xFF));
    click(w, "btnSameDT1");
    EXPECT_EQ(sw->palette().color(QPalette::Button), QColor(0xFF, 0xC0, 0xFF));
    click(w, "btnSameDT1");
    EXPECT_EQ(sw->palette().color(QPalette::Button), off);
    EXPECT_EQ(w.findChild<QPushButton*>("btnSet")->palette().color(QPalette::Button),
              QColor(0xFF, 0xC0, 0xFF));

    QTimer* t = w.findChild<QTimer*>("tmrDT");
    EXPECT_EQ(t->interval(), 1000);
    EXPECT_TRUE(t->isActive());
    w.tmrDT_Timer();
    EXPECT_TRUE(t->isActive()); // on again after the tick
    click(w, "btnClose");
    EXPECT_FALSE(t->isActive());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.dateTimeGrid()->cellKind(1, 1), Grid::CellKind::Date);
    EXPECT_EQ(w.dateTimeGrid()->range(2, 1), qMakePair(QString("00:00:00"), QString("23:59:59")));
}
