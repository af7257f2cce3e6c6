#include "ui/PlotOutput.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QLocale>
#include <QPalette>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <qcustomplot.h>

namespace {

// The plot laid out at the page's proportions and scaled to fill `page` (device units), as
// vectors: a page of paper gets the whole plot, not a screen-shaped strip of it. The painter's
// origin is already the printable area's corner, inside the margins.
void paintOnPage(QCustomPlot* plot, QCPPainter* painter, const QSize& page) {
    const int w = std::max(plot->width(), 800);
    const int h = std::max(1, int(w * double(page.height()) / page.width()));
    const double k = page.width() / double(w);
    painter->setMode(QCPPainter::pmVectorized);
    painter->setMode(QCPPainter::pmNoCaching);
    painter->scale(k, k);
    plot->toPainter(painter, w, h);
}

bool writePdf(QCustomPlot* plot, const QString& path, const QString& title) {
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("KX5 Graph"));
    writer.setTitle(title);
    writer.setPageLayout(QPageLayout(paperFor(QLocale()), QPageLayout::Landscape,
                                     QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    QCPPainter painter;
    if (!painter.begin(&writer)) return false;
    paintOnPage(plot, &painter, writer.pageLayout().paintRectPixels(writer.resolution()).size());
    return painter.end();
}

} // namespace

QPageSize paperFor(const QLocale& locale) {
    // Where Letter is the paper people have; A4 everywhere else.
    static constexpr QLocale::Territory kLetter[] = {
        QLocale::UnitedStates, QLocale::Canada,     QLocale::Mexico,    QLocale::Belize,
        QLocale::Chile,        QLocale::Colombia,   QLocale::CostaRica, QLocale::ElSalvador,
        QLocale::Guatemala,    QLocale::Nicaragua,  QLocale::Panama,    QLocale::PuertoRico,
        QLocale::Venezuela,    QLocale::Philippines};
    const bool letter =
        std::find(std::begin(kLetter), std::end(kLetter), locale.territory()) != std::end(kLetter);
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

bool savePlot(QCustomPlot* plot, const QString& path, QString* error, const QString& title,
              QSize size) {
    const int w = size.isValid() ? size.width() : 0;
    const int h = size.isValid() ? size.height() : 0;
    QString why;
    if (path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        if (writePdf(plot, path, title)) return true;
        // QPdfWriter says no more than that it failed.
        why = QFileInfo(path).absoluteDir().exists()
                  ? QCoreApplication::translate("PlotOutput", "the file cannot be written")
                  : QCoreApplication::translate("PlotOutput", "the folder does not exist");
    } else {
        QImage image = plot->toPixmap(w, h).toImage();
        if (!title.isEmpty()) image.setText(QStringLiteral("Title"), title);
        QImageWriter writer(path, "png");
        if (writer.write(image)) return true;
        why = writer.errorString();
    }
    if (error)
        *error = QCoreApplication::translate("PlotOutput", "Cannot write %1: %2")
                     .arg(QDir::toNativeSeparators(path), why);
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
    paintOnPage(plot, &painter, painter.viewport().size());
    painter.end();
    return true;
}

namespace {

bool isDark(const QPalette& p) {
    return p.color(QPalette::Base).lightness() < 128;
}

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() * (1 - t) + b.redF() * t),
                            float(a.greenF() * (1 - t) + b.greenF() * t),
                            float(a.blueF() * (1 - t) + b.blueF() * t));
}

} // namespace

QColor seriesColor(const QColor& color, const QPalette& palette) {
    return isDark(palette) ? mix(color, Qt::white, 0.45) : color;
}

void followPalette(QCustomPlot* plot, const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const QColor grid = mix(base, text, 0.25);
    const QColor subGrid = mix(base, text, 0.12);
    plot->setBackground(base);
    for (QCPAxisRect* rect : plot->axisRects()) {
        rect->setBackground(Qt::NoBrush);
        for (QCPAxis* axis : rect->axes()) {
            axis->setBasePen(QPen(text, 1));
            axis->setTickPen(QPen(text, 1));
            axis->setSubTickPen(QPen(text, 1));
            axis->setTickLabelColor(text);
            axis->setLabelColor(text);
            axis->grid()->setPen(QPen(grid, 1, Qt::DotLine));
            axis->grid()->setSubGridPen(QPen(subGrid, 1, Qt::DotLine));
            axis->grid()->setZeroLinePen(QPen(grid, 1));
        }
    }
    plot->legend->setBrush(base);
    plot->legend->setTextColor(text);
    if (plot->legend->borderPen().style() != Qt::NoPen) plot->legend->setBorderPen(QPen(grid, 1));
    for (int i = 0; i < plot->itemCount(); ++i)
        if (auto* line = qobject_cast<QCPItemStraightLine*>(plot->item(i))) {
            QPen pen = line->pen();
            pen.setColor(isDark(palette) ? mix(base, text, 0.5) : QColor(120, 120, 120));
            line->setPen(pen);
        }
}
