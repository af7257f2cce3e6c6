// Keeping or printing a QCustomPlot as it is shown: the trend graph and the graph viewer share
// these. No link library here, so the viewer can use them on its own.
#pragma once

#include <QPageSize>
#include <QSize>
#include <QString>

class QCustomPlot;

// PNG, or a PDF document for a path ending in ".pdf"; on failure *error names the file and
// why. `title` becomes the document's title (PDF metadata, the PNG's Title text); `size`, if
// valid, is the image's size in pixels instead of the plot's own. A PDF is one landscape page
// of the paper of the user's locale (paperFor(QLocale())), the plot filling it within margins.
class QLocale;
bool savePlot(QCustomPlot* plot, const QString& path, QString* error,
              const QString& title = QString(), QSize size = QSize());
// The paper a locale's people have: Letter in the United States, Canada, Mexico and the other
// countries that use it, A4 elsewhere.
QPageSize paperFor(const QLocale& locale);
// Asks for a printer and prints the plot scaled to a landscape page, as vectors. Returns
// false only when printing could not start (a cancelled dialog is not a failure).
bool printPlot(QCustomPlot* plot, const QString& title = QString());

class QColor;
class QPalette;

// The plot in the desktop's colours: background, axes, grid, texts and legend from `palette`,
// so the graphs read as well on a dark desktop as on a light one. Series keep their own pens.
void followPalette(QCustomPlot* plot, const QPalette& palette);
// A series colour that stands out from the palette's background: as it is on a light one,
// paler on a dark one.
QColor seriesColor(const QColor& color, const QPalette& palette);
