// Text colours that stay readable: the WCAG contrast ratio of two colours, and a colour kept
// in its hue but made darker or lighter until it reads on a given background.
#pragma once

#include <QColor>

// 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);
// ink itself when it has at least `ratio` against ground; else the same hue, darker on a light
// ground and lighter on a dark one, as far as needed.
QColor readableOn(const QColor& ink, const QColor& ground, double ratio = 4.5);
