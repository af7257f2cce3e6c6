// The stations in use as SetEnv.INI gives them: a value that settings/ loads and the line
// model takes.
#pragma once

#include <QString>
#include <vector>

struct StationEntry {
    int mcNo = 0; // 1 to 99
    QString name;
    friend bool operator==(const StationEntry&, const StationEntry&) = default;
};

using StationList = std::vector<StationEntry>;
