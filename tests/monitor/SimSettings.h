// The settings files of a program folder whose port is kx5sim's line, for the end-to-end tests
// of the windows against the simulator.
#pragma once

#include "settings/ConfigFiles.h"
#include "sim/SimLine.h"

#include <QDir>

// Comm.CFG on the simulator's path (9600, N, 8, 1), the stations `inUse` marked "O".
inline bool writeSimSettings(const kx5sim::SimLine& sim, std::initializer_list<int> inUse,
                             bool sum = false) {
    QStringList env(99, QStringLiteral("X\t"));
    for (int mc : inUse)
        env[mc - 1] = QStringLiteral("O\tOven");
    QDir().mkpath(cfgDir());
    return writeLinesAtomic(
               commCfgPath(),
               {QString::fromStdString(sim.path()), "9600", "N", "8", "1", sum ? "SUM" : "STD"},
               nullptr) &&
           writeLinesAtomic(setEnvPath(), env, nullptr);
}
