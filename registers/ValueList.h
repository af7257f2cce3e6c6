// The value list a group dialog hands to the poll scheduler, built field by field with the
// dialogs' conversions. A value that would not read back as typed is refused with a message
// naming the field and the range that does, in the field's units and decimals.
#pragma once

#include <QString>
#include <optional>
#include <vector>

// The whole numbers that read back as written: the controller holds a signed 16-bit value, and
// the map reads "8000" to "EFFF" as 32768 to 61439, so only F000 to 7FFF mean the same to both.
constexpr qint64 kRegisterMin = -4096;
constexpr qint64 kRegisterMax = 32767;

// Numeric value of text times 10^power, rounded halves to even. A product a hair's breadth from
// a half (2.675 x 100 in binary) counts as that half.
qint64 scaleText(const QString& text, int power);

class ValueList {
public:
    // A number field: numeric value x 10^power. Refused (and the list marked) when it is empty
    // or would not read back as typed; only the first refusal is kept.
    void addNumber(const QString& field, const QString& text, int power = 0);
    // The field of register reg, scaled as its description says and refused, too, when it is
    // not a value the controller takes on a station of input type inp and unit unit.
    void addParam(int reg, const QString& text, int inp, int unit, int d);
    // A raw value of register reg, refused (and the list marked) when the controller does not
    // take it on a station of input type inp, unit unit and d decimals.
    void addRaw(int reg, int raw, int inp, int unit, int d);
    // A choice field's code, or a value as the controller holds it: unchecked.
    void addCode(int code) { values.push_back(code); }
    // A choice field of register reg: the code of its text, or refused (and the list marked)
    // when the text is none of its words, so no typed word ever stands for another value.
    void addChoice(int reg, const QString& text);

    bool ok() const { return !m_refusal; }
    // "SV3: enter -409.6 to 3276.7"
    QString refusal() const { return m_refusal.value_or(QString()); }
    // The refusal with what was typed and its consequence, for a message box.
    QString refusalMessage() const;

    std::vector<int> values;

private:
    std::optional<QString> m_refusal;
    QString m_typed; // empty when the refusal is not about reading back
};
