#include "ui/PlotOutput.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <qcustomplot.h>

bool savePlot(QCustomPlot* plot, const QString& path, QString* error) {
    const bool pdf = path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    const bool ok = pdf ? plot->savePdf(path) : plot->savePng(path);
    if (!ok && error)
        *error = QStringLiteral("Cannot write %1.").arg(QDir::toNativeSeparators(path));
    return ok;
}

bool printPlot(QCustomPlot* plot) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, plot);
    if (dialog.exec() != QDialog::Accepted) return true;
    QCPPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRect page = painter.viewport();
    const double k =
        std::min(page.width() / double(plot->width()), page.height() / double(plot->height()));
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.scale(k, k);
    plot->toPainter(&painter, plot->width(), plot->height());
    painter.end();
    return true;
}
