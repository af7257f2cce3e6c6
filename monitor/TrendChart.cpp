#include "monitor/TrendChart.h"

#include "ui/PlotOutput.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>

#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

namespace {

// Whole-number ticks labelled with the time of day of the point they fall on.
class PointLabelTicker : public QCPAxisTicker {
public:
    explicit PointLabelTicker(const std::vector<int>* labels) : m_labels(labels) {}

protected:
    double getTickStep(const QCPRange& range) override {
        return std::max(1.0, std::ceil(QCPAxisTicker::getTickStep(range)));
    }
    int getSubTickCount(double) override { return 0; }
    QString getTickLabel(double tick, const QLocale&, QChar, int) override {
        const long p = std::lround(tick);
        if (std::fabs(tick - static_cast<double>(p)) > 1e-6 || p < 0 ||
            p >= static_cast<long>(m_labels->size()))
            return {};
        const int s = (*m_labels)[static_cast<size_t>(p)];
        return s < 0 ? QString() : QTime(0, 0).addSecs(s).toString(QStringLiteral("HH:mm:ss"));
    }

private:
    const std::vector<int>* m_labels;
};

// A series that, in the three-dimensional view, first draws itself again a few pixels up and
// to the right in a paler pen: the depth. The copy reuses the lines worked out for the series,
// so the depth costs painting only.
class DepthGraph : public QCPGraph {
public:
    DepthGraph(QCPAxis* key, QCPAxis* value, int depth) : QCPGraph(key, value), m_depth(depth) {}
    QPen depthPen;
    bool depthShown = false;

protected:
    // Moves the points rather than the painter: the raster engine keeps its fast path for
    // untransformed polylines.
    void drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const override {
        if (depthShown) {
            QVector<QPointF> moved(lines);
            for (QPointF& p : moved)
                p += QPointF(m_depth, -m_depth);
            const QPen own = painter->pen();
            painter->setPen(depthPen);
            QCPGraph::drawLinePlot(painter, moved);
            painter->setPen(own);
        }
        QCPGraph::drawLinePlot(painter, lines);
    }

private:
    int m_depth;
};

const QColor kSeriesColor[TrendChart::kSeries] = {QColor(0, 160, 0), QColor(220, 0, 0),
                                                  QColor(0, 0, 220)};
// Controller mnemonics: the same in every language.
const char* const kLegend[TrendChart::kSeries] = {QT_TRANSLATE_NOOP("TrendChart", "SV"),
                                                  QT_TRANSLATE_NOOP("TrendChart", "PV"),
                                                  QT_TRANSLATE_NOOP("TrendChart", "MV")};

} // namespace

TrendChart::TrendChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ChartFX1"));
    m_plot = new QCustomPlot(this);
    m_plot->setObjectName(QStringLiteral("ChartFX1_Plot"));
    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("ChartFX1_Scroll"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(m_plot, 1);
    lay->addWidget(m_scroll);

    // Right click: keep or print the graph as it is shown.
    m_plot->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* save = new QAction(tr("Save Graph as Image..."), m_plot);
    save->setObjectName(QStringLiteral("actSaveGraph"));
    connect(save, &QAction::triggered, this, &TrendChart::saveImage);
    auto* print = new QAction(tr("Print Graph..."), m_plot);
    print->setObjectName(QStringLiteral("actPrintGraph"));
    connect(print, &QAction::triggered, this, &TrendChart::print);
    m_plot->addActions({save, print});

    m_plot->setNoAntialiasingOnDrag(true);
    m_plot->setPlottingHint(QCP::phFastPolylines, true);
    m_plot->yAxis2->setVisible(true);
    m_plot->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new PointLabelTicker(&m_labels)));
    for (int s = 0; s < kSeries; ++s) {
        QCPAxis* valueAxis = s == MV ? m_plot->yAxis2 : m_plot->yAxis;
        auto* graph = new DepthGraph(m_plot->xAxis, valueAxis, kDepthPx);
        m_graph[s] = graph;
        // One-pixel pens without antialiasing: the raster engine then draws a day of points on
        // its fast path, in half the time of smoothed lines, which look no better this thin.
        graph->setAntialiased(false);
    }
    // Legend and note in a row of their own above the plot: on a short chart neither may
    // cover the lines, least of all the newest points at the right.
    m_plot->legend->setVisible(true);
    m_plot->axisRect()->insetLayout()->take(m_plot->legend);
    m_plot->axisRect()->insetLayout()->simplify();
    m_plot->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    m_plot->legend->setMargins(QMargins(0, 0, 0, 0));
    m_plot->legend->setRowSpacing(0);
    m_plot->legend->setColumnSpacing(12);
    m_plot->plotLayout()->insertRow(0);
    auto* top = new QCPLayoutGrid;
    m_plot->plotLayout()->addElement(0, 0, top);
    m_plot->plotLayout()->setRowStretchFactor(0, 0.001);
    top->setMargins(QMargins(6, 4, 6, 0));
    m_title = new QCPTextElement(m_plot);
    m_title->setObjectName(QStringLiteral("ChartFX1_Title"));
    m_title->setTextFlags(Qt::AlignLeft | Qt::AlignVCenter);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    top->addElement(0, 0, m_title);
    top->addElement(0, 1, m_plot->legend);
    m_note = new QCPTextElement(m_plot);
    m_note->setObjectName(QStringLiteral("ChartFX1_StaleNote"));
    m_note->setTextFlags(Qt::AlignRight | Qt::AlignVCenter);
    top->addElement(0, 2, m_note);
    top->setColumnStretchFactor(0, 0.001);
    top->setColumnStretchFactor(1, 0.001);
    top->setColumnStretchFactor(2, 1);
    top->setColumnSpacing(12);
    top->setRowSpacing(0);
    m_plot->legend->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_plot->axisRect()->setRangeDrag(Qt::Horizontal);
    m_plot->axisRect()->setRangeZoom(Qt::Horizontal);
    connect(m_plot->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            &TrendChart::onUserRange);
    connect(m_scroll, &QScrollBar::valueChanged, this, &TrendChart::onScrollBar);
    applyPalette();
    setupTitles();
    clear();
}

void TrendChart::applyPalette() {
    followPalette(m_plot, palette());
    const QColor base = palette().color(QPalette::Base);
    // Opaque, part way to the background: blending a translucent line costs more.
    const auto toward = [&base](const QColor& c, int part) {
        return QColor(c.red() + (base.red() - c.red()) * part / 4,
                      c.green() + (base.green() - c.green()) * part / 4,
                      c.blue() + (base.blue() - c.blue()) * part / 4);
    };
    const bool stale = !m_staleNote.isEmpty();
    for (int s = 0; s < kSeries; ++s) {
        const QColor c = seriesColor(kSeriesColor[s], palette());
        m_graph[s]->setPen(QPen(stale ? toward(c, 2) : c, 1));
        static_cast<DepthGraph*>(m_graph[s])->depthPen = QPen(toward(c, stale ? 3 : 2), 1);
    }
    if (!m_note) return;
    m_note->setTextColor(palette().color(QPalette::Text));
    m_title->setTextColor(palette().color(QPalette::Text));
}

void TrendChart::setTitle(const QString& title) {
    if (title == m_title->text()) return;
    m_title->setText(title);
    placeLegend();
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

QString TrendChart::title() const {
    return m_title->text();
}

void TrendChart::setStaleNote(const QString& note) {
    if (note == m_staleNote) return;
    m_staleNote = note;
    m_note->setText(note);
    applyPalette();
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void TrendChart::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // A label's width of room between labels, beside the value axes' own width.
    const int label = std::max(1, fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")));
    m_plot->xAxis->ticker()->setTickCount(std::max(1, (width() - 2 * label) / (2 * label)));
    placeLegend();
}

void TrendChart::placeLegend() {
    // Beside the title while both fit, under it on a narrow chart.
    auto* top = static_cast<QCPLayoutGrid*>(m_title->layout());
    const int need = QFontMetrics(m_title->font()).horizontalAdvance(m_title->text()) +
                     m_plot->legend->minimumOuterSizeHint().width() + 40;
    const bool below = width() < need;
    if (below == (top->rowCount() > 1 && top->element(1, 0) == m_plot->legend)) return;
    top->take(m_plot->legend); // its cell stays, empty: an empty row takes no height
    top->addElement(below ? 1 : 0, below ? 0 : 1, m_plot->legend);
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void TrendChart::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::PaletteChange) {
        applyPalette();
        m_plot->replot();
    }
}

void TrendChart::setupTitles() {
    for (int s = 0; s < kSeries; ++s)
        m_graph[s]->setName(tr(kLegend[s]));
    m_graph[MV]->setValueAxis(m_plot->yAxis2);
    //: title of the graph's left axis: temperature
    m_plot->yAxis->setLabel(tr("Temp"));
    m_plot->yAxis2->setLabel(tr("MV"));
    m_plot->xAxis->setLabel(tr("Time"));
}

void TrendChart::clear() {
    for (auto* g : m_graph)
        g->data()->clear();
    m_labels.clear();
    rescanValues();
    m_follow = true;
    m_width = kFollowWidth;
    showUpTo(kResetPoints - 1);
}

int TrendChart::pointCount() const {
    return static_cast<int>(m_labels.size());
}

void TrendChart::truncate(int count) {
    if (count < 0) count = 0;
    if (count >= pointCount()) return;
    for (auto* g : m_graph)
        g->data()->removeAfter(count - 0.5);
    m_labels.resize(static_cast<size_t>(count));
    rescanValues();
}

void TrendChart::setPoint(int p, double sv, double pv, double mv, const QTime& label) {
    if (p < 0) return;
    const double v[kSeries] = {sv, pv, mv};
    widenValues(sv, pv, mv);
    while (pointCount() < p) {
        for (auto* g : m_graph)
            g->addData(pointCount(), qQNaN()); // a gap in the lines
        m_labels.push_back(-1);
    }
    if (p == pointCount()) {
        for (int s = 0; s < kSeries; ++s)
            m_graph[s]->addData(p, v[s]);
        m_labels.push_back(label.isValid() ? label.msecsSinceStartOfDay() / 1000 : -1);
        return;
    }
    for (int s = 0; s < kSeries; ++s)
        (m_graph[s]->data()->begin() + p)->value = v[s];
    m_labels[static_cast<size_t>(p)] = label.isValid() ? label.msecsSinceStartOfDay() / 1000 : -1;
}

void TrendChart::widenValues(double sv, double pv, double mv) {
    if (std::isnan(sv)) return; // a gap
    if (!m_haveValues) {
        m_leftLo = m_leftHi = sv;
        m_mvLo = m_mvHi = mv;
        m_haveValues = true;
    }
    m_leftLo = std::min({m_leftLo, sv, pv});
    m_leftHi = std::max({m_leftHi, sv, pv});
    m_mvLo = std::min(m_mvLo, mv);
    m_mvHi = std::max(m_mvHi, mv);
}

void TrendChart::rescanValues() {
    m_leftLo = m_leftHi = m_mvLo = m_mvHi = 0;
    m_haveValues = false;
    for (int p = 0; p < pointCount(); ++p)
        widenValues(value(SV, p), value(PV, p), value(MV, p));
}

double TrendChart::value(int series, int p) const {
    if (series < 0 || series >= kSeries || p < 0 || p >= m_graph[series]->data()->size())
        return std::nan("");
    return (m_graph[series]->data()->constBegin() + p)->value;
}

double TrendChart::key(int series, int p) const {
    if (series < 0 || series >= kSeries || p < 0 || p >= m_graph[series]->data()->size())
        return std::nan("");
    return (m_graph[series]->data()->constBegin() + p)->key;
}

QString TrendChart::label(int p) const {
    if (p < 0 || p >= pointCount()) return {};
    const int s = m_labels[static_cast<size_t>(p)];
    return s < 0 ? QString() : QTime(0, 0).addSecs(s).toString(QStringLiteral("HH:mm:ss"));
}

QString TrendChart::legend(int series) const {
    return series >= 0 && series < kSeries ? m_graph[series]->name() : QString();
}

QString TrendChart::axisTitle(const char* which) const {
    const QString w = QString::fromLatin1(which);
    if (w == QLatin1String("left")) return m_plot->yAxis->label();
    if (w == QLatin1String("right")) return m_plot->yAxis2->label();
    if (w == QLatin1String("bottom")) return m_plot->xAxis->label();
    return {};
}

bool TrendChart::onRightAxis(int series) const {
    return series >= 0 && series < kSeries && m_graph[series]->valueAxis() == m_plot->yAxis2;
}

void TrendChart::set3D(bool on) {
    if (m_3d == on) return;
    m_3d = on;
    // Lines only: a filled area under a day of points costs the raster engine seconds.
    for (auto* g : m_graph)
        static_cast<DepthGraph*>(g)->depthShown = on;
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void TrendChart::setScrolling(bool on) {
    if (m_scrolling == on) return;
    m_scrolling = on;
    m_follow = true;
    applyView();
}

double TrendChart::viewLower() const {
    return m_plot->xAxis->range().lower;
}
double TrendChart::viewUpper() const {
    return m_plot->xAxis->range().upper;
}

void TrendChart::showUpTo(int) {
    applyView();
}

// Puts the time axis where the mode wants it: the newest points while following, the whole
// history otherwise. Value axes rescale to what the series hold.
void TrendChart::applyView() {
    const double last = std::max(pointCount() - 1, kResetPoints - 1);
    m_applying = true;
    if (!m_scrolling) {
        m_plot->xAxis->setRange(0, last);
        m_scroll->setVisible(false);
    } else {
        const double width = std::min(m_width, std::max(last, 1.0));
        if (m_follow) m_plot->xAxis->setRange(last - width, last);
        const int maxStart = std::max(0, static_cast<int>(std::ceil(last - width)));
        m_scroll->setVisible(true);
        m_scroll->setRange(0, maxStart);
        m_scroll->setPageStep(std::max(1, static_cast<int>(width)));
        m_scroll->setValue(static_cast<int>(std::lround(std::max(0.0, viewLower()))));
    }
    const double pad = std::max(1.0, (m_leftHi - m_leftLo) * 0.05);
    // Nothing drawn yet: the scale of the output axis, not a -1 to 1 that looks like a fault.
    if (m_haveValues)
        m_plot->yAxis->setRange(m_leftLo - pad, m_leftHi + pad);
    else
        m_plot->yAxis->setRange(0, 100);
    m_plot->yAxis2->setRange(std::min(0.0, m_mvLo), std::max(100.0, m_mvHi));
    m_applying = false;
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

// The user dragged or zoomed the time axis: remember the width, follow again only when the
// view reaches the newest point.
void TrendChart::onUserRange() {
    if (m_applying) return;
    const double last = std::max(pointCount() - 1, kResetPoints - 1);
    if (m_scrolling) {
        m_width = std::max(5.0, m_plot->xAxis->range().size());
        m_follow = m_plot->xAxis->range().upper >= last - 0.5;
        m_applying = true;
        const int maxStart = std::max(0, static_cast<int>(std::ceil(last - m_width)));
        m_scroll->setRange(0, maxStart);
        m_scroll->setPageStep(std::max(1, static_cast<int>(m_width)));
        m_scroll->setValue(static_cast<int>(std::lround(std::max(0.0, viewLower()))));
        m_applying = false;
    }
}

void TrendChart::onScrollBar(int value) {
    if (m_applying || !m_scrolling) return;
    const double width = m_plot->xAxis->range().size();
    m_applying = true;
    m_plot->xAxis->setRange(value, value + width);
    m_applying = false;
    m_follow = value >= m_scroll->maximum();
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

bool TrendChart::exportImage(const QString& path, QString* error) {
    return savePlot(m_plot, path, error);
}

void TrendChart::saveImage() {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save Graph"), QStringLiteral("trend.png"),
                                     tr("PNG image (*.png);;PDF document (*.pdf)"));
    QString error;
    if (!path.isEmpty() && !exportImage(path, &error))
        QMessageBox::warning(this, tr("Save Graph"), error);
}

void TrendChart::print() {
    if (!printPlot(m_plot))
        QMessageBox::warning(this, tr("Print Graph"), tr("Cannot start printing."));
}
