// One description per register the parameter windows show or write: its name, how its raw
// value is scaled, the values a controller takes and, for a choice, its codes with the words the
// map shows. The map draws from it, the group dialogs build their choices and check their fields
// from it, and a set file is checked against it before anything of it is written, so all of
// them show and refuse the same values.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

// A station's registers as the link read them: register -> raw value.
using ParamImage = std::map<int, int>;
// Register reg of image, nothing when it was not read.
std::optional<int> imageValue(const ParamImage& image, int reg);
// DecimalPlaces from INP, UNIT and DP-P of image (0 for one not read).
int imageDecimals(const ParamImage& image);

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
    const char* word;             // as the map shows it; none for a code offered as its number
    const char* korean = nullptr; // the word in Korean, where the language has its own
};

struct ParamInfo {
    enum class Scale { Whole, Decimals, Tenths }; // raw = value, value x 10^d, value x 10
    // What a choice shows for a code it does not offer.
    enum class Otherwise { LastWord, Number, Blank };
    int reg;
    const char* name;
    Scale scale = Scale::Whole;
    // A choice: its codes and words. Empty for a number, which takes lo to hi (raw).
    std::vector<ParamChoice> choices;
    int lo, hi;
    // A temperature: within the input type's range too (a sensor's, not a linear signal's).
    bool temperature = false;
    Otherwise otherwise = Otherwise::LastWord;
    // Shown on the map but written by no parameter window.
    bool shownOnly = false;

    // The code of a choice field's text: one of its words in English or Korean, in any letter
    // case (a code offered as a number, that number); nothing for any other text.
    std::optional<int> code(const QString& text) const;
    // What a choice field offers: each code with its word in the language shown.
    struct Offer {
        int code;
        QString word;
    };
    std::vector<Offer> offers() const;
    QStringList words() const;
    // Why text is none of the choices, naming the field and every word it takes; empty when
    // it is one.
    QString choiceRefusal(const QString& text) const;
    // The power of ten of the scale for d decimals.
    int power(int d) const;
    // How raw reads with d decimals: a number scaled by its rule, a choice's word in the
    // user's language (in English for a set file, whose words are English).
    QString text(int raw, int d, bool english = false) const;
};

// The description of reg, or nullptr for a register the map shows as its plain number.
const ParamInfo* paramInfo(int reg);
// How register reg's raw value reads with d decimals (ParamInfo::text, else the number).
QString paramText(int reg, int raw, int d, bool english = false);

// The raw values reg takes on a station of input type inp, unit unit and d decimals.
struct ParamRange {
    int lo, hi;
    bool ofType; // narrowed to the input type's range
};
ParamRange paramRange(const ParamInfo& p, int inp, int unit, int d);

// Why raw is not a value the controller takes, in the user's words ("SV1 3000.0: enter
// -199.9 to 999.9, the range of input type 2"); empty when it takes it.
QString paramRefusal(const ParamInfo& p, int raw, int inp, int unit, int d);
