// Data-log records, their spacing and failed writes; the graph half of the tick is test_graph's.
#include "MainFixture.h"
#include "files/FileChecks.h"
#include "services/DataLog.h"
#include "services/DataLogger.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class DataLogging : public MainFixture {
protected:
    void SetUp() override {
        MainFixture::SetUp();
        QDir().mkpath(path("log"));
        writeFile("CFG/SaveData.INI",
                  ("Yes\r\n2\r\nsec\r\n" + path("log") + "\r\nOven\r\n").toUtf8());
        build({3, 12}, 2);
        setValues(1, 2500, 2498, 455);
        setValues(2, -5, 1234, 0);
        press("btnDSave_Start");
    }
    // Station `row`'s monitor read, answered with these SV, PV and MV (or, with `fail`, with
    // a refusal or a reply without "OK").
    void setValues(int row, int nsv, int npv, int mv, const char* fail = nullptr) {
        pollAt(row);
        const QByteArray mc = sent().mid(1, 2);
        std::vector<int> v(19, 0);
        v[3] = npv, v[4] = nsv, v[7] = mv;
        const QByteArray ok = drrReply(mc.toInt(), v);
        port->feed(!fail                      ? ok
                   : QByteArray(fail) == "NG" ? wrap(mc + "NG,09")
                                              : QByteArray(ok).replace("OK", "NO"));
        link()->fire(LinkTimer::Gather);
        link()->stop(LinkTimer::Send);
    }
    QString file(int mc) const { return dataFilePath(path("log"), "Oven", mc); }
    int lines(int mc) const { return static_cast<int>(readFile(file(mc)).count("\r\n")); }
    void tickAt(qint64 ms) {
        now = start.addMSecs(ms);
        win->tmrDispGraph_Timer();
    }
    // The settings in use, changed as the data-save window would hand them in.
    template <class Change> void change(Change c) {
        DataSaveSettings s = win->dataLogger()->settings();
        c(s);
        win->applyDataSaveSettings(s);
    }
    // The status bar says that station mc's data could not be saved, and where to.
    void saysNotSaved(int mc, const QString& where) {
        EXPECT_EQ(std::pair(status().source, status().key),
                  std::pair(StatusMessage::Source::DataLog, mc));
        EXPECT_TRUE(panel4().contains(where)) << panel4().toStdString();
    }
    const QDateTime start = now;
};

// A file-size limit stands in for a full disk: the write that crosses it is cut back off, and
// the next record after space is freed starts on a line of its own; then the records' spacing.
TEST_F(DataLogging, ARecordIsWrittenWholeOrNotAtAllAndRegularlySpaced) {
    std::signal(SIGXFSZ, SIG_IGN); // as the program does at start
    writeFile("log/Oven_03.DAT", "earlier\r\n");
    rlimit old{}, tight{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    tight = {9 + 10, old.rlim_max}; // room for ten bytes of the record
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    tickAt(0);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(readFile(file(3)), QByteArray("earlier\r\n"));
    // The cause of a write cut short, not "Unknown error".
    EXPECT_TRUE(panel4().endsWith(".DAT: File too large")) << qPrintable(panel4());
    tickAt(3000);
    setValues(1, 2510, 2501, 1000);
    tickAt(6000);
    EXPECT_EQ(readFile(file(3)), QByteArray("earlier\r\n"
                                            "2026-03-07\t09:05:06\t2500\t2498\t455\r\n"
                                            "2026-03-07\t09:05:09\t2510\t2501\t1000\r\n"));
    EXPECT_EQ(readFile(path("log/Oven_12.DAT")),
              QByteArray("2026-03-07\t09:05:06\t-5\t1234\t0\r\n"
                         "2026-03-07\t09:05:09\t-5\t1234\t0\r\n"));
    // A base name that would lead out of the folder names KX5's files in it instead.
    for (const char* name : {"../escape", "a/b", "a\\b", "..", ""})
        EXPECT_EQ((DataSaveSettings{.folder = "/d", .name = name}).path("_01.DAT"), "/d/KX5_01.DAT")
            << name;
    // A link planted as a station's file is never written through.
    writeFile("theirs.txt", "theirs\r\n");
    QFile::remove(file(12));
    ASSERT_TRUE(QFile::link(path("theirs.txt"), file(12)));
    tickAt(9000);
    EXPECT_EQ(readFile(path("theirs.txt")), QByteArray("theirs\r\n"));
    saysNotSaved(12, file(12));
    // A folder whose name was not UTF-8 in the settings is never made under another name.
    const QByteArray raw = QFile::encodeName(path("log")) + "\xFF";
    ASSERT_EQ(mkdir(raw.constData(), 0700), 0);
    const QString notUtf8 = QFile::decodeName(raw);
    change([&](DataSaveSettings& s) { s.folder = notUtf8; });
    tickAt(12000);
    EXPECT_EQ(panel4(), "MC [12] Data not saved to " + dataFilePath(notUtf8, "Oven", 12) + ": " +
                            nameNotUtf8(notUtf8));
    EXPECT_FALSE(QFileInfo::exists(notUtf8));
    change([&](DataSaveSettings& s) { s.folder = path("log"); });
    // A record falls on the first graph tick more than the log interval after the last one,
    // the tick's jitter rounded away: (interval div tick + 1) ticks apart.
    const struct {
        int tickMs, count;
        const char* unit;
        int spacing; // in ticks
    } cases[] = {{1000, 1, "sec", 2}, {1000, 2, "sec", 3},  {1000, 2, "분", 3},
                 {1000, 2, "Min", 3}, {1000, 1, "min", 61}, {1000, 0, "sec", 1},
                 {2500, 5, "sec", 3}, {7000, 60, "sec", 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tickMs << " ms, " << c.count << " " << c.unit);
        QFile::remove(file(3));
        win->dataLogger()->mLastSave = QDateTime();
        win->tmrDispGraph.setInterval(c.tickMs);
        change([&](DataSaveSettings& s) {
            s = DataSaveSettings::fromWords("Yes", c.count, QString::fromUtf8(c.unit), s.folder,
                                            s.name);
        });
        QList<int> written;
        for (int i = 0; i <= 3 * c.spacing; ++i) {
            const int before = lines(3);
            tickAt(qint64(i) * c.tickMs + (i * 7 % 5 - 2) * c.tickMs / 100); // up to ±2 % off
            if (lines(3) > before) written << i;
        }
        EXPECT_EQ(written, QList<int>({0, c.spacing, 2 * c.spacing, 3 * c.spacing}));
    }
    // Nor a file another user made first (root's is trusted; chown needs root).
    QFile::remove(file(12));
    writeFile("log/Oven_12.DAT", "");
    if (getuid() != 0) GTEST_SKIP() << "a file of another user needs root";
    ASSERT_EQ(chown(QFile::encodeName(file(12)).constData(), 4321, gid_t(-1)), 0);
    tickAt(15000);
    EXPECT_EQ(readFile(file(12)), "");
    saysNotSaved(12, file(12));
}

// Only live values are logged: not a station whose latest exchange failed, nor one that has
// not passed the model query. A record that cannot be written leaves the others alone and is
// said once per cause, and again when it can be written.
TEST_F(DataLogging, OnlyLiveValuesGetRecordsAndFailuresAreSaidOnce) {
    said.clear();                           // no failure is put in a message box
    for (const char* fail : {"NG", "NO"}) { // refused, or answered without "OK"
        setValues(1, 1, 2, 3, fail);
        tickAt(lines(12) * 3000);
        EXPECT_FALSE(QFile::exists(file(3))) << fail;
    }
    sent();
    link()->fire(LinkTimer::RecvErr); // silent: no record either, until its next good reply
    tickAt(6000);
    EXPECT_FALSE(QFile::exists(file(3)));
    EXPECT_EQ(lines(12), 3);
    setValues(1, 1, 2, 3);
    link()->line().setModel(
        3, ControllerModel::Unknown); // the station must have passed the model query
    tickAt(9000);
    EXPECT_FALSE(QFile::exists(file(3)));
    link()->line().setModel(3, ControllerModel::KX5_105);
    QDir().mkpath(file(3)); // a folder where the file should be: the other station goes on
    tickAt(12000);
    tickAt(15000); // the same cause again: said once
    EXPECT_EQ(lines(12), 6);
    change([&](DataSaveSettings& s) { s.folder = path("missing"); });
    tickAt(18000);
    saysNotSaved(12, path("missing"));
    QDir().mkpath(path("missing")); // the folder appears: the next interval writes as usual
    tickAt(21000);
    EXPECT_EQ(readFile(dataFilePath(path("missing"), "Oven", 12)).count("\r\n"), 1);
    // Each failure and each recovery is said once, in the event list and in panel 4: the
    // first file once, each file in the missing folder as it failed and as it came back.
    QString events;
    for (const EventEntry& e : win->eventLog()->entries())
        events += e.shown + '\n';
    const QString missing = dataFilePath(path("missing"), "Oven", 12);
    EXPECT_EQ(std::tuple(events.count(file(3)), events.count(missing),
                         events.count(dataFilePath(path("missing"), "Oven", 3))),
              std::tuple(1, 2, 2))
        << events.toStdString();
    EXPECT_TRUE(status().isEmpty()); // said while it lasted, gone with the last recovery
    // The clock set back an hour: the next tick writes and the interval starts from there.
    tickAt(21000 - 3600000);
    tickAt(22000 - 3600000);
    EXPECT_EQ(readFile(missing).count("\r\n"), 2);
    EXPECT_EQ(said, QStringList());
}

// Saving stops only on purpose: Ctrl+S, pressed by habit, never stops it; the menu, the button
// and closing the port ask first. The stop is an event in the events file, and
// the status bar always says whether saving runs and where to: only while records are made.
TEST_F(DataLogging, SavingStopsOnlyWhenAskedAndIsAlwaysShown) {
    win->show();
    QApplication::setActiveWindow(win.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.get()));
    said.clear();
    answer = QMessageBox::No;
    auto* menu = win->findChild<QAction*>("mOnlineSave");
    const QString files = QDir::toNativeSeparators(path("log") + "/Oven_NN.DAT");
    // Switched on, and the status bar naming where the records go.
    const auto saving = [&] { return text("lblSaving").contains(files); };
    const auto on = [&] { return win->dataLogger()->switchedOn() && saving(); };
    EXPECT_TRUE(on());
    QTest::keyClick(win.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(on());
    EXPECT_TRUE(said.isEmpty());
    menu->trigger(); // asked, and answered No
    press("btnDSave_Start");
    EXPECT_TRUE(on());
    answer = QMessageBox::Yes;
    menu->trigger();
    EXPECT_FALSE(win->dataLogger()->switchedOn() || saving());
    ASSERT_EQ(said.size(), 3);
    EXPECT_EQ(said[1], said[0]);
    EXPECT_TRUE(said[2].contains(files)) << said[2].toStdString();
    QTest::keyClick(win.get(), Qt::Key_S, Qt::ControlModifier); // the key starts it again
    EXPECT_TRUE(on());
    EXPECT_TRUE(
        readFile(win->eventLog()->filePath(now.date())).contains("\tData saving stopped\r\n"));
    change([](DataSaveSettings& s) { s.enabled = false; }); // the file said "yes": saving stops
    tickAt(0);
    EXPECT_FALSE(win->dataLogger()->switchedOn() || saving());
    change([](DataSaveSettings& s) { s.enabled = true; }); // allowed again: it waits for Start
    tickAt(10000);
    EXPECT_FALSE(saving());
    press("btnDSave_Start");
    EXPECT_TRUE(saving());
    // Closing the port stops polling and saving: the menu's Ctrl+O and the button ask first.
    said.clear();
    answer = QMessageBox::No;
    win->findChild<QAction*>("mSetPortOpen")->trigger();
    link()->fire(LinkTimer::Send);
    EXPECT_EQ(std::pair(int(said.size()), link()->phase()),
              std::pair(1, KX5Link::Phase::Monitoring));
    answer = QMessageBox::Yes;
    press("btnMenu_3"); // a closed port writes nothing but still moves the last write time
    link()->fire(LinkTimer::Send);
    EXPECT_FALSE(saving());
    tickAt(20000);
    press("btnMenu_3"); // open again: nothing heard before counts until the station answers
    tickAt(23000);
    EXPECT_FALSE(saving());
    EXPECT_FALSE(QFile::exists(file(3)));
    for (int k = 0; k < 2 + 4; ++k) // the sweep and the read-all
        answerNext();
    EXPECT_TRUE(saving());
    setValues(1, 1, 2, 3);
    tickAt(26000);
    EXPECT_EQ(lines(3), 1);
}

// While saving runs the status bar says since when, how many records today and the station
// furthest behind, red once a station has had no record for two record spacings (3 s here).
TEST_F(DataLogging, TheStatusBarSaysHowSavingGoesAndWhoFallsBehind) {
    win->show();
    auto* records = child<QLabel>("lblRecords");
    const auto red = [&] {
        const QImage img = records->grab().toImage();
        int n = 0;
        for (int x = 0; x < img.width(); ++x)
            n += img.pixelColor(x, img.height() / 2) == QColor(200, 0, 0);
        return n > img.width() / 3;
    };
    const auto late = [&](qint64 ms) {
        now = start.addMSecs(ms);
        QStringList out;
        for (const auto& s : win->dataLogger()->progress(now).stations)
            out << QString::number(s.mcNo) + (s.late ? "!" : "");
        return out.join(' ');
    };
    EXPECT_TRUE(records->isHidden()); // until the first tick of saving
    tickAt(0);
    EXPECT_FALSE(records->isHidden());
    EXPECT_EQ(win->dataLogger()->progress(now).since, start);
    setValues(1, 1, 2, 3, "NG"); // MC 3 stops answering; MC 12 goes on
    for (qint64 ms : {1000, 2000, 3000, 4000, 5000, 6000})
        tickAt(ms);
    EXPECT_EQ(late(6000), "3 12");
    EXPECT_FALSE(red());
    tickAt(6001);
    EXPECT_EQ(late(6001), "3! 12");
    EXPECT_TRUE(red());
    const DataLogger::Progress p = win->dataLogger()->progress(now);
    // Records today: both at 0 s, MC 12 at 3 s and 6 s.
    EXPECT_EQ(std::tuple(p.today, p.stations[0].last, p.stations[1].last),
              std::tuple(4, start, start.addSecs(6)));
    EXPECT_TRUE(records->text().contains("MC 3")) << records->text().toStdString();
    press("btnDSave_Start"); // stop
    EXPECT_TRUE(records->isHidden());
}
