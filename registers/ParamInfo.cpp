#include "registers/ParamInfo.h"

#include "link/mdlKX5.h"
#include "registers/ValueList.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

// clang-format off
const InputType kInputTypes[kInputTypeCount] = {
    {1, "K1", "-200  ∼ 1370", "-200", "1370", 0, "-300", "2500", 0},
    {2, "K2", "-199.9 ∼ 999.9", "-199.9", "999.9", 1, "0", "2300", 0},
    {3, "J", "-199.9 ∼ 999.9", "-199.9", "999.9", 1, "-300", "2300", 0},
    {4, "E", "-199.9 ∼ 999.9", "-199.9", "999.9", 1, "-300", "1800", 0},
    {5, "T", "-199.9 ∼ 400.0", "-199.9", "400.0", 1, "-300", "750", 0},
    {6, "R", "0 ∼ 1700", "0", "1700", 0, "32", "3100", 0},
    {7, "B", "0 ∼ 1800", "0", "1800", 0, "32", "3300", 0},
    {8, "S", "0 ∼ 1700", "0", "1700", 0, "32", "3100", 0},
    {9, "L", "-199.9 ∼ 900.0", "-199.9", "900.0", 1, "-300", "1300", 0},
    {10, "N", "-200 ∼ 1300", "-200", "1300", 0, "-300", "2400", 0},
    {11, "U", "-199.9 ∼ 400.0", "-199.9", "400.0", 1, "-300", "750", 0},
    {12, "W", "0 ∼ 2300", "0", "2300", 0, "32", "4200", 0},
    {13, "Platinel II", "0 ∼ 1390", "0", "1390", 0, "32", "2500", 0},
    {20, "KSPt100", "-199.9 ∼ 500.0", "-199.9", "500.0", 1, "-199.9", "999.9", 1},
    {21, "Pt100", "-199.9 ∼ 640.0", "-199.9", "640.0", 1, "-300", "1180", 0},
    {30, "1∼5V", "1∼5V", "1.000", "5.000", 1, "1.000", "5.000", 1},
    {32, "-10∼20mV", "-10∼20mV", "-10.00", "20.00", 1, "-10.00", "20.00", 1},
    {33, "0∼100mV", "0∼100mV", "0.0", "100.0", 1, "0.0", "100.0", 1},
};
// clang-format on

const InputType* inputType(int no) {
    for (const InputType& t : kInputTypes)
        if (t.no == no) return &t;
    return nullptr;
}

namespace {

QString say(const char* text) {
    return QCoreApplication::translate("ParamInfo", text);
}

constexpr int kMin = int(kRegisterMin), kMax = int(kRegisterMax);

std::vector<ParamInfo> buildTable() {
    using S = ParamInfo::Scale;
    const std::vector<ParamChoice> offOn = {{0, QT_TRANSLATE_NOOP("ParamChoice", "OFF"), "끔"},
                                            {1, QT_TRANSLATE_NOOP("ParamChoice", "ON"), "켬"}};
    const auto number = [](int reg, const char* name, S scale = S::Whole, bool temp = false) {
        return ParamInfo{reg, name, scale, {}, kMin, kMax, temp};
    };
    const auto codes = [](int reg, const char* name, int lo, int hi) {
        return ParamInfo{reg, name, S::Whole, {}, lo, hi, false};
    };
    const auto choice = [](int reg, const char* name, std::vector<ParamChoice> c) {
        return ParamInfo{reg, name, S::Whole, std::move(c), kMin, kMax, false};
    };
    std::vector<ParamChoice> types;
    for (const InputType& t : kInputTypes)
        types.push_back({t.no, nullptr});
    const auto shownOnly = [](ParamInfo p) {
        p.shownOnly = true;
        return p;
    };
    std::vector<ParamInfo> t = {
        shownOnly(number(1, "NPV", S::Decimals)),
        shownOnly(number(2, "NSV", S::Decimals)),
        shownOnly(number(3, "NRSV", S::Decimals)),
        shownOnly(number(4, "S.SV", S::Decimals)),
        choice(102, "ZONE", offOn),
        choice(103, "FUZY", offOn),
        choice(106, "DIS", offOn),
        number(108, "UP.RT"),
        number(109, "DN.RT"),
        choice(110, "RTMU",
               {{0, QT_TRANSLATE_NOOP("ParamChoice", "Hour"), "시간"},
                {1, QT_TRANSLATE_NOOP("ParamChoice", "Min"), "분"}}),
        codes(300, "SVNO", 1, 3),
        number(301, "SV1", S::Decimals, true),
        number(302, "SV2", S::Decimals, true),
        number(303, "SV3", S::Decimals, true),
        choice(305, "AT.M",
               {{0, QT_TRANSLATE_NOOP("ParamChoice", "STD"), "표준(STD)"},
                {1, QT_TRANSLATE_NOOP("ParamChoice", "LOW"), "저PV(LOW)"}}),
        choice(306, "AT",
               {{0, QT_TRANSLATE_NOOP("ParamChoice", "OFF"), "끔"},
                {1, "1"},
                {2, "2"},
                {3, "3"},
                {4, QT_TRANSLATE_NOOP("ParamChoice", "AUTO"), "자동"}}),
        codes(410, "A1TY", 0, 21), // the alarm-code picker's codes
        codes(411, "A2TY", 0, 21),
        number(413, "A1DB"),
        number(414, "A2DB"),
        number(416, "AL-1", S::Decimals),
        number(417, "AL-2", S::Decimals),
        shownOnly(number(418, "AL-3", S::Decimals)),
        shownOnly(choice(500, "", {{1, "PV"}, {2, "SV"}, {3, "MV"}, {4, "SPS"}})),
        shownOnly(number(501, "PRINT", S::Decimals)),
        shownOnly(number(502, "TEXT", S::Decimals)),
        shownOnly(choice(510, "P-RS", {{0, "STD"}, {1, "SUM"}})),
        shownOnly(
            choice(511, "BPS", {{0, "600"}, {1, "1200"}, {2, "2400"}, {3, "4800"}, {4, "9600"}})),
        shownOnly(choice(512, "PRI",
                         {{0, QT_TRANSLATE_NOOP("ParamChoice", "NONE"), "없음"},
                          {1, QT_TRANSLATE_NOOP("ParamChoice", "EVEN"), "짝수"},
                          {2, QT_TRANSLATE_NOOP("ParamChoice", "ODD"), "홀수"}})),
        codes(600, "OUT", 0, 12),
        choice(601, "O.ACT",
               {{0, QT_TRANSLATE_NOOP("ParamChoice", "REV"), "역동작"},
                {1, QT_TRANSLATE_NOOP("ParamChoice", "DIR"), "정동작"}}),
        number(602, "CT"),
        number(603, "CTC"),
        number(604, "HYS", S::Decimals),
        number(605, "PO", S::Tenths),
        number(606, "POC", S::Tenths),
        number(607, "OL-H", S::Tenths),
        number(608, "OL-L", S::Tenths),
        choice(610, "INP", types),
        choice(611, "UNIT", {{0, "℃"}, {1, "℉"}}),
        number(612, "FR-H", S::Decimals, true),
        number(613, "FR-L", S::Decimals, true),
        codes(614, "DP-P", 0, 3),
        number(615, "SL-H", S::Decimals),
        number(616, "SL-L", S::Decimals),
        number(617, "FILT"),
        number(618, "BIAS", S::Decimals),
        choice(619, "B.OUT",
               {{0, QT_TRANSLATE_NOOP("ParamChoice", "OFF"), "끔"},
                {1, QT_TRANSLATE_NOOP("ParamChoice", "UP"), "상향"},
                {2, QT_TRANSLATE_NOOP("ParamChoice", "DOWN"), "하향"}}),
    };
    // The PID sets: RP in the temperature's decimals, the third set without one.
    static const char* const pid[] = {"1.P",  "1.I",  "1.D",  "1.MR", "1.Pc", "1.Ic", "1.Dc",
                                      "1.DB", "1.RP", "2.P",  "2.I",  "2.D",  "2.MR", "2.Pc",
                                      "2.Ic", "2.Dc", "2.DB", "2.RP", "3.P",  "3.I",  "3.D",
                                      "3.MR", "3.Pc", "3.Ic", "3.Dc", "3.DB"};
    for (int i = 0; i < 26; ++i) {
        const int set = i / 9 + 1, row = i % 9;
        t.push_back(number(300 + 10 * set + row, pid[i], row == 8 ? S::Decimals : S::Whole));
    }
    for (ParamInfo& p : t) {
        if (p.reg == 500) p.otherwise = ParamInfo::Otherwise::Blank;
        if (p.reg == 610) p.otherwise = ParamInfo::Otherwise::Number;
    }
    std::sort(t.begin(), t.end(),
              [](const ParamInfo& a, const ParamInfo& b) { return a.reg < b.reg; });
    return t;
}

} // namespace

namespace {

QString englishWord(const ParamChoice& c) {
    return c.word ? QString::fromUtf8(c.word) : QString::number(c.code);
}

// A word of the language is shown in the user's; the catalogue gives the table's Korean.
QString shownWord(const ParamChoice& c) {
    return c.korean ? QCoreApplication::translate("ParamChoice", c.word) : englishWord(c);
}

} // namespace

std::optional<int> imageValue(const ParamImage& image, int reg) {
    const auto it = image.find(reg);
    return it == image.end() ? std::nullopt : std::optional<int>(it->second);
}

int imageDecimals(const ParamImage& image) {
    return DecimalPlaces(imageValue(image, 610).value_or(0), imageValue(image, 611).value_or(0),
                         imageValue(image, 614).value_or(0));
}

QString ParamInfo::text(int raw, int d, bool english) const {
    if (choices.empty()) {
        const int p = power(d);
        return formatDecimals(raw / std::pow(10.0, p), p);
    }
    const ParamChoice* shown = nullptr;
    for (const ParamChoice& c : choices)
        if (c.code == raw) shown = &c;
    if (!shown) {
        if (otherwise == Otherwise::Blank) return {};
        if (otherwise == Otherwise::Number) return QString::number(raw);
        shown = &choices.back();
    }
    return english ? englishWord(*shown) : shownWord(*shown);
}

QString paramText(int reg, int raw, int d, bool english) {
    const ParamInfo* p = paramInfo(reg);
    return p ? p->text(raw, d, english) : QString::number(raw);
}

std::vector<ParamInfo::Offer> ParamInfo::offers() const {
    std::vector<Offer> out;
    for (const ParamChoice& c : choices)
        out.push_back({c.code, shownWord(c)});
    if (choices.empty() && hi - lo <= 30) // codes offered as numbers
        for (int i = lo; i <= hi; ++i)
            out.push_back({i, QString::number(i)});
    return out;
}

QStringList ParamInfo::words() const {
    QStringList out;
    for (const Offer& o : offers())
        out << o.word;
    return out;
}

std::optional<int> ParamInfo::code(const QString& text) const {
    const QString t = text.trimmed();
    const auto is = [&t](const QString& word) { return t.compare(word, Qt::CaseInsensitive) == 0; };
    for (const ParamChoice& c : choices)
        if (is(englishWord(c)) ||
            (c.korean && (is(QString::fromUtf8(c.korean)) ||
                          is(QCoreApplication::translate("ParamChoice", c.word)))))
            return c.code;
    if (choices.empty() && hi - lo <= 30)
        for (int i = lo; i <= hi; ++i)
            if (t == QString::number(i)) return i;
    return std::nullopt;
}

QString ParamInfo::choiceRefusal(const QString& text) const {
    if (code(text)) return {};
    QStringList taken;
    for (const ParamChoice& c : choices)
        taken << (c.korean
                      ? QStringLiteral("%1 (%2)").arg(englishWord(c), QString::fromUtf8(c.korean))
                      : englishWord(c));
    if (choices.empty())
        for (const Offer& o : offers())
            taken << o.word;
    //: A choice field holding a word that is none of its choices: name, text, the words it
    //: takes.
    return say(QT_TRANSLATE_NOOP("ParamInfo", "%1 \"%2\": not one of its choices; it takes %3"))
        .arg(QString::fromLatin1(name), text.trimmed(), taken.join(QStringLiteral(", ")));
}

int ParamInfo::power(int d) const {
    return scale == Scale::Decimals ? d : scale == Scale::Tenths ? 1 : 0;
}

const ParamInfo* paramInfo(int reg) {
    static const std::vector<ParamInfo> table = buildTable();
    const auto it = std::lower_bound(table.begin(), table.end(), reg,
                                     [](const ParamInfo& p, int r) { return p.reg < r; });
    return it != table.end() && it->reg == reg ? &*it : nullptr;
}

ParamRange paramRange(const ParamInfo& p, int inp, int unit, int d) {
    ParamRange r{p.lo, p.hi, false};
    const InputType* t = p.temperature && inp < kLinearFrom ? inputType(inp) : nullptr;
    if (t) {
        const int power = p.power(d);
        r.lo = int(
            std::max<qint64>(r.lo, scaleText(QString::fromUtf8(unit ? t->lowF : t->lowC), power)));
        r.hi = int(std::min<qint64>(
            r.hi, scaleText(QString::fromUtf8(unit ? t->highF : t->highC), power)));
        r.ofType = true;
    }
    return r;
}

QString paramRefusal(const ParamInfo& p, int raw, int inp, int unit, int d) {
    if (!p.choices.empty()) {
        if (std::any_of(p.choices.begin(), p.choices.end(),
                        [raw](const ParamChoice& c) { return c.code == raw; }))
            return {};
        QStringList offered;
        for (const ParamChoice& c : p.choices)
            offered << (c.word && QString::number(c.code) != QLatin1String(c.word)
                            ? QStringLiteral("%1 (%2)").arg(c.code).arg(QString::fromUtf8(c.word))
                            : QString::number(c.code));
        //: A choice's code that is not one of them: name, code, the codes offered.
        return say(QT_TRANSLATE_NOOP("ParamInfo", "%1 %2: not one of %3"))
            .arg(QString::fromLatin1(p.name))
            .arg(raw)
            .arg(offered.join(QStringLiteral(", ")));
    }
    const ParamRange r = paramRange(p, inp, unit, d);
    if (raw >= r.lo && raw <= r.hi) return {};
    const int power = p.power(d);
    const double unitValue = std::pow(10.0, power);
    const auto shown = [&](int v) { return formatDecimals(v / unitValue, power); };
    if (r.ofType)
        //: A temperature beyond the input type's range: name, value, low, high, type.
        return say(QT_TRANSLATE_NOOP("ParamInfo", "%1 %2: enter %3 to %4, the range of input "
                                                  "type %5"))
            .arg(QString::fromLatin1(p.name), shown(raw), shown(r.lo), shown(r.hi))
            .arg(inp);
    return say(QT_TRANSLATE_NOOP("ParamInfo", "%1 %2: enter %3 to %4"))
        .arg(QString::fromLatin1(p.name), shown(raw), shown(r.lo), shown(r.hi));
}
