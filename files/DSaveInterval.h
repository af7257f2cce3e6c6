// The data-save interval box's correction, applied when an edit of the box is finished.
#pragma once

#include <QString>

// "1" when the numeric value of text is below 1 (a text that starts with no number counts as
// 0), "60" when above 60; otherwise text unchanged, as typed ("7a" stays "7a").
QString correctInterval(const QString& text);
