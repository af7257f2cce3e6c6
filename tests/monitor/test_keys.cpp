// Recorder keys and print speed: the one-register write each queues, and what the scheduler
// then sends.
#include "MainFixture.h"

class Keys : public MainFixture {
protected:
    void SetUp() override {
        MainFixture::SetUp();
        writeStations({3});
        open();
        openPort();
        markConnected({0});
        gMC_No = 3;
        win->SetOnlineState(true);
        win->tmrRefresh.stop();
    }
    // The next send tick's bytes.
    QByteArray sent() {
        port->writes.clear();
        link()->tmrSend_Timer();
        return port->takeWritten();
    }
};

TEST_F(Keys, EachKeyQueuesItsRegisterWrite) {
    struct Case {
        int key;
        const char* current; // register value in the data grid, nullptr = left empty
        int reg, value;
        QByteArray frame;
    };
    const Case cases[] = {
        {0, nullptr, 501, 1,
         "\x02"
         "03DWR,01,0501,0001\r\n"},
        {0, "1", 501, 1,
         "\x02"
         "03DWR,01,0501,0001\r\n"},
        {1, "0", 502, 1,
         "\x02"
         "03DWR,01,0502,0001\r\n"},
        {1, "1", 502, 0,
         "\x02"
         "03DWR,01,0502,0000\r\n"},
        {1, "-3", 502, 1,
         "\x02"
         "03DWR,01,0502,0001\r\n"},
        {2, "7", 503, 0,
         "\x02"
         "03DWR,01,0503,0000\r\n"},
        {2, nullptr, 503, 1,
         "\x02"
         "03DWR,01,0503,0001\r\n"},
        {3, "1", 504, 1,
         "\x02"
         "03DWR,01,0504,0001\r\n"},
        {4, "0", 505, 1,
         "\x02"
         "03DWR,01,0505,0001\r\n"},
        {4, "2", 505, 0,
         "\x02"
         "03DWR,01,0505,0000\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " register " << c.reg);
        link()->sprdMap.setText(12, c.reg - 499, c.current ? c.current : "");
        QTest::mouseClick(child<QPushButton>(QStringLiteral("btnPrint_%1").arg(c.key).toLatin1()),
                          Qt::LeftButton);
        EXPECT_EQ(gRegNo, std::vector<int>{c.reg});
        EXPECT_EQ(gRegVal, std::vector<int>{c.value});
        EXPECT_EQ(gReqStep, 120);
        EXPECT_EQ(sent(), c.frame);
        EXPECT_EQ(gReqStep, 0);
        EXPECT_EQ(gSendStep, 120);
    }
}

TEST_F(Keys, PrintTwiceWritesOneTwice) {
    auto* print = child<QPushButton>("btnPrint_0");
    QTest::mouseClick(print, Qt::LeftButton);
    EXPECT_EQ(sent(), QByteArray("\x02"
                                 "03DWR,01,0501,0001\r\n"));
    QTest::mouseClick(print, Qt::LeftButton);
    EXPECT_EQ(sent(), QByteArray("\x02"
                                 "03DWR,01,0501,0001\r\n"));
}

TEST_F(Keys, SecondPressBeforeTheTickReplacesTheFirst) {
    link()->sprdMap.setText(12, 3, "1");
    QTest::mouseClick(child<QPushButton>("btnPrint_1"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("btnPrint_3"), Qt::LeftButton);
    EXPECT_EQ(gRegNo, std::vector<int>{504});
    EXPECT_EQ(gRegVal, std::vector<int>{1});
    EXPECT_EQ(sent(), QByteArray("\x02"
                                 "03DWR,01,0504,0001\r\n"));
}

TEST_F(Keys, WriteCarriesTheChecksumInSumMode) {
    setProtocol("SUM");
    QTest::mouseClick(child<QPushButton>("btnPrint_3"), Qt::LeftButton);
    // 03DWR,01,0504,0001: byte sum 0x3BF, checksum BF.
    EXPECT_EQ(sent(), QByteArray("\x02"
                                 "03DWR,01,0504,0001BF\r\n"));
}

TEST_F(Keys, PrintSpeedLimitsAndRounding) {
    const std::pair<const char*, int> cases[] = {
        {"10", 24},     {"1000", 900},  {"24", 24},    {"900", 900},   {"150.7", 151},
        {"150.5", 150}, {"151.5", 152}, {"23.9", 24},  {"900.4", 900}, {"", 24},
        {"abc", 24},    {"500x", 500},  {" 300", 300}, {"-100", 24},
    };
    auto* lbl = child<QLabel>("lblSPD");
    auto* txt = child<QLineEdit>("txtSPD");
    link()->sprdMap.setText(12, 7, "120");
    win->tmrRefresh_Timer();
    win->tmrRefresh.stop();
    ASSERT_EQ(lbl->text(), "120");
    for (const auto& [typed, value] : cases) {
        SCOPED_TRACE(typed);
        gReqStep = 0;
        QTest::mouseClick(lbl, Qt::LeftButton);
        EXPECT_TRUE(lbl->isHidden());
        EXPECT_FALSE(txt->isHidden());
        EXPECT_EQ(txt->text(), "120");
        txt->clear();
        QTest::keyClicks(txt, typed);
        QTest::keyClick(txt, Qt::Key_Return);
        EXPECT_EQ(gRegNo, std::vector<int>{506});
        EXPECT_EQ(gRegVal, std::vector<int>{value});
        EXPECT_EQ(gReqStep, 120);
        EXPECT_TRUE(txt->isHidden());
        EXPECT_FALSE(lbl->isHidden());
    }
    EXPECT_EQ(sent(), QByteArray("\x02"
                                 "03DWR,01,0506,0018\r\n"));
}

TEST_F(Keys, LeavingTheSpeedEntryWithoutConfirmSendsNothing) {
    auto* lbl = child<QLabel>("lblSPD");
    auto* txt = child<QLineEdit>("txtSPD");
    QTest::mouseClick(lbl, Qt::LeftButton);
    QTest::keyClicks(txt, "300");
    emit txt->editingFinished();
    EXPECT_EQ(gReqStep, 0);
    EXPECT_TRUE(txt->isHidden());
    EXPECT_FALSE(lbl->isHidden());
}
