#include "ui/PlotOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <qcustomplot.h>

bool savePlot(QCustomPlot* plot, const QString& path, QString* error, const QString& title,
              QSize size) {
    const int w = size.isValid() ? size.width() : 0;
    const int h = size.isValid() ? size.height() : 0;
    QString why;
    if (path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        if (plot->savePdf(path, w, h, QCP::epAllowCosmetic, QStringLiteral("KX5 Graph"), title))
            return true;
        // QPdfWriter says no more than that it failed.
        why = QFileInfo(path).absoluteDir().exists() ? QStringLiteral("the file cannot be written")
                                                     : QStringLiteral("the folder does not exist");
    } else {
        QImage image = plot->toPixmap(w, h).toImage();
        if (!title.isEmpty()) image.setText(QStringLiteral("Title"), title);
        QImageWriter writer(path, "png");
        if (writer.write(image)) return true;
        why = writer.errorString();
    }
    if (error)
        *error = QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), why);
    return false;
}

bool printPlot(QCustomPlot* plot, const QString& title) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
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
