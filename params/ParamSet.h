// A controller's settings in a file: the four blocks the parameter map reads, one line per
// register with its name, its value as the map shows it and the raw value, under a header
// naming the model, the station, the date and the program. Plain CSV, so a person can read
// and diff two sets. Raw is what is written; the value is its reading under the set's own
// input type, unit and decimal point, and a file in which the two disagree is refused.
#pragma once

#include "link/ControllerModel.h"
#include "registers/ParamInfo.h"

#include <QDateTime>
#include <QString>
#include <map>
#include <vector>

struct ParamSetEntry {
    QString name;
    int reg = 0;
    QString shown; // as the map shows it, decimals and words included
    int raw = 0;
    bool writable = false; // a register the parameter windows write, so a set copies it
};

struct ParamSet {
    ControllerModel model = ControllerModel::Unknown; // its words in the file
    int mcNo = 0;
    QDateTime taken;
    QString program;
    std::vector<ParamSetEntry> entries;
};

// The set of station mcNo from its parameter image.
ParamSet paramSetFromImage(const ParamImage& image, ControllerModel model, int mcNo,
                           const QDateTime& at);
QStringList paramSetLines(const ParamSet& set);
// Reads a set written by paramSetLines. False with *error naming the line at fault for a
// file that is not a set, names no model this program knows, is damaged, names a register no block
// holds, has a value and a raw that disagree, or a written register with a value the controller
// does not take (the ranges and choices of the parameter dialogs). The entries' shown texts are the
// raws' readings.
bool readParamSet(const QString& path, ParamSet* set, QString* error);

// Whether a set copies register reg: the registers the parameter windows write. Read-only
// registers, the recorder keys and print speed and the clock are never copied.
bool setWritable(int reg);
// Whether a difference in reg is worth a word: not the read-only ones, the recorder keys,
// the station's address or its clock. Those not copied are reported, never written.
bool setCompared(int reg);

struct ParamDiff {
    QString name;
    int reg = 0;
    QString station, set; // as shown
    int stationRaw = 0, setRaw = 0;
    bool writable = false;
};
// The compared registers whose raw value in a station's register image differs from the set's;
// a register the image lacks counts as differing.
std::vector<ParamDiff> compareParamImage(const ParamSet& set, const ParamImage& image);
