// One fixture for the main-window tests: a window on an in-memory port in a program folder of
// its own, built with the stations asked for and, when some answer, brought up through the
// link's own model sweep and read-all. Timers are never waited for: tests call handlers.
#pragma once

#include "app/LineServices.h"
#include "files/ConfigFiles.h"
#include "link/Cells.h"
#include "link/mdlKX5.h"
#include "monitor/Lamp.h"
#include "monitor/TrendPanel.h"
#include "monitor/frmKX5_Main.h"
#include "services/EventLog.h"
#include "services/LineStatus.h"
#include "services/LinkWords.h"
#include "tests/support/AnsweredBoxes.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/support/Replies.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

class MainFixture : public ::testing::Test, protected AnsweredBoxes {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setProgramDir(dir.path());
    }
    void TearDown() override {
        win.reset();
        services.reset();
        setProgramDir(QString());
    }

    QString path(const QString& rel) const { return dir.path() + QLatin1Char('/') + rel; }
    void writeFile(const QString& rel, const QByteArray& bytes) { writeWhole(path(rel), bytes); }

    // The window as start-up leaves it, from whatever settings files the test wrote.
    void open() {
        win.reset();
        port = new FakeSerialPort;
        services = std::make_unique<LineServices>(std::unique_ptr<SerialPort>(port));
        win = std::make_unique<frmKX5_Main>(services->parts(), loadStartSettings());
        win->tmrDispGraph.stop();
        win->clock = win->eventLog()->clock = [this] { return now; };
    }
    // Stations `mcs` in use. With `connected` > 0 the port is opened and the first `connected`
    // stations answer the model sweep (the others stay silent through three reply waits each),
    // the first of them is selected and its parameters read (all zero): the link monitors, the
    // display is online, the line statistics start from nothing and the send timer is left to
    // the tests.
    // With `selected` > 1 that row's station is then selected and its parameters read too.
    void build(std::initializer_list<int> mcs, int connected = 0, int selected = 1) {
        writeFile("CFG/SetEnv.INI", setEnvFile(mcs, "Oven"));
        open();
        if (connected == 0) return;
        openPort(static_cast<int>(mcs.size()), connected);
        if (selected > 1) {
            ASSERT_TRUE(link()->selectStation(selected - 1));
            for (int block = 1; block <= 4; ++block)
                answerNext();
        }
        EXPECT_EQ(link()->phase(), KX5Link::Phase::Monitoring);
        link()->stop(LinkTimer::Send);
        link()->resetLineStats();
        win->tmrRefresh.stop();
    }
    // Port Open: the first `connected` of the `inUse` stations answer the sweep, the others
    // stay silent until given up; then the selected station's four blocks are read.
    void openPort(int inUse, int connected) {
        press("btnMenu_3");
        for (int i = 0; i < connected; ++i)
            answerNext();
        for (int k = 0; k < 3 * (inUse - connected); ++k) {
            sent();
            link()->fire(LinkTimer::RecvErr);
        }
        for (int block = 1; block <= 4; ++block)
            answerNext();
    }
    // The next send tick, answered by its station; returns the request.
    QByteArray answerNext() {
        const QByteArray request = sent();
        port->feed(answerTo(request));
        link()->fire(LinkTimer::Gather);
        return request;
    }

    template <class T = QWidget> T* child(const QString& name) const {
        T* w = win->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString text(const QString& label) const { return child<QLabel>(label)->text(); }
    void press(const QString& button) {
        QTest::mouseClick(child<QAbstractButton>(button), Qt::LeftButton);
    }
    KX5Link* link() const { return win->link(); }
    // The class of the window that command `index` opens, closed again at once.
    QString opens(int index) {
        QString shown;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            shown = modal->metaObject()->className();
            modal->close();
        });
        win->runCommand(index);
        return shown;
    }
    // The status bar's message, and its words.
    const StatusMessage& status() const { return services->status()->message(); }
    QString panel4() const { return LinkWords::shown(status()); }
    // The monitor reply of the station in row `row`, stored by the link as from the line: its
    // 19 values blank-separated (INP UNIT DP-P NPV NSV NRSV SSV MVOUT PIDNO ALMSTS ERRSTS MODSTS
    // 300 501..506), missing ones 0.
    void store(int row, const char* values) {
        std::vector<int> v(19, 0);
        const QStringList t = QString::fromLatin1(values).split(' ', Qt::SkipEmptyParts);
        for (int i = 0; i < t.size() && i < 19; ++i)
            v[size_t(i)] = t[i].toInt();
        link()->StoreMonitorReply(row - 1, drrReply(link()->line().mcNoAt(row - 1), v));
    }
    // What the table view `table` shows in a cell (column and row from 1; column 0 is the row
    // header).
    QString cell(const QString& table, int col, int row) const {
        const QAbstractItemModel* m = child<QTableView>(table)->model();
        if (col == 0) return m->headerData(row - 1, Qt::Vertical).toString();
        return m->index(row - 1, col - 1).data().toString();
    }
    // Moves the poll to the station in row `row`: the stations polled before it answer with
    // their last reading unchanged (zeros before their first).
    void pollAt(int row) {
        for (int k = 0; k < link()->line().count() && link()->polledIdx() != row - 1; ++k) {
            const int idx = link()->polledIdx();
            const StationValues* v = link()->values(idx);
            std::vector<int> regs(StationValues::kCount, 0);
            if (v && v->storedAt.isValid()) regs.assign(v->regs.begin(), v->regs.end());
            sent();
            port->feed(drrReply(link()->line().mcNoAt(idx), regs));
            link()->fire(LinkTimer::Gather);
        }
        link()->stop(LinkTimer::Send);
    }
    // What the next send tick writes. When a request waits, the poll's share before it is
    // answered first (the link's own tests check that share).
    QByteArray sent() {
        for (int k = 0; k < 8 && link()->pollOwed() > 0 && link()->waitingRequests() > 0; ++k) {
            port->writes.clear();
            link()->fire(LinkTimer::Send);
            port->feed(answerTo(port->takeWritten()));
            link()->fire(LinkTimer::Gather);
        }
        port->writes.clear();
        link()->fire(LinkTimer::Send);
        return port->takeWritten();
    }

    QTemporaryDir dir;
    FakeSerialPort* port = nullptr;
    std::unique_ptr<LineServices> services; // what the window shows, made as the program makes it
    std::unique_ptr<frmKX5_Main> win;
    QDateTime now{QDate(2026, 3, 7), QTime(9, 5, 3)}; // the window's clock
};
