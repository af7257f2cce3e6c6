#include "link/JsonText.h"

QByteArray jsonString(const QString& s) {
    QByteArray out = "\"";
    for (const QChar c : s) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            out += '\\';
            out += char(c.unicode());
        } else if (c.unicode() < 0x20) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toLatin1();
        } else {
            out += QString(c).toUtf8();
        }
    }
    return out + '"';
}

// Home Assistant's signs, not the display's single characters.
QString plainUnit(const QString& unit) {
    if (unit == QStringLiteral("℃")) return QStringLiteral("°C");
    if (unit == QStringLiteral("℉")) return QStringLiteral("°F");
    if (unit == QStringLiteral("㎷")) return QStringLiteral("mV");
    return unit;
}

// Keys a template can use: no spaces, no bare "-".
QString lampKey(const char* name) {
    const QString n = QLatin1String(name);
    return n == QLatin1String("-") ? QStringLiteral("MINUS") : QString(n).replace(' ', '_');
}
