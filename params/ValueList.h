// The value list a group dialog hands to the poll scheduler, built field by field with the
// dialogs' conversions. A value whose whole number does not fit a register's four hex digits
// is refused with a message naming the field and the range that fits, in the field's units.
#pragma once

#include <QString>
#include <optional>
#include <vector>

// The lowest and highest whole number that four hex digits carry (negatives as 65536 + v).
constexpr qint64 kRegisterMin = -32768;
constexpr qint64 kRegisterMax = 65535;

// Numeric value of text times 10^power, rounded halves to even. A product a hair's breadth from
// a half (2.675 x 100 in binary) counts as that half.
qint64 scaleText(const QString& text, int power);

class ValueList {
public:
    // A number field: numeric value x 10^power. Refused (and the list marked) when it does not
    // fit; only the first refusal is kept.
    void addNumber(const QString& field, const QString& text, int power = 0);
    // A choice field's code.
    void addCode(int code) { values.push_back(code); }

    bool ok() const { return !m_refusal; }
    // "SV1: 7000.0 does not fit. Enter a value from -3276.8 to 6553.5."
    QString refusal() const { return m_refusal.value_or(QString()); }

    std::vector<int> values;

private:
    std::optional<QString> m_refusal;
};
