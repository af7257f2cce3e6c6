// Keeping or printing a QCustomPlot as it is shown: the trend graph and the graph viewer share
// these. No link library here, so the viewer can use them on its own.
#pragma once

#include <QString>

class QCustomPlot;

// PNG, or a PDF document for a path ending in ".pdf"; on failure *error names the file.
bool savePlot(QCustomPlot* plot, const QString& path, QString* error);
// Asks for a printer and prints the plot scaled to a landscape page, as vectors. Returns
// false only when printing could not start (a cancelled dialog is not a failure).
bool printPlot(QCustomPlot* plot);
