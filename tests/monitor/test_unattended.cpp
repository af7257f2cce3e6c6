// Starting ready to work: the command line and our own link options file, and what they do to
// the window and its link; the gateway's word in the status bar; the service's buffered
// standard error. The reopening itself is test_link's and test_link_pty's, the service as a
// process test_cli's.
#include "MainFixture.h"
#include "app/Commands.h"
#include "app/ServiceOutput.h"
#include "app/StartOptions.h"
#include "files/FolderLock.h"
#include "files/LinkOptions.h"
#include "gateway/Gateway.h"
#include "monitor/LineStatisticsDialog.h"
#include "publish/Publisher.h"
#include "services/DataLogger.h"
#include "services/TraceFile.h"
#include "services/TraceRecorder.h"
#include "settings/frmKX5_Set_DSave.h"
#include "tests/support/Bracketing.h"

#include <QAction>
#include <QCheckBox>
#include <QLockFile>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <fcntl.h>
#include <unistd.h>

TEST(StartOptions, CommandLineTable) {
    struct Row {
        QByteArrayList args; // as argv has them
        bool open, save;
        const char* dir;
        bool error;
    } rows[] = {
        // clang-format off
        {{}, false, false, "", false},               {{"--open", "--save"}, true, true, "", false},
        {{"--dir", "/tmp/kx5"}, false, false, "/tmp/kx5", false},
        {{"--dir=/srv/x", "--open"}, true, false, "/srv/x", false},
        {{"--dir"}, false, false, "", true},         {{"--dir", ""}, false, false, "", true},
        {{"--dir= "}, false, false, " ", true},      {{"--bogus"}, false, false, "", true},
        {{"extra"}, false, false, "", true},
        // The gateway's options are checked as strictly as the others.
        {{"--gateway-trusted", "10.0.0.0/33"}, false, false, "", true},
        {{"--gateway-wait", "50"}, false, false, "", true},
        {{"--gateway-idle", "0", "--gateway-trusted", "10.0.0.0/8,127.0.0.1"}, false, false, "", false},
        // Not UTF-8:
        {{"--dir", "/tmp/kx5\xFF"}, false, false, "/tmp/kx5\uFFFD", true},
        {{"--open", "--dir=/tmp/\xC3("}, true, false, "/tmp/\uFFFD(", true},
        // clang-format on
    };
    for (const auto& r : rows) {
        QStringList args{"kx5comm"};
        for (const QByteArray& a : r.args)
            args << QFile::decodeName(a);
        const StartOptions o = parseStartOptions(args, QByteArrayList{"kx5comm"} + r.args);
        SCOPED_TRACE(r.args.join(' ').toStdString());
        EXPECT_EQ(std::tuple(o.open, o.save, o.dir, !o.error.isEmpty()),
                  std::tuple(r.open, r.save, QString(r.dir), r.error));
    }
    EXPECT_TRUE(parseStartOptions({"kx5comm", "--graph"}).graph);
    EXPECT_EQ(parseStartOptions({"kx5comm", "--gateway-clients", "5"}).gatewayClients, 5);
    EXPECT_TRUE(parseStartOptions({"kx5comm", "--version"}).version);
    EXPECT_TRUE(parseStartOptions({"kx5comm", "--help"}).helpText.contains("--dir"));
}

// The run without windows writes its standard error through a bounded buffer: a reader that
// reads nothing costs lines, never a wait; once it reads, the lines that found the buffer full
// are counted where they were left out.
TEST(ServiceOutput, LinesAStalledReaderCannotTakeAreCountedWhenItReads) {
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    for (const int fd : fds)
        ::fcntl(fd, F_SETFL, O_NONBLOCK);
    // Full to the last byte: a write that does not fit whole leaves room for the lines.
    for (const int chunk : {4096, 1})
        while (::write(fds[1], QByteArray(chunk, '.').constData(), size_t(chunk)) > 0) {
        }
    ::fcntl(fds[1], F_SETFL, 0); // full, and a write waits
    QByteArray said;
    {
        ServiceOutput out(fds[1], 1000);
        for (int i = 0; i < 200; ++i)
            out.line(QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0')));
        EXPECT_GT(out.dropped(), 0);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                char buf[65536];
                for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
                    said += QByteArray(buf, int(n));
                return said.count('\n') > said.count("line "); // a line of its own follows
            },
            10000));
        EXPECT_EQ(out.dropped(), 200 - said.count("line "));
    }
    for (const int fd : fds)
        ::close(fd);
    // Every line kept comes in order, and the counts said where lines were left out make up
    // the rest (where a count falls depends on when the writer took its batches).
    int next = 0, kept = 0, counted = 0;
    for (const QByteArray& l : said.mid(said.indexOf("line 000")).split('\n')) {
        if (l.contains(" lines of output were dropped ")) counted += l.split(' ').value(2).toInt();
        if (!l.startsWith("line ")) continue;
        EXPECT_GE(l.mid(5).toInt(), next) << l.data();
        next = l.mid(5).toInt() + 1;
        ++kept;
    }
    EXPECT_GT(counted, 0);
    EXPECT_EQ(kept + counted, 200);
}

class Unattended : public MainFixture {
protected:
    // The events list's MC column, "-" for the program's own entries.
    QString mcs() const {
        QString out;
        for (const EventEntry& e : win->eventLog()->entries())
            out += e.mcNo ? QString::number(e.mcNo) : "-";
        return out;
    }
};

// The graph starts once the stations have been checked (going online resets it), and the
// status bar then says what the start did and, first, where the data goes. What LinkOptions.INI
// says reaches the link (the file's reading is the options table's: tests/settings).
TEST_F(Unattended, StartOptionsAndLinkOptionsFileReachTheWindowAndLink) {
    for (bool enabled : {true, false}) { // each a window made afresh by build()
        writeFile("CFG/SaveData.INI", (enabled ? "Yes" : "No") + QByteArray("\r\n1\r\nsec\r\n") +
                                          dir.path().toUtf8() + "\r\nOven\r\n");
        if (!enabled) writeFile("CFG/LinkOptions.INI", "FastPolling=1\r\nReopenLostPort=0\r\n");
        build({1});
        EXPECT_EQ(std::pair(link()->fastPacing(), link()->autoReopen()),
                  std::pair(!enabled, enabled));
        StartOptions o;
        o.open = o.save = o.graph = true;
        const QString problems = applyStartOptions(win.get(), o);
        EXPECT_TRUE(port->isOpen());
        EXPECT_EQ(win->dataLogger()->running(), enabled);
        EXPECT_EQ(problems.isEmpty(), enabled) << problems.toStdString();
        EXPECT_FALSE(win->trend()->mGrpRun);
        answerNext(); // the model sweep's one station
        QCoreApplication::processEvents();
        EXPECT_TRUE(win->trend()->mGrpRun);
        // Where the data goes leads, so an elided panel still shows it.
        const QString note = panel4(),
                      files = QDir::toNativeSeparators(dir.path() + "/Oven_NN.DAT");
        EXPECT_TRUE(note.contains("--open --graph --save")) << note.toStdString();
        EXPECT_EQ(note.contains(files) && note.indexOf(files) < note.indexOf("--open"), enabled)
            << note.toStdString();
    }
}

// Lamp events are kept per MC No whatever row it has (each lamp's life is the alarm book's
// test, NG and back EveryTroubleIsAnEvent's); while saving, the entries also go to the day's
// file, in English, the list in the user's language.
TEST_F(Unattended, EventsListAndDailyFile) {
    writeFile("CFG/SaveData.INI", "Yes\r\n1\r\nsec\r\n" + dir.path().toUtf8() + "\r\nOven\r\n");
    build({1, 2}, 2);
    EventLog* log = win->eventLog();
    // The list is in the user's language, the file in English.
    Bracketing language;
    QCoreApplication::installTranslator(&language);
    press("btnDSave_Start");
    // Monitor replies with these alarm and error words, as the link stores them.
    store(1, "0 0 0 0 0 0 0 0 0 2 0");   // AL2 on
    store(1, "0 0 0 0 0 0 0 0 0 0 256"); // AL2 off, AT ERR on
    store(2, "0 0 0 0 0 0 0 0 0 1 0");   // AL1 already on at the first reply
    // The list becomes [3, 2]: station 3 takes row 1 and is judged on its own lamps (AL1, AT
    // ERR), not on what MC 1 showed there.
    link()->setStations({{3, "Oven"}, {2, "Oven"}});
    store(1, "0 0 0 0 0 0 0 0 0 1 256");
    EXPECT_EQ(mcs(), "--111233");
    for (size_t r = 1; r < log->entries().size(); ++r)
        EXPECT_TRUE(log->entries()[r].shown.startsWith('[')) << r;
    QCoreApplication::removeTranslator(&language);
    const QString started = " Data saving started: " + dir.path() + "/Oven_NN.DAT every 1 sec";
    const QByteArray file = readFile(log->filePath(now.date()));
    EXPECT_EQ(file.count("\r\n"), 7);
    EXPECT_TRUE(file.startsWith("2026-03-07 09:05:03\t\t" + started.mid(1).toUtf8() +
                                "\r\n2026-03-07 09:05:03\t1\tOven: AL2 on, PV 0㎷\r\n"))
        << file.data();
    // Once full, the oldest go first, and the view sees removals, never a reset. New entries
    // scroll into view only while the list shows its end.
    auto* view = child<QTableView>("sprdEvents");
    view->window()->show();
    qobject_cast<QTabWidget*>(view->parentWidget()->parentWidget())->setCurrentWidget(view);
    view->scrollToBottom();
    QSignalSpy resets(view->model(), &QAbstractItemModel::modelReset);
    for (int i = 0; i < EventLog::kMaxRows + 2; ++i)
        log->add(3, {QString::number(i), QString::number(i)});
    EXPECT_EQ(view->model()->rowCount(), EventLog::kMaxRows);
    EXPECT_EQ(log->entries().front().shown, "Oven: 2");
    EXPECT_EQ(log->entries().back().shown, "Oven: 2001");
    EXPECT_EQ(resets.count(), 0);
    const QScrollBar* bar = view->verticalScrollBar();
    EXPECT_GT(bar->value(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    view->scrollToTop();
    log->add(3, "new");
    EXPECT_EQ(bar->value(), 0);
    // A day whose file cannot be written: said once, in the list and panel 4.
    now = now.addDays(1);
    const QString blocked = log->filePath(now.date());
    QDir().mkpath(blocked);
    log->add(1, "a");
    log->add(1, "b");
    const QString said = "Events not saved to " + blocked + ": not a regular file";
    EXPECT_EQ(log->entries().rbegin()[1].shown, said);
    EXPECT_EQ(panel4(), said);
}

// Every kind of trouble on the line is an event when it begins, also for a station that never
// answered, and once only while it lasts; the port's opening and closing are events too.
TEST_F(Unattended, EveryTroubleIsAnEventFromTheFirstRequest) {
    writeFile("CFG/SaveData.INI", "Yes\r\n1\r\nsec\r\n" + dir.path().toUtf8() + "\r\nOven\r\n");
    build({1, 2}, 1); // station 2 never answers the sweep
    press("btnDSave_Start");
    const std::vector<int> good(19, 0), short18(18, 0);
    const QByteArray noOk = QByteArray(drrReply(1, good)).replace(",OK,", ",NO,");
    const struct {
        QByteArray reply; // empty: silent
        bool accepted;
    } exchanges[] = {
        {wrap("01NG,09"), false},      {wrap("01NG,09"), false},
        {drrReply(1, good), true},     {noOk, false},
        {drrReply(1, short18), false}, {QByteArray(), false},
        {drrReply(1, good), true},
    };
    for (const auto& e : exchanges) {
        QByteArray req;
        while ((req = sent()).mid(3, 3) == "WHO") // station 2 asked again now and then: silent
            link()->fire(LinkTimer::RecvErr);
        ASSERT_EQ(req.mid(1, 5), "01DRR");
        if (!e.reply.isEmpty()) {
            port->feed(e.reply);
            link()->fire(LinkTimer::Gather);
        }
        if (!e.accepted) link()->fire(LinkTimer::RecvErr);
    }
    press("btnMenu_3"); // Port Close, done at the next tick
    sent();
    // Once each as it began: station 2's silence, station 1's four troubles and two returns.
    EXPECT_EQ(mcs(), "-2-111111-"); // opened, MC 2, saving started, ..., closed
    // Saving began after the sweep: station 1's six lines and the close are in the file.
    const QByteArray file = readFile(win->eventLog()->filePath(now.date()));
    EXPECT_EQ(file.count("\t1\tOven: "), 6) << file.data();
    EXPECT_TRUE(file.endsWith(" closed\r\n")) << file.data();
    // Nothing on the closed line looks as if it answered; the station that never did says so.
    EXPECT_EQ(cell("sprdStatus", StatusCol::ConnState, 1), "");
    EXPECT_EQ(cell("sprdStatus", StatusCol::ConnState, 2), "NG");
    EXPECT_EQ(cell("sprdMonitoring", MonitorCol::COMSTS, 1), ""); // its values are not live
}

// Start Save and every settings window confirmed with a change are events, in the list and the
// events file; a window confirmed without a change is none. A data folder then chosen while
// another program holds it: saving stops, said in the events file of the folder it used, and
// nothing is written into the other program's folder.
TEST_F(Unattended, SettingsChangesAreEventsAndAHeldFolderIsNeverWrittenTo) {
    const QString mine = path("mine"), theirs = path("theirs");
    QDir().mkpath(mine), QDir().mkpath(theirs);
    writeFile("CFG/SaveData.INI", "Yes\r\n1\r\nsec\r\n" + mine.toUtf8() + "\r\nOven\r\n");
    build({1, 2});
    press("btnDSave_Start");
    const auto listed = [&] { return int(win->eventLog()->entries().size()); };
    const auto lines = [&] {
        return int(readFile(win->eventLog()->filePath(now.date())).count('\n'));
    };
    const struct {
        int events;  // in the list and the file
        int command; // -1: publishing
        std::function<void()> change;
    } rows[] = {
        // clang-format off
        {1, 2, [&] { link()->setPortSettings(PortSettings::fromLines({"COM7", "4800", "E", "7", "2", "SUM"})); }},
        {1, 2, [&] { win->applyLinkOptions({true, true}); }},
        {0, 2, [] {}},
        {1, 0, [&] { link()->setStations(buildStations({"X", "O\tB", "O\tC"})); }},
        {1, 1, [&] {
             DataSaveSettings s = win->dataLogger()->settings();
             s.interval = 5, s.unit = DataSaveSettings::Unit::Minutes;
             win->applyDataSaveSettings(s); }},
        {1, -1, [&] {
             PublishOptions o;
             o.enabled = true, o.host = "127.0.0.1", o.port = 9, o.line = "hall";
             win->publisher()->apply(o); }},
        // clang-format on
    };
    for (const auto& r : rows) {
        const int before = listed(), inFile = lines();
        const auto action = [&](QWidget*) {
            r.change();
            return true;
        };
        if (r.command < 0) {
            win->setPublishingAction(action);
            win->runPublishing();
        } else {
            win->setCommandAction(r.command, action);
            win->runCommand(r.command);
        }
        EXPECT_EQ(std::pair(listed() - before, lines() - inFile), std::pair(r.events, r.events))
            << r.command;
    }
    FolderLocks locks;
    ASSERT_TRUE(locks.lock({programDir(), mine}).isEmpty());
    installCommands(win.get(), &locks);
    QLockFile other(FolderLocks::lockPath(theirs));
    ASSERT_TRUE(other.tryLock(0));
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<frmKX5_Set_DSave*>(QApplication::activeModalWidget());
        d->setFolder(theirs);
        d->findChild<QPushButton*>("btnOK")->click();
    });
    win->runCommand(1);
    ASSERT_FALSE(said.isEmpty());
    EXPECT_TRUE(said.last().contains(QDir::toNativeSeparators(theirs)))
        << said.last().toStdString();
    EXPECT_FALSE(win->dataLogger()->switchedOn());
    EXPECT_TRUE(readFile(mine + "/Oven_Events_20260307.TXT").endsWith("\tData saving stopped\r\n"));
    EXPECT_EQ(QDir(theirs).entryList(QDir::Files | QDir::Hidden), QStringList({"kx5comm.lock"}));
}

// A sweep that hears nobody says what was tried: opened by the user, the port closes and Scan
// Line is offered; unattended, the sweeps go on and the events say it once.
TEST_F(Unattended, ALineThatHearsNobodySaysWhatWasTried) {
    build({1});
    const auto sweepUnheard = [&] {
        for (int k = 0; k < 3; ++k) {
            ASSERT_EQ(sent().mid(1, 5), "01WHO");
            link()->fire(LinkTimer::RecvErr);
        }
    };
    press("btnMenu_3");
    sweepUnheard();
    EXPECT_FALSE(port->isOpen());
    auto* offer = win->findChild<QMessageBox*>("msgNobodyAnswered");
    ASSERT_NE(offer, nullptr);
    EXPECT_TRUE(offer->text().startsWith("No station answered at 9600 8N1 STD."));
    offer->done(QMessageBox::No);
    link()->openUnattended();
    int once = 0;
    for (int sweep = 0; sweep < 3; ++sweep) {
        sweepUnheard();
        link()->fire(LinkTimer::SweepAgain);
        once = once ? once : int(win->eventLog()->entries().size());
    }
    EXPECT_TRUE(port->isOpen());
    EXPECT_EQ(int(win->eventLog()->entries().size()), once); // said once
}

// The recorded trace: a daily file of every frame, kept within the user's limit by removing
// whole older days and, on a busy day, the day's oldest pieces, never the file being written;
// a file that cannot be written is said once.
TEST_F(Unattended, RecordedTraceGoesToDailyFilesWithinTheLimit) {
    writeFile("CFG/SaveData.INI", "Yes\r\n1\r\nsec\r\n" + dir.path().toUtf8() + "\r\nOven\r\n");
    for (const char* day : {"20260301", "20260302", "20260303"})
        writeFile(QString("Oven_Trace_%1.TXT").arg(day), QByteArray(600 << 10, 'z'));
    build({1});
    TraceRecorder* rec = win->traceRecorder();
    rec->clock = [this] { return now; };
    child<QSpinBox>("spinTraceLimit")->setValue(1);
    emit child<QSpinBox>("spinTraceLimit")->editingFinished();
    child<QCheckBox>("chkRecordTrace")->click(); // on a page not shown
    link()->sprdCommD.add(QByteArray("\x02") + "01WHO\r\n", true);
    link()->sprdCommD.add(QByteArray(500, 'x'), false);
    const QByteArray today = readFile(rec->filePath(now.date()));
    EXPECT_TRUE(today.contains("\tSend\t<STX>01WHO<CR><LF>\r\n")) << today.data();
    // Each frame with its time; a long one cut after 398 bytes.
    EXPECT_TRUE(QDateTime::fromString(QString(today.left(23)), "yyyy-MM-dd hh:mm:ss.zzz").isValid())
        << today.data();
    EXPECT_TRUE(today.endsWith("\tRecv\t" + QByteArray(398, 'x') + "<(+102 bytes)>\r\n"))
        << today.data();
    // Saved from the window: the same lines; a folder that is not there is named.
    QString error;
    ASSERT_TRUE(saveTrace(link()->sprdCommD, path("t.txt"), &error)) << error.toStdString();
    EXPECT_EQ(readFile(path("t.txt")), today);
    EXPECT_FALSE(saveTrace(link()->sprdCommD, path("no/such/folder/t.txt"), &error));
    EXPECT_TRUE(error.contains("no/such/folder")) << error.toStdString();
    const auto traces = [this] { return QDir(dir.path()).entryList({"Oven_Trace_*"}); };
    EXPECT_EQ(traces(), QStringList({"Oven_Trace_20260303.TXT", "Oven_Trace_20260307.TXT"}));
    // The switch and the limit are kept for the next start.
    EXPECT_EQ(readFile(linkOptionsPath()), "FastPolling=0\r\nReopenLostPort=1\r\nRecordTrace=1\r\n"
                                           "TraceLimitMB=1\r\n");
    // The next day: a new file, and the one before it gives way only when over the limit.
    now = now.addDays(1);
    QDir().mkpath(rec->filePath(now.date())); // ... which cannot be written
    link()->sprdCommD.add("a", false);
    link()->sprdCommD.add("b", false);
    const QString said =
        "Trace not recorded to " + rec->filePath(now.date()) + ": not a regular file";
    EXPECT_EQ(panel4(), said);
    EXPECT_EQ(win->eventLog()->entries().back().shown, said);
    EXPECT_EQ(traces().size(), 3); // under the limit: nothing more removed
    // A busy day in one file: 3.6 MB of frames, set aside in pieces as it goes, and all the
    // files together never beyond the limit.
    const auto traceBytes = [this] {
        qint64 sum = 0;
        for (const QFileInfo& f : QDir(dir.path()).entryInfoList({"Oven_Trace_*"}, QDir::Files))
            sum += f.size();
        return sum;
    };
    now = QDateTime(now.date().addDays(1), QTime(0, 0));
    qint64 most = 0;
    for (int i = 0; i < 12000; ++i, now = now.addMSecs(7190)) {
        link()->sprdCommD.add(QByteArray(300, 'f') + QByteArray::number(i), false);
        most = i % 100 ? most : qMax(most, traceBytes());
    }
    EXPECT_LE(qMax(most, traceBytes()), qint64(1) << 20);
    EXPECT_TRUE(readFile(rec->filePath(now.date())).endsWith("f11999\r\n"));
    const QStringList left = traces();
    const QString day = "Oven_Trace_" + now.date().toString("yyyyMMdd");
    EXPECT_EQ(left.filter(day + "-").size(), 3) << left.join(' ').toStdString(); // the latest
    EXPECT_EQ(left.last(), day + ".TXT");
    EXPECT_EQ(left.filter("_20260303").size(), 0); // older days went first
    child<QCheckBox>("chkRecordTrace")->click();
    EXPECT_FALSE(rec->isOn());
}

// The status bar's gateway word follows the gateway itself, as it happens: clients coming and
// going, one leaving making room for the next, and a port it cannot listen on (the words are
// the gateway tests'). The Line Statistics show the stations' counts and reset them, and what
// the running gateway counted below.
TEST_F(Unattended, TheGatewayWordFollowsItsClientsAndTheLineStatisticsShowTheCounts) {
    build({1, 2}, 2);
    sent();
    link()->fire(LinkTimer::RecvErr);
    link()->stop(LinkTimer::Send); // the line moves only as the test says
    QTcpServer taken;              // a port in use, for the second start
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost));
    quint16 free = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        free = probe.serverPort();
    }
    GatewayOptions saved;
    saved.enabled = true;
    saved.port = free;
    saved.maxClients = 1;
    Gateway* gateway = services->gateway();
    installGateway(win.get(), gateway, saved, StartOptions{});
    auto* label = win->findChild<QLabel*>("lblGateway");
    ASSERT_TRUE(gateway && label);
    win->show();
    const auto shows = [&](int clients) {
        return gateway->clients() == clients && label->text() == gateway->statusText() &&
               label->accessibleName() == label->text() && label->isVisible();
    };
    EXPECT_TRUE(shows(0) && gateway->listening());
    QTcpSocket first, second;
    first.connectToHost(QHostAddress::LocalHost, free);
    // Said as it happens, not at the next tick of some timer.
    ASSERT_TRUE(QTest::qWaitFor([&] { return gateway->clients() == 1; }, 5000));
    EXPECT_TRUE(shows(1)) << label->text().toStdString();
    // The Line Statistics show what the running gateway counted, below the stations' own.
    first.write(QByteArray::fromHex("000100000006010300010001")); // PV of unit 1
    ASSERT_TRUE(QTest::qWaitFor([&] { return !gateway->counters().units.empty(); }, 5000));
    win->findChild<QAction*>("mOnlineStats")->trigger();
    auto* stats = win->findChild<LineStatisticsDialog*>();
    ASSERT_TRUE(stats && stats->table()->rowCount() == 2); // the stations in use
    QTableWidget* t = stats->table();
    const auto drawn = [&]() -> QString { // station 1's requests/time-outs, once none is due
        if (!QTest::qWaitFor([&] { return !stats->tmrRefresh.isActive(); }, 5000)) return {};
        return t->item(0, 1)->text() + "/" + t->item(0, 3)->text();
    };
    EXPECT_EQ(drawn(), "1/1");
    auto* counts = stats->findChild<QTableWidget*>("grdCounters");
    ASSERT_EQ(counts->rowCount(), 2); // the client, then the unit
    EXPECT_EQ(counts->item(0, 0)->text() + " " + counts->item(1, 1)->text(), "127.0.0.1 1");
    // A client that has just left makes room for the next at once.
    QSignalSpy changes(gateway, &Gateway::statusChanged);
    first.abort();
    second.connectToHost(QHostAddress::LocalHost, free);
    // The gateway's word on both: the first gone, the second taken (or refused).
    ASSERT_TRUE(QTest::qWaitFor([&] { return changes.count() >= 2; }, 5000));
    EXPECT_TRUE(shows(1) && gateway->refused() == 0) << label->text().toStdString();

    const QString listeningTip = label->toolTip();
    saved.port = taken.serverPort();
    gateway->apply(saved);
    EXPECT_TRUE(shows(0) && !gateway->listening()) << label->text().toStdString();
    EXPECT_NE(label->toolTip(), listeningTip); // why it cannot listen
    gateway->stop();
    stats->findChild<QPushButton*>("btnReset")->click();
    // Each change is drawn at the next frame, and nothing while nothing changes: the gateway
    // gone and the counts wiped, then a request sent (its reply still awaited).
    EXPECT_TRUE(drawn() == "0/0" && !counts->isVisibleTo(stats) && !label->isVisible());
    sent();
    EXPECT_EQ(drawn(), "1/0");
    QTest::keyClick(stats, Qt::Key_Return); // Enter closes the window, never wipes the counts
    EXPECT_TRUE(!stats->isVisible() && link()->lineStats().at(1).requests == 1);
}
