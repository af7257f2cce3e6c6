#include "monitor/MultiTrendWindow.h"

#include "link/LineModel.h"
#include "ui/MsgBox.h"
#include "ui/PlotOutput.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <qcustomplot.h>

namespace {
// Eight colours that tell apart on white and on a dark desktop alike.
const QColor kColors[MultiTrend::kMaxStations] = {
    QColor(220, 0, 0),   QColor(0, 0, 220),   QColor(0, 150, 0),   QColor(200, 120, 0),
    QColor(150, 0, 170), QColor(0, 150, 170), QColor(120, 80, 40), QColor(90, 90, 90)};
constexpr int kFollowPoints = 120; // points in view while following the newest
} // namespace

MultiTrendWindow::MultiTrendWindow(const LineModel& line, QWidget* parent)
    : QWidget(parent, Qt::Window), m_line(line), m_trend(line) {
    setObjectName(QStringLiteral("MultiTrend"));
    setWindowTitle(tr("Trend of Several Stations"));
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("lstStations"));
    m_list->setAccessibleName(tr("Stations on the trend"));
    m_chkSV = new QCheckBox(tr("S&V, dashed"));
    m_chkSV->setObjectName(QStringLiteral("chkSV"));
    m_chkMV = new QCheckBox(tr("&MV, dotted"));
    m_chkMV->setObjectName(QStringLiteral("chkMV"));
    m_chkPause = new QCheckBox(tr("&Pause"));
    m_chkPause->setObjectName(QStringLiteral("chkPause"));
    m_chkScroll = new QCheckBox(tr("S&croll"));
    m_chkScroll->setObjectName(QStringLiteral("chkScroll"));
    m_chkScroll->setChecked(true);
    m_note = new QLabel(tr("Up to %1 stations").arg(MultiTrend::kMaxStations));
    m_note->setObjectName(QStringLiteral("lblNote"));
    m_note->setWordWrap(true);
    auto* image = new QPushButton(tr("Save &Image..."));
    image->setObjectName(QStringLiteral("btnSaveImage"));
    auto* csv = new QPushButton(tr("Save C&SV..."));
    csv->setObjectName(QStringLiteral("btnSaveCsv"));

    m_plot = new QCustomPlot;
    m_plot->setObjectName(QStringLiteral("plotTrend"));
    m_plot->setMinimumSize(480, 300);
    auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
    ticker->setDateTimeFormat(QStringLiteral("HH:mm:ss"));
    m_plot->xAxis->setTicker(ticker);
    m_plot->xAxis->setLabel(tr("Time"));
    m_plot->yAxis->setLabel(tr("PV, SV"));
    m_plot->yAxis2->setLabel(tr("MV (%)"));
    m_plot->legend->setVisible(true);
    m_plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_plot->setNoAntialiasingOnDrag(true);
    m_plot->setPlottingHint(QCP::phFastPolylines, true);
    m_plot->axisRect()->setRangeDrag(Qt::Horizontal);
    m_plot->axisRect()->setRangeZoom(Qt::Horizontal);
    followPalette(m_plot, palette());
    // A drag or a wheel turn looks back: the view stops following until Scroll is checked.
    const auto lookBack = [this] { m_chkScroll->setChecked(false); };
    connect(m_plot, &QCustomPlot::mouseWheel, this, lookBack);
    connect(m_plot, &QCustomPlot::mouseMove, this, [this, lookBack](QMouseEvent* e) {
        if (e->buttons() & Qt::LeftButton) lookBack();
    });

    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(tr("Stations:")));
    side->addWidget(m_list, 1);
    side->addWidget(m_note);
    for (QWidget* w : {static_cast<QWidget*>(m_chkSV), static_cast<QWidget*>(m_chkMV),
                       static_cast<QWidget*>(m_chkPause), static_cast<QWidget*>(m_chkScroll),
                       static_cast<QWidget*>(image), static_cast<QWidget*>(csv)})
        side->addWidget(w);
    auto* top = new QHBoxLayout(this);
    top->addLayout(side);
    top->addWidget(m_plot, 1);

    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (m_filling) return;
        const int mc = item->data(Qt::UserRole).toInt();
        const bool on = item->checkState() == Qt::Checked;
        if (!pick(mc, on)) {
            m_filling = true;
            item->setCheckState(Qt::Unchecked);
            m_filling = false;
        }
    });
    connect(m_chkSV, &QCheckBox::toggled, this, &MultiTrendWindow::rebuild);
    connect(m_chkMV, &QCheckBox::toggled, this, &MultiTrendWindow::rebuild);
    connect(m_chkScroll, &QCheckBox::toggled, this, [this](bool on) {
        if (on) follow();
    });
    connect(image, &QPushButton::clicked, this, &MultiTrendWindow::saveImage);
    connect(csv, &QPushButton::clicked, this, &MultiTrendWindow::saveCsv);
    connect(&line, &LineModel::stationChanged, this, [this](int, LineModel::Changes what) {
        if (!(what & LineModel::List)) return;
        m_trend.keepStationsInUse();
        fillStations();
        rebuild();
    });
    tmrSample.setInterval(1000);
    tmrSample.setTimerType(Qt::PreciseTimer);
    connect(&tmrSample, &QTimer::timeout, this, &MultiTrendWindow::tmrSample_Timer);
    tmrSample.start();
    fillStations();
    rebuild();
    resize(1000, 560);
}

void MultiTrendWindow::fillStations() {
    m_filling = true;
    m_list->clear();
    for (int i = 0; i < m_line.count(); ++i) {
        const LineModel::Station* st = m_line.at(i);
        auto* item = new QListWidgetItem(
            QStringLiteral("%1  %2").arg(st->mcNo, 2, 10, QLatin1Char('0')).arg(st->name));
        item->setData(Qt::UserRole, st->mcNo);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(m_trend.picked(st->mcNo) ? Qt::Checked : Qt::Unchecked);
        m_list->addItem(item);
    }
    m_filling = false;
}

bool MultiTrendWindow::pick(int mcNo, bool on) {
    const bool done = m_trend.pick(mcNo, on);
    m_note->setText(
        done ? tr("Up to %1 stations").arg(MultiTrend::kMaxStations)
             : tr("At most %1 stations: take one off first").arg(MultiTrend::kMaxStations));
    if (!done) return false;
    m_filling = true;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->data(Qt::UserRole).toInt() == mcNo)
            m_list->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    m_filling = false;
    rebuild();
    return true;
}

QString MultiTrendWindow::seriesName(const MultiTrend::Series& s, const char* what) const {
    const LineModel::Station* st = m_line.station(s.mcNo);
    const QString name = st && !st->name.isEmpty() ? QLatin1Char(' ') + st->name : QString();
    const QString w = QLatin1String(what);
    return QStringLiteral("MC %1%2").arg(s.mcNo).arg(name) +
           (w.isEmpty() ? QString() : QLatin1Char(' ') + w);
}

void MultiTrendWindow::widen(bool right, double v) {
    if (std::isnan(v)) return;
    double& lo = right ? m_mvLo : m_lo;
    double& hi = right ? m_mvHi : m_hi;
    bool& have = right ? m_haveRight : m_haveLeft;
    if (!have) lo = hi = v, have = true;
    lo = std::min(lo, v), hi = std::max(hi, v);
}

// Every graph made again from the points: on a change of the stations or of what is shown, and
// when the oldest hour goes. Adding a point never comes here.
void MultiTrendWindow::rebuild() {
    m_plot->clearGraphs();
    m_graphs.clear();
    m_haveLeft = m_haveRight = false;
    const auto& times = m_trend.times();
    const auto fill = [&](QCPGraph* g, const std::vector<double>& v, int first, bool right) {
        QVector<double> keys(int(v.size())), values(int(v.size()));
        for (size_t i = 0; i < v.size(); ++i) {
            keys[int(i)] = times[size_t(first) + i];
            values[int(i)] = v[i];
            widen(right, v[i]);
        }
        g->setData(keys, values, true);
    };
    const auto& series = m_trend.series();
    for (size_t i = 0; i < series.size(); ++i) {
        const MultiTrend::Series& s = series[i];
        const QColor color = seriesColor(kColors[i % MultiTrend::kMaxStations], palette());
        Graphs g;
        g.pv = m_plot->addGraph();
        // Pens without antialiasing, as on the main trend: the raster engine then draws a day of
        // points of eight stations within a tick.
        g.pv->setPen(QPen(color, 2));
        g.pv->setAntialiased(false);
        g.pv->setName(seriesName(s, ""));
        fill(g.pv, s.pv, s.first, false);
        if (m_chkSV->isChecked()) {
            g.sv = m_plot->addGraph();
            g.sv->setPen(QPen(color, 1, Qt::DashLine));
            g.sv->setAntialiased(false);
            g.sv->setName(seriesName(s, "SV"));
            g.sv->removeFromLegend(); // one entry per station: its colour
            fill(g.sv, s.sv, s.first, false);
        }
        if (m_chkMV->isChecked()) {
            g.mv = m_plot->addGraph(m_plot->xAxis, m_plot->yAxis2);
            g.mv->setPen(QPen(color, 1, Qt::DotLine));
            g.mv->setAntialiased(false);
            g.mv->setName(seriesName(s, "MV"));
            g.mv->removeFromLegend();
            fill(g.mv, s.mv, s.first, true);
        }
        m_graphs.push_back(g);
    }
    m_plot->yAxis2->setVisible(m_chkMV->isChecked());
    follow();
}

void MultiTrendWindow::appendNewest() {
    const double t = m_trend.times().back();
    const auto& series = m_trend.series();
    for (size_t i = 0; i < series.size() && i < m_graphs.size(); ++i) {
        const MultiTrend::Series& s = series[i];
        const Graphs& g = m_graphs[i];
        g.pv->addData(t, s.pv.back());
        widen(false, s.pv.back());
        if (g.sv) g.sv->addData(t, s.sv.back()), widen(false, s.sv.back());
        if (g.mv) g.mv->addData(t, s.mv.back()), widen(true, s.mv.back());
    }
    follow();
}

void MultiTrendWindow::follow() {
    const auto& times = m_trend.times();
    const double span = kFollowPoints * tmrSample.interval() / 1000.0;
    if (m_chkScroll->isChecked()) {
        const double last =
            times.empty() ? double(clock().toMSecsSinceEpoch()) / 1000.0 : times.back();
        m_plot->xAxis->setRange(last - span, last);
    }
    const auto pad = [](double lo, double hi) {
        const double m = std::max(1.0, (hi - lo) * 0.05);
        return QCPRange(lo - m, hi + m);
    };
    if (m_haveLeft) m_plot->yAxis->setRange(pad(m_lo, m_hi));
    if (m_haveRight) m_plot->yAxis2->setRange(pad(m_mvLo, m_mvHi));
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void MultiTrendWindow::tmrSample_Timer() {
    if (m_chkPause->isChecked()) return;
    if (m_trend.sample(clock()) > 0)
        rebuild();
    else
        appendNewest();
}

bool MultiTrendWindow::exportCsv(const QString& path, QString* error) const {
    const auto& series = m_trend.series();
    const auto& times = m_trend.times();
    QStringList head = {QStringLiteral("Date Time")};
    for (const auto& s : series)
        for (const char* what : {"PV", "SV", "MV"})
            head << seriesName(s, what) +
                        (QLatin1String(what) == QLatin1String("MV") ? QStringLiteral(" (%)")
                         : s.unit.isEmpty()                         ? QString()
                                            : QStringLiteral(" (%1)").arg(s.unit));
    QByteArray out = head.join(QLatin1Char(',')).toUtf8() + "\r\n";
    for (size_t t = 0; t < times.size(); ++t) {
        QStringList row = {QDateTime::fromMSecsSinceEpoch(qint64(std::llround(times[t] * 1000)))
                               .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))};
        for (const auto& s : series) {
            const long i = long(t) - s.first;
            for (const auto* v : {&s.pv, &s.sv, &s.mv}) {
                const bool has = i >= 0 && size_t(i) < v->size() && !std::isnan((*v)[size_t(i)]);
                row << (has ? QString::number((*v)[size_t(i)], 'f', v == &s.mv ? 1 : s.decimals)
                            : QString());
            }
        }
        out += row.join(QLatin1Char(',')).toUtf8() + "\r\n";
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(out) != out.size()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

void MultiTrendWindow::saveImage() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Image"), QString(),
                                                      tr("PNG image (*.png);;PDF (*.pdf)"));
    if (path.isEmpty()) return;
    QString why;
    if (!savePlot(m_plot, path, &why, windowTitle()))
        MsgBox(this, windowTitle(), why, QMessageBox::Ok, QMessageBox::Warning);
}

void MultiTrendWindow::saveCsv() {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save CSV"), QString(), tr("CSV (*.csv)"));
    if (path.isEmpty()) return;
    QString why;
    if (!exportCsv(path, &why))
        MsgBox(this, windowTitle(), tr("Could not write %1: %2").arg(path, why), QMessageBox::Ok,
               QMessageBox::Warning);
}
