// One description per register the parameter windows write: its name, how its raw value is
// scaled, the values a controller takes and, for a choice, its codes with the words the map
// shows. The group dialogs build their choices and check their fields from it, and a set file
// is checked against it before anything of it is written, so both refuse the same values.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// One row of the input-type table: sheet texts and the defaults per unit.
struct InputType {
    int no;
    const char* type;
    const char* range;
    const char *lowC, *highC;
    int decimalsC;
    const char *lowF, *highF;
    int decimalsF;
};

constexpr int kInputTypeCount = 18;
extern const InputType kInputTypes[kInputTypeCount];
// Types from this number on are linear signals, scaled by DP-P and the scale limits.
constexpr int kLinearFrom = 30;
// The row of type no, or nullptr for a code that is not one of them.
const InputType* inputType(int no);

struct ParamChoice {
    int code;
    const char* word; // as the map shows it
};

struct ParamInfo {
    enum class Scale { Whole, Decimals, Tenths }; // raw = value, value x 10^d, value x 10
    int reg;
    const char* name;
    Scale scale = Scale::Whole;
    // A choice: its codes and words. Empty for a number, which takes lo to hi (raw).
    std::vector<ParamChoice> choices;
    int lo, hi;
    // A temperature: within the input type's range too (a sensor's, not a linear signal's).
    bool temperature = false;

    // The code of a word of the choices, nothing for any other text.
    std::optional<int> code(const QString& word) const;
    QStringList words() const;
    // The power of ten of the scale for d decimals.
    int power(int d) const;
};

// The description of reg, or nullptr for a register no parameter window writes.
const ParamInfo* paramInfo(int reg);

// The raw values reg takes on a station of input type inp, unit unit and d decimals.
struct ParamRange {
    int lo, hi;
    bool ofType; // narrowed to the input type's range
};
ParamRange paramRange(const ParamInfo& p, int inp, int unit, int d);

// Why raw is not a value the controller takes, in the user's words ("SV1 3000.0: enter
// -199.9 to 999.9, the range of input type 2"); empty when it takes it.
QString paramRefusal(const ParamInfo& p, int raw, int inp, int unit, int d);
