// A main window on an in-memory port, in a program folder of its own. Timers are never waited
// for: tests call the handlers.
#pragma once

#include "link/mdlKX5.h"
#include "monitor/Lamp.h"
#include "monitor/TrendChart.h"
#include "monitor/frmKX5_Main.h"
#include "settings/ConfigFiles.h"
#include "tests/support/FakeSerialPort.h"
#include "ui/MsgBox.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class MainFixture : public ::testing::Test {
protected:
    void SetUp() override {
        resetDataImage();
        ASSERT_TRUE(dir.isValid());
        setProgramDir(dir.path());
        setMsgBoxHandler({});
    }
    void TearDown() override {
        win.reset();
        setMsgBoxHandler({});
        setProgramDir(QString());
    }

    QString path(const QString& rel) const { return dir.path() + QLatin1Char('/') + rel; }

    void writeFile(const QString& rel, const QByteArray& bytes) {
        const QString p = path(rel);
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray readFile(const QString& p) const {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // SetEnv.INI with the given MC Nos marked "O" and every other line "X".
    void writeStations(std::initializer_list<int> mcs) {
        QByteArray all;
        for (int n = 1; n <= 99; ++n) {
            const bool used = std::find(mcs.begin(), mcs.end(), n) != mcs.end();
            all += (used ? "O\tOven " : "X\tOven ") + QByteArray::number(n) + "\r\n";
        }
        writeFile(QStringLiteral("CFG/SetEnv.INI"), all);
    }

    frmKX5_Main* open() {
        port = new FakeSerialPort;
        win = std::make_unique<frmKX5_Main>(port);
        win->tmrDispGraph.stop();
        return win.get();
    }

    template <class T> T* child(const char* name) const {
        T* w = win->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char* label) const { return child<QLabel>(label)->text(); }
    bool lit(const QString& lamp) const {
        Lamp* l = win->findChild<Lamp*>(lamp);
        EXPECT_NE(l, nullptr) << lamp.toStdString();
        return l && l->isLit();
    }
    Bgr keyColor(int i) const {
        return child<QPushButton>(QStringLiteral("btnPrint_%1").arg(i).toLatin1().constData())
            ->property("keyColor")
            .toUInt();
    }
    KX5Link* link() const { return win->link(); }

    // Opens the port through its button; the fake port always opens.
    void openPort() {
        QTest::mouseClick(child<QPushButton>("btnMenu_3"), Qt::LeftButton);
        ASSERT_TRUE(link()->portCommandSaysClose());
    }

    // Marks stations connected as the model sweep would, without the exchange.
    void markConnected(std::initializer_list<int> indices) {
        gLinkUp = true;
        for (int i : indices) {
            gMC_OK[static_cast<size_t>(i)] = true;
            link()->sprdStatus.setText(3, i + 1, QStringLiteral("OK"));
        }
    }

    QTemporaryDir dir;
    FakeSerialPort* port = nullptr;
    std::unique_ptr<frmKX5_Main> win;
};

// Fixed clock the tests move by hand.
struct TestClock {
    QDateTime now{QDate(2026, 3, 7), QTime(9, 5, 3)};
    std::function<QDateTime()> fn() {
        return [this] { return now; };
    }
};
