#include "files/DSaveInterval.h"

#include "link/mdlKX5.h"

QString correctInterval(const QString& text) {
    const double v = val(text);
    if (v < 1) return QStringLiteral("1");
    if (v > 60) return QStringLiteral("60");
    return text;
}
