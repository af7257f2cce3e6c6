// The data log: exact record bytes, file names, the interval rule, and failures that skip a
// record without stopping the others.
#include "MainFixture.h"
#include "monitor/DataLog.h"

class DataLogging : public MainFixture {
protected:
    void SetUp() override {
        MainFixture::SetUp();
        logDir = path("log");
        QDir().mkpath(logDir);
        writeFile("CFG/SaveData.INI", ("Yes\r\n2\r\nsec\r\n" + logDir + "\r\nOven\r\n").toUtf8());
        writeStations({3, 12});
        open();
        win->clock = clock.fn();
        openPort();
        markConnected({0, 1});
        setValues(1, "2500", "2498", "455");
        setValues(2, "-5", "1234", "0");
        QTest::mouseClick(child<QPushButton>("btnDSave_Start"), Qt::LeftButton);
        ASSERT_TRUE(gDSaveRun);
    }
    void setValues(int row, const char* nsv, const char* npv, const char* mv) {
        link()->sprdMonitoring.setText(5, row, nsv);
        link()->sprdMonitoring.setText(4, row, npv);
        link()->sprdMonitoring.setText(8, row, mv);
    }
    QString file(int mc) const { return dataFilePath(logDir, "Oven", mc); }
    int lines(int mc) const { return static_cast<int>(readFile(file(mc)).count("\r\n")); }
    void tickAt(int secondsFromStart) {
        clock.now = start.addSecs(secondsFromStart);
        win->tmrDispGraph_Timer();
    }
    QString logDir;
    TestClock clock;
    QDateTime start = clock.now;
};

TEST_F(DataLogging, ExactRecordBytesAppendedPerStation) {
    writeFile("log/Oven_03.DAT", "earlier\r\n");
    tickAt(0);
    EXPECT_EQ(readFile(file(3)),
              QByteArray("earlier\r\n2026-03-07\t09:05:03\t2500\t2498\t455\r\n"));
    EXPECT_EQ(readFile(file(12)), QByteArray("2026-03-07\t09:05:03\t-5\t1234\t0\r\n"));
    setValues(1, "2510", "2501", "1000");
    clock.now = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59));
    win->tmrDispGraph_Timer();
    EXPECT_EQ(readFile(file(3)), QByteArray("earlier\r\n"
                                            "2026-03-07\t09:05:03\t2500\t2498\t455\r\n"
                                            "2026-12-31\t23:59:59\t2510\t2501\t1000\r\n"));
}

TEST_F(DataLogging, FileNames) {
    EXPECT_EQ(dataFilePath("/d/Log", "Oven", 3), "/d/Log/Oven_03.DAT");
    EXPECT_EQ(dataFilePath("/d/Log", "Oven", 12), "/d/Log/Oven_12.DAT");
    EXPECT_EQ(dataFilePath("/d/Log", "Oven", 123), "/d/Log/Oven_123.DAT");
    EXPECT_EQ(dataFilePath("/d", "KX5", 5), "/d/KX5_05.DAT");
}

TEST_F(DataLogging, IntervalIsStrictlyExceeded) {
    struct Case {
        int count;
        const char* unit;
        int secondTickAt;
        bool writes;
    };
    const Case cases[] = {
        {2, "min", 120, false}, {2, "min", 121, true}, {2, "sec", 2, false}, {2, "sec", 3, true},
        {2, "분", 2, false},    {2, "분", 3, true},    {2, "Min", 3, true},  {1, "min", 60, false},
        {1, "min", 61, true},   {0, "sec", 1, true},   {0, "sec", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " " << c.unit << " at " << c.secondTickAt);
        QFile::remove(file(3));
        QFile::remove(file(12));
        win->mLastSave = QDateTime();
        gDSaveIntv = c.count;
        gDSaveUnit = QString::fromUtf8(c.unit);
        tickAt(0); // the first eligible tick writes at once
        ASSERT_EQ(lines(3), 1);
        tickAt(c.secondTickAt);
        EXPECT_EQ(lines(3), c.writes ? 2 : 1);
        EXPECT_EQ(lines(12), c.writes ? 2 : 1);
    }
}

TEST_F(DataLogging, IntervalPassedRule) {
    const QDateTime t0(QDate(2026, 1, 1), QTime(0, 0));
    EXPECT_TRUE(logIntervalPassed(QDateTime(), t0, 86400 * 365));
    EXPECT_FALSE(logIntervalPassed(t0, t0.addSecs(5), 5));
    EXPECT_TRUE(logIntervalPassed(t0, t0.addMSecs(5001), 5));
    EXPECT_FALSE(logIntervalPassed(t0, t0.addSecs(-10), 5)); // clock set back: wait
    EXPECT_EQ(LogIntervalSeconds(3, "min"), 180);
    EXPECT_EQ(LogIntervalSeconds(3, "sec"), 3);
    EXPECT_EQ(LogIntervalSeconds(3, "MIN"), 3);
}

TEST_F(DataLogging, StationNotAnsweringGetsNoRecord) {
    link()->sprdStatus.setText(3, 1, "NG");
    tickAt(0);
    EXPECT_FALSE(QFile::exists(file(3)));
    EXPECT_EQ(lines(12), 1);
    // Conn-State "OK" alone is not enough: the station must have passed the model query.
    link()->sprdStatus.setText(3, 1, "OK");
    gMC_OK[0] = false;
    tickAt(3);
    EXPECT_FALSE(QFile::exists(file(3)));
    EXPECT_EQ(lines(12), 2);
}

TEST_F(DataLogging, NothingUnlessEnabledAndRunning) {
    gDSaveEnable = "No";
    tickAt(0);
    gDSaveEnable = "yes";
    tickAt(10);
    EXPECT_FALSE(QFile::exists(file(3)));
    gDSaveEnable = "Yes";
    QTest::mouseClick(child<QPushButton>("btnDSave_Start"), Qt::LeftButton);
    EXPECT_FALSE(gDSaveRun);
    EXPECT_EQ(child<QPushButton>("btnDSave_Start")->text(), "Start &Save");
    tickAt(20);
    EXPECT_FALSE(QFile::exists(file(3)));
    QTest::mouseClick(child<QPushButton>("btnDSave_Start"), Qt::LeftButton);
    EXPECT_EQ(child<QPushButton>("btnDSave_Start")->text(), "Stop &Save");
    tickAt(30);
    EXPECT_EQ(lines(3), 1);
}

TEST_F(DataLogging, ClosedPortStillMovesTheLastWriteTime) {
    QTest::mouseClick(child<QPushButton>("btnMenu_3"), Qt::LeftButton);
    link()->tmrSend_Timer(); // a linked port closes at the next send tick
    ASSERT_FALSE(link()->portCommandSaysClose());
    tickAt(0);
    EXPECT_FALSE(QFile::exists(file(3)));
    openPort();
    markConnected({0, 1});
    tickAt(2); // 2 s since the tick with the port closed: not more than the interval
    EXPECT_FALSE(QFile::exists(file(3)));
    tickAt(3);
    EXPECT_EQ(lines(3), 1);
}

TEST_F(DataLogging, MissingFolderWritesNothingAndShowsNothing) {
    int boxes = 0;
    setMsgBoxHandler([&](const QString&, const QString&, QMessageBox::StandardButtons) {
        ++boxes;
        return QMessageBox::Ok;
    });
    gDSaveFolder = path("no/such/folder");
    tickAt(0);
    EXPECT_FALSE(QDir(gDSaveFolder).exists());
    EXPECT_EQ(boxes, 0);
    EXPECT_TRUE(win->tmrDispGraph.isActive());
    // The folder appears later: the next interval writes as usual.
    QDir().mkpath(gDSaveFolder);
    tickAt(3);
    EXPECT_EQ(readFile(dataFilePath(gDSaveFolder, "Oven", 3)).count("\r\n"), 1);
}

TEST_F(DataLogging, OneFailedFileDoesNotStopTheOthers) {
    QDir().mkpath(file(3)); // a folder where the file should be: it cannot be opened
    tickAt(0);
    EXPECT_EQ(lines(12), 1);
    tickAt(3);
    EXPECT_EQ(lines(12), 2);
    EXPECT_TRUE(QFileInfo(file(3)).isDir());
}

TEST_F(DataLogging, AppendRejectsRowsOutsideTheTable) {
    EXPECT_FALSE(AppendDataRecord(file(3), link()->sprdMonitoring, 0, clock.now));
    EXPECT_FALSE(AppendDataRecord(file(3), link()->sprdMonitoring, 3, clock.now));
    EXPECT_FALSE(QFile::exists(file(3)));
    EXPECT_TRUE(AppendDataRecord(file(3), link()->sprdMonitoring, 2, clock.now));
}
