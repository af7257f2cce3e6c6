// What the gateway counted since it started listening, per client address and per unit (MC
// No), as commercial gateways show it: for the gateway window's live table and the events at
// stop.
#pragma once

#include "files/FileChecks.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <map>

class QObject;

struct GatewayCounts {
    quint64 requests = 0, answers = 0, timeouts = 0, writes = 0, refused = 0;
    std::map<int, quint64> exceptions; // by code
    quint64 exceptionsTotal() const;
    // "12 requests, 10 answers, exceptions 02 ×1, 0b ×1, 1 time-outs, 3 writes" (a client's
    // with the connections refused), in English for the events file and in the user's
    // language for the list.
    FileNotice text(bool client) const;
    // The exceptions alone: "02 ×1, 0b ×1", "" for none.
    QString exceptionsText() const;
};

struct GatewayCounters {
    enum class Tally { Request, Answer, Exception, TimeOut, Write, Refused };
    std::map<QString, GatewayCounts> clients; // by address, whatever its ports
    std::map<int, GatewayCounts> units;       // by unit id; a refused connection has none

    // One more of what to the client and, when unit is not 0, to the unit.
    void add(const QString& client, int unit, Tally what, int code = 0);
};

// How a window hears of the counts without knowing the gateway: watch(receiver, changed) has
// changed run on receiver whenever they change or the gateway starts or stops.
using GatewayWatch = std::function<void(QObject* receiver, std::function<void()> changed)>;
