#include "ui/Contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& ink, const QColor& ground, double ratio) {
    if (contrastRatio(ink, ground) >= ratio) return ink;
    const bool lightGround = luminance(ground) > 0.18;
    // Towards black or white in small steps: the first that reads keeps most of the hue.
    const QColor end = lightGround ? QColor(Qt::black) : QColor(Qt::white);
    for (int step = 1; step <= 20; ++step) {
        const double t = step / 20.0;
        // In whole 8-bit steps, as a style sheet and the screen take it.
        const QColor c = QColor::fromRgbF(ink.redF() + (end.redF() - ink.redF()) * t,
                                          ink.greenF() + (end.greenF() - ink.greenF()) * t,
                                          ink.blueF() + (end.blueF() - ink.blueF()) * t);
        const QColor shown(c.red(), c.green(), c.blue());
        if (contrastRatio(shown, ground) >= ratio) return shown;
    }
    return end;
}
