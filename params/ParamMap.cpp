#include "params/ParamMap.h"

#include "link/Cells.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"

#include <QCoreApplication>
#include <array>
#include <cmath>

namespace {

constexpr std::array<const char*, kMapGroups> kGroupNames = {
    "PROCESS", "CONTROL", "PROGRAM", "SV / AT/ PID", "ALM / HBA", "RET / COM / RSP", "OUT / IN"};

// Decoration of the name column of each group.
constexpr std::array<Bgr, kMapGroups> kNameShade = {
    rgb(255, 236, 200), rgb(220, 235, 255), rgb(225, 225, 225), rgb(235, 220, 255),
    rgb(255, 215, 215), rgb(215, 245, 240), rgb(240, 245, 205)};

bool in(int v, std::initializer_list<int> set) {
    for (int x : set)
        if (x == v) return true;
    return false;
}
bool between(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

} // namespace

QString mapGroupName(int group) {
    return group >= 0 && group < kMapGroups ? QString::fromLatin1(kGroupNames[size_t(group)])
                                            : QString();
}

QString mapParamName(int group, int row) {
    static const char* const process[] = {
        "NPV",    "NSV",    "NRSV", "S.SV", "MVOUT", "CH1OUT", "CH2OUT", "PIDNO",  "ALMSTS",
        "STEPNO", "BRSEGT", "OUT1", "OUT2", "H1CM",  "H2CM",   "ADESTS", "ERRSTS", "MODSTS"};
    static const char* const pid[] = {"P", "I", "D", "MR", "Pc", "Ic", "Dc", "DB", "RP"};
    static const char* const outIn[] = {"OUT",  "O.ACT", "CT",    "CTC",  "HYS",  "PO",   "POC",
                                        "OL-H", "OL-L",  nullptr, "INP",  "UNIT", "FR-H", "FR-L",
                                        "DP-P", "SL-H",  "SL-L",  "FILT", "BIAS", "B.OUT"};
    auto pick = [row](std::initializer_list<std::pair<int, const char*>> rows) {
        for (const auto& [r, name] : rows)
            if (r == row) return QString::fromLatin1(name);
        return QString();
    };
    switch (group) {
    case 0:
        return between(row, 2, 19) ? QString::fromLatin1(process[row - 2]) : QString();
    case 1:
        return pick({{1, "MOD"},
                     {2, "PROG"},
                     {3, "ZONE"},
                     {4, "FUZY"},
                     {5, "ARW"},
                     {7, "DIS"},
                     {9, "UP.RT"},
                     {10, "DN.RT"},
                     {11, "RTMU"}});
    case 2:
        if (between(row, 4, 21))
            return QStringLiteral("%1%2").arg(row % 2 == 0 ? "SV" : "TM").arg((row - 2) / 2);
        return pick({{1, "WZ"},
                     {2, "WTM"},
                     {3, "SSV"},
                     {22, "SVA"},
                     {23, "TMA"},
                     {24, "JC"},
                     {25, "TMU"},
                     {26, "STC"}});
    case 3: {
        const int set = (row - 1) / 10, k = (row - 1) % 10;
        if (set >= 1 && set <= 3 && k < 9 && row <= kMapRows)
            return QStringLiteral("%1.%2").arg(set).arg(QLatin1String(pid[k]));
        return pick({{1, "SVNO"}, {2, "SV1"}, {3, "SV2"}, {4, "SV3"}, {6, "AT.M"}, {7, "AT"}});
    }
    case 4:
        return pick({{1, "HBA1"},
                     {2, "H1DB"},
                     {4, "HBA2"},
                     {5, "H2DB"},
                     {11, "A1TY"},
                     {12, "A2TY"},
                     {13, "A3TY"},
                     {14, "A1DB"},
                     {15, "A2DB"},
                     {16, "A3DB"},
                     {17, "AL-1"},
                     {18, "AL-2"},
                     {19, "AL-3"}});
    case 5:
        return pick({{2, "PRINT"},
                     {3, "TEXT"},
                     {4, "LIST"},
                     {5, "FEED"},
                     {6, "ZOOM"},
                     {7, "SPD"},
                     {11, "P-RS"},
                     {12, "BPS"},
                     {13, "PRI"},
                     {14, "STP"},
                     {15, "DLN"},
                     {16, "ADR"},
                     {17, "RP.T"},
                     {21, "YEAR"},
                     {22, "MON"},
                     {23, "DAY"},
                     {24, "HOUR"},
                     {25, "MIN"},
                     {26, "SEC"}});
    case 6:
        return between(row, 1, 20) && outIn[row - 1] ? QString::fromLatin1(outIn[row - 1])
                                                     : QString();
    default:
        return {};
    }
}

MapAccess mapAccess(int col, int row) {
    const auto rw = [](bool yes) { return yes ? MapAccess::ReadWrite : MapAccess::NotUsed; };
    switch (col) {
    case 2:
        return between(row, 2, 19) ? MapAccess::ReadOnly : MapAccess::NotUsed;
    case 4:
        return rw(in(row, {3, 4, 5, 7, 9, 10, 11}));
    case 8:
        return rw(between(row, 1, 4) || row == 6 || row == 7 || between(row, 11, 19) ||
                  between(row, 21, 29) || between(row, 31, 38));
    case 10:
        return rw(in(row, {11, 12, 14, 15, 17, 18}));
    case 12:
        return rw(between(row, 2, 7) || between(row, 11, 17) || between(row, 21, 26));
    case 14:
        return rw(between(row, 1, 9) || between(row, 11, 20));
    default:
        return MapAccess::NotUsed;
    }
}

void setupMapGrid(Grid& grid) {
    grid.setMaxCols(kMapCols);
    grid.setMaxRows(kMapRows);
    grid.setHeaderRows(2);
    grid.addSpan(0, 0, 1, 2);
    for (int g = 0; g < kMapGroups; ++g) {
        const int nameCol = 2 * g + 1, valueCol = 2 * g + 2;
        grid.setText(nameCol, 0, mapGroupName(g));
        grid.setHeader2Text(nameCol, QString::number(100 * g));
        grid.addSpan(nameCol, 0, 2, 1);
        grid.addSpan(nameCol, -1, 2, 1);
        for (int r = 1; r <= kMapRows; ++r) {
            grid.setText(nameCol, r, mapParamName(g, r));
            grid.setBackColor(nameCol, r, kNameShade[size_t(g)]);
            switch (mapAccess(valueCol, r)) {
            case MapAccess::ReadOnly:
                grid.setBackColor(valueCol, r, kReadOnlyColor);
                break;
            case MapAccess::ReadWrite:
                grid.setBackColor(valueCol, r, kReadWriteColor);
                break;
            case MapAccess::NotUsed:
                grid.setBackColor(valueCol, r, kNotUsedColor);
                grid.setForeColor(valueCol, r, kNotUsedText);
                break;
            }
        }
    }
    for (int r = 1; r <= kMapRows; ++r)
        grid.setText(0, r, QString::number(r));
}

void refreshMapGrid(const ParamImage* image, Grid& display) {
    const int d = image ? imageDecimals(*image) : 0;
    for (int c = 2; c <= kMapCols; c += 2) {
        for (int r = 1; r <= display.maxRows(); ++r) {
            const int reg = mapRegister(c, r);
            const std::optional<int> raw = image ? imageValue(*image, reg) : std::nullopt;
            const QString shown = raw ? paramText(reg, *raw, d) : QString();
            // Unchanged cells are left alone, so a view repaints only what moved.
            if (display.text(c, r) != shown) display.setText(c, r, shown);
        }
    }
}

QString mapCellDescription(int col, int row, const QString& text) {
    const QString name = mapParamName(col / 2 - 1, row);
    const int reg = mapRegister(col, row);
    QString access;
    switch (mapAccess(col, row)) {
    case MapAccess::ReadWrite:
        access = QCoreApplication::translate("frmKX5_Parameter", "can be written");
        break;
    case MapAccess::ReadOnly:
        access = QCoreApplication::translate("frmKX5_Parameter", "read only");
        break;
    case MapAccess::NotUsed:
        access = QCoreApplication::translate("frmKX5_Parameter", "not used");
        break;
    }
    const QString value =
        text.isEmpty() ? QCoreApplication::translate("frmKX5_Parameter", "not read") : text;
    //: A value cell of the parameter map for screen readers: name, register, value, access.
    return QCoreApplication::translate("frmKX5_Parameter", "%1 (register %2): %3, %4")
        .arg(name.isEmpty() ? QString::number(reg) : name)
        .arg(reg)
        .arg(value, access);
}

MapClick mapClickAction(int col, int row) {
    // Said in the map window's message line, in its words.
    const auto msg = [](const char* text) {
        return MapClick{QCoreApplication::translate("frmKX5_Parameter", text)};
    };
    const auto open = [](MapDialog d) { return MapClick{QString(), d}; };
    switch (col) {
    case 1:
    case 2:
        return msg(QT_TRANSLATE_NOOP("frmKX5_Parameter", "Read Only Area"));
    case 3:
    case 4:
        if (row == 1 || row == 2) return msg(QT_TRANSLATE_NOOP("frmKX5_Parameter", "Not Used"));
        if (in(row, {3, 4, 7, 9, 10, 11})) return open(MapDialog::Control);
        if (row == 5) return open(MapDialog::PID);
        break;
    case 5:
    case 6:
        return msg(QT_TRANSLATE_NOOP("frmKX5_Parameter", "Not Used"));
    case 7:
    case 8:
        if (between(row, 1, 4)) return open(MapDialog::SV);
        if (row == 6 || row == 7) return open(MapDialog::AT);
        if (between(row, 11, 19) || between(row, 21, 29) || between(row, 31, 38))
            return open(MapDialog::PID);
        break;
    case 9:
    case 10:
        if (in(row, {1, 2, 4, 5, 6, 13, 16, 19}))
            return msg(QT_TRANSLATE_NOOP("frmKX5_Parameter", "Not Used"));
        if (in(row, {11, 12, 14, 15, 17, 18})) return open(MapDialog::ALM);
        break;
    case 11:
    case 12:
        if (between(row, 2, 7))
            return msg(QT_TRANSLATE_NOOP("frmKX5_Parameter", "Go to Main-Window"));
        if (between(row, 11, 17)) return msg(QT_TRANSLATE_NOOP("frmKX5_Parameter", "Not Used"));
        if (between(row, 21, 26)) return open(MapDialog::SetDT);
        break;
    case 13:
    case 14:
        if (between(row, 1, 9)) return open(MapDialog::OUT);
        if (between(row, 11, 20)) return open(MapDialog::IN);
        break;
    default:
        break;
    }
    return {};
}

std::vector<int> mapDialogWrites(MapDialog which) {
    const auto of = [](int step) { return findStep(step)->regs; };
    switch (which) {
    case MapDialog::Control:
        return of(kStepWriteControl);
    case MapDialog::PID:
        return of(kStepWritePID);
    case MapDialog::SV:
        return of(kStepWriteSV);
    case MapDialog::AT:
        return of(kStepWriteAT);
    case MapDialog::ALM:
        return of(kStepWriteAlarm);
    case MapDialog::OUT:
        return of(kStepWriteOutput);
    case MapDialog::IN: {
        std::vector<int> regs = of(kStepWriteInput1);
        for (int reg : of(kStepWriteInput2))
            regs.push_back(reg);
        return regs;
    }
    case MapDialog::SetDT:
    case MapDialog::None:
        break;
    }
    return {};
}
