#include "params/ValueList.h"

#include "link/mdlKX5.h"

#include <cmath>

qint64 scaleText(const QString& text, int power) {
    double x = val(text) * std::pow(10.0, power);
    const double twice = std::nearbyint(x * 2);
    if (std::fabs(x) < 1e9 && std::fabs(x * 2 - twice) < 1e-6) x = twice / 2;
    return roundHalfEven(x);
}

void ValueList::addNumber(const QString& field, const QString& text, int power) {
    const qint64 v = scaleText(text, power);
    if (v >= kRegisterMin && v <= kRegisterMax) {
        values.push_back(static_cast<int>(v));
        return;
    }
    values.push_back(0);
    if (m_refusal) return;
    const double unit = std::pow(10.0, power);
    m_refusal = QStringLiteral("%1: %2 does not fit. Enter a value from %3 to %4.")
                    .arg(field, text.trimmed(), formatDecimals(kRegisterMin / unit, power),
                         formatDecimals(kRegisterMax / unit, power));
}
