// The settings files of a program folder whose port is kx5sim's line, for the end-to-end tests
// of the windows against the simulator.
#pragma once

#include "files/ConfigFiles.h"
#include "sim/SimLine.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <string>
#include <vector>

// Comm.CFG on the simulator's path (9600, N, 8, 1), the stations `inUse` marked "O".
inline bool writeSimSettings(const kx5sim::SimLine& sim, const std::vector<int>& inUse,
                             bool sum = false) {
    writeWhole(setEnvPath(), setEnvFile(inUse, "Oven"));
    return writeLinesAtomic(
        commCfgPath(),
        {QString::fromStdString(sim.path()), "9600", "N", "8", "1", sum ? "SUM" : "STD"}, nullptr);
}

// The NPV (or the value at another position of the monitor read) of every monitor reply
// kx5sim sent to station mc.
inline std::vector<int> pvsSent(const kx5sim::SimLine& sim, int mc, int field = 3) {
    std::vector<int> out;
    const std::string head = (mc < 10 ? "0" : "") + std::to_string(mc) + "DRR,OK,";
    for (const kx5sim::Exchange& e : sim.exchanges()) {
        const auto at = e.reply.find(head);
        if (at == std::string::npos) continue;
        const QList<QByteArray> f =
            QByteArray::fromStdString(e.reply.substr(at + head.size())).split(',');
        if (f.size() >= 19) out.push_back(int(qint16(f[field].trimmed().toUShort(nullptr, 16))));
    }
    return out;
}
