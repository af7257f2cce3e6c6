// A KX5Link on an in-memory port, with a window stand-in that records what the link asked of
// it, and helpers that answer like a controller. Timers are never waited for: the tests call
// the handlers.
#pragma once

#include "link/FakeSerialPort.h"
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/mdlKX5.h"

#include <gtest/gtest.h>

struct RecordingHost : LinkHost {
    std::vector<bool> onlineCalls;
    QStringList shownMcNo;
    int paramDone = 0;
    void SetOnlineState(bool open) override { onlineCalls.push_back(open); }
    void showSelectedMcNo(const QString& mc) override { shownMcNo << mc; }
    void paramReadComplete() override { ++paramDone; }
};

class LinkFixture : public ::testing::Test {
protected:
    void SetUp() override {
        resetDataImage();
        port = new FakeSerialPort;
        link = std::make_unique<KX5Link>(port);
        link->setHost(&host);
        link->installGlobals();
    }
    void TearDown() override { link.reset(); }

    void useStations(std::initializer_list<int> mcs) {
        link->sprdStatus.setMaxRows(0);
        link->sprdMonitoring.setMaxRows(0);
        gMC_List.clear();
        gMC_OK.clear();
        gMC_Name.clear();
        for (int mc : mcs) {
            gMC_List.push_back(mc);
            gMC_OK.push_back(false);
            gMC_Name << QString();
            link->sprdStatus.appendRow();
            link->sprdStatus.setText(1, link->sprdStatus.maxRows(), QString::number(mc));
            link->sprdMonitoring.appendRow();
            link->sprdMonitoring.setText(0, link->sprdMonitoring.maxRows(), QString::number(mc));
        }
        gMC_Last = static_cast<int>(gMC_List.size()) - 1;
    }

    // Runs one send tick and returns what it wrote (empty when nothing was sent).
    QByteArray tick() {
        port->writes.clear();
        link->tmrSend_Timer();
        return port->takeWritten();
    }

    // Delivers bytes as one receive event: the notification, then the end of the gather.
    void deliver(const QByteArray& bytes) {
        port->feed(bytes);
        link->gather_Done();
    }

    // ---- replies as a controller sends them ----
    static QByteArray wrap(const QByteArray& body) {
        QByteArray f = QByteArray(1, STX) + body;
        if (gSumLen > 0) f += "..";
        f += "\r\n";
        if (gSumLen > 0) PutFrameSum(f);
        return f;
    }
    static QByteArray mc2(int mc) { return QByteArray::number(mc).rightJustified(2, '0'); }
    static QByteArray whoReply(int mc, const QByteArray& model = "KX5-10033") {
        // Characters 11 to 20 (STX being the first) are the model field.
        return wrap(mc2(mc) + "WHO,OK," + model.rightJustified(10, ' '));
    }
    static QByteArray drrReply(int mc, const std::vector<int>& vals) {
        QByteArray b = mc2(mc) + "DRR,OK";
        for (int v : vals)
            b += "," + HexPad(v, 4).toLatin1().left(4);
        return wrap(b);
    }
    static QByteArray drrReplyForStep(int mc, int step, int base = 0) {
        std::vector<int> vals;
        for (int r : stepRegisters(step))
            vals.push_back(r + base);
        return drrReply(mc, vals);
    }
    static QByteArray dwrAck(int mc) { return wrap(mc2(mc) + "DWR,OK"); }
    static QByteArray ngReply(int mc) { return wrap(mc2(mc) + "NG,01"); }

    // Opens the port and answers the model sweep: the stations in `answering` give a KX5
    // model, the others stay silent until the watchdog gives them up.
    void openAndSweep(const std::vector<int>& answering) {
        link->mSetPortOpen_Click();
        for (int i = 0; i <= gMC_Last; ++i) {
            const int mc = gMC_List[static_cast<size_t>(i)];
            const QByteArray req = tick();
            ASSERT_EQ(req, buildModelReq(mc, gSumLen));
            if (std::find(answering.begin(), answering.end(), mc) != answering.end()) {
                deliver(whoReply(mc));
            } else {
                for (int k = 0; k < 3; ++k) {
                    link->tmrRecvErr_Timer();
                    if (k < 2) {
                        ASSERT_EQ(tick(), buildModelReq(mc, gSumLen));
                    }
                }
            }
        }
    }

    // Answers the four read-all blocks of the selected station.
    void readAllBlocks() {
        for (int step = 21; step <= 24; ++step) {
            ASSERT_EQ(tick(), buildReadReq(gMC_No, stepRegisters(step), gSumLen)) << step;
            deliver(drrReplyForStep(gMC_No, step));
        }
        ASSERT_EQ(gSendStep, 11);
    }

    FakeSerialPort* port = nullptr;
    std::unique_ptr<KX5Link> link;
    RecordingHost host;
};
