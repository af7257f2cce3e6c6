#include "graph/GraphWindow.h"

#include "files/FileChecks.h"
#include "graph/CsvExport.h"
#include "graph/Decimator.h"
#include "graph/LogFiles.h"
#include "ui/HelpGuide.h"
#include "ui/Language.h"
#include "ui/PlotOutput.h"
#include "ui/ViewKeys.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>
#include <qcustomplot.h>

namespace {

// The trend graph's colours, for a single file.
const QColor kTrendColor[DatSeries::kSeries] = {QColor(0, 160, 0), QColor(220, 0, 0),
                                                QColor(0, 0, 220)};
// With several files each file has a hue of its own; the line style tells the series apart.
const QColor kFamily[] = {QColor(0, 90, 200),  QColor(210, 100, 0), QColor(0, 150, 60),
                          QColor(170, 0, 140), QColor(0, 140, 150), QColor(140, 90, 30),
                          QColor(200, 20, 40), QColor(90, 90, 90)};
const char* const kSeriesName[DatSeries::kSeries] = {"SV", "PV", "MV"};

// Translated where shown: the translator is not yet there when these are made.
const char* const kHint =
    QT_TRANSLATE_NOOP("GraphWindow", "Open a .DAT file with File > Open, or drop one here.");
const char* const kReadHint =
    QT_TRANSLATE_NOOP("GraphWindow", "Point at the graph to read each file's values there. "
                                     "Wheel: zoom; drag: pan; Home: fit all.");

enum Column { ColFile, ColStation, ColRecords, ColSkipped, ColDecimals, ColUnit, ColCount };

QString count(qint64 n) {
    return QLocale(QLocale::English).toString(n);
}

} // namespace

GraphWindow::GraphWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmKX5_Graph"));
    setWindowTitle(tr("KX5 Graph"));
    setAcceptDrops(true);
    resize(1000, 640);

    m_plot = new QCustomPlot;
    m_plot->setFocusPolicy(Qt::StrongFocus); // for the arrow keys
    m_plot->setObjectName(QStringLiteral("plotGraph"));
    m_plot->setNoAntialiasingOnDrag(true);
    m_plot->setPlottingHint(QCP::phFastPolylines, true);
    m_plot->yAxis2->setVisible(true);
    m_plot->yAxis->setLabel(tr("Temp"));
    m_plot->yAxis2->setLabel(tr("MV (%)"));
    m_plot->xAxis->setLabel(tr("Time"));
    auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
    // Record times carry no time zone: shown as written.
    ticker->setDateTimeSpec(Qt::UTC);
    ticker->setDateTimeFormat(QStringLiteral("HH:mm:ss\nyyyy-MM-dd"));
    m_plot->xAxis->setTicker(ticker);
    // The legend in a row of its own above the graph: inside it would hide the data.
    m_plot->axisRect()->insetLayout()->take(m_plot->legend);
    // Beside an empty element that takes the spare width, so the entries keep their own.
    auto* legendRow = new QCPLayoutGrid;
    m_plot->plotLayout()->insertRow(0);
    m_plot->plotLayout()->addElement(0, 0, legendRow);
    m_plot->plotLayout()->setRowStretchFactor(0, 0.001);
    legendRow->addElement(0, 0, m_plot->legend);
    legendRow->addElement(0, 1, new QCPLayoutElement(m_plot));
    legendRow->setColumnStretchFactor(0, 0.001);
    m_plot->legend->setBorderPen(Qt::NoPen);
    m_plot->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    m_plot->legend->setMargins(QMargins(4, 2, 4, 0));
    m_plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_plot->axisRect()->setRangeDrag(Qt::Horizontal);
    m_plot->axisRect()->setRangeZoom(Qt::Horizontal);
    m_cursor = new QCPItemStraightLine(m_plot);
    m_cursor->setPen(QPen(QColor(120, 120, 120), 1, Qt::DashLine));
    m_cursor->setVisible(false);
    m_plot->installEventFilter(this);
    m_plot->setMouseTracking(true);
    connect(m_plot->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            [this] { redraw(); });

    m_table = new QTableWidget(0, ColCount);
    m_table->setObjectName(QStringLiteral("tblFiles"));
    m_table->setAccessibleName(tr("Files"));
    keyboardLikeMouse(m_table);
    m_table->setHorizontalHeaderLabels({tr("File"), tr("Station"), tr("Records"),
                                        tr("Skipped lines"), tr("Decimals"), tr("Unit")});
    m_table->verticalHeader()->setVisible(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(ColFile, QHeaderView::Stretch);
    for (int c = ColStation; c < ColCount; ++c)
        m_table->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);

    // The read-out under the graph, one line per file, so no value is cut off.
    m_readout = new QLabel;
    m_readout->setObjectName(QStringLiteral("lblReadout"));
    m_readout->setText(tr(kHint));
    m_readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_readout->setContentsMargins(6, 2, 6, 2);
    m_readout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Its height is set for the files open (fitReadout), so the graph keeps its place as the
    // cursor moves; a long line is cut rather than widening the window.
    m_readout->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto* top = new QWidget;
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);
    topLayout->addWidget(m_plot, 1);
    topLayout->addWidget(m_readout);

    auto* split = new QSplitter(Qt::Vertical);
    split->setObjectName(QStringLiteral("splitGraph"));
    split->addWidget(top);
    split->addWidget(m_table);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);
    split->setSizes({480, 110});
    setCentralWidget(split);

    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    statusBar()->addWidget(m_summary, 1);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &GraphWindow::onOpen)
        ->setObjectName(QStringLiteral("actOpen"));
    QMenu* csv = file->addMenu(tr("Export &CSV"));
    const struct {
        const char* name;
        const char* text;
        bool all, whole;
    } csvActions[] = {
        {"actExportCsvView", QT_TR_NOOP("&Selected File, Visible Range..."), false, false},
        {"actExportCsvFile", QT_TR_NOOP("Selected &File, All Records..."), false, true},
        {"actExportCsvAllView", QT_TR_NOOP("All Files, &Visible Range..."), true, false},
        {"actExportCsvAll", QT_TR_NOOP("&All Files, All Records..."), true, true}};
    for (const auto& a : csvActions)
        csv->addAction(tr(a.text), this, [this, a] { onExportCsv(a.all, a.whole); })
            ->setObjectName(QLatin1String(a.name));
    file->addAction(tr("Export &Image (PNG, PDF)..."), this, &GraphWindow::onExportImage)
        ->setObjectName(QStringLiteral("actExportImage"));
    file->addAction(tr("&Print..."), QKeySequence::Print, this, &GraphWindow::onPrint)
        ->setObjectName(QStringLiteral("actPrint"));
    file->addSeparator();
    file->addAction(tr("Close &All"), this, &GraphWindow::closeAll)
        ->setObjectName(QStringLiteral("actCloseAll"));
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close)
        ->setObjectName(QStringLiteral("actQuit"));
    QMenu* view = menuBar()->addMenu(tr("&View"));
    m_followAction = view->addAction(tr("&Follow"));
    m_followAction->setObjectName(QStringLiteral("actFollow"));
    m_followAction->setCheckable(true);
    m_followAction->setShortcut(QKeySequence(Qt::Key_F));
    connect(m_followAction, &QAction::toggled, this, &GraphWindow::setFollow);
    view->addAction(tr("Fit &All"), QKeySequence(Qt::Key_Home), this, &GraphWindow::fitAll)
        ->setObjectName(QStringLiteral("actFitAll"));
    view->addSeparator();
    // Zoom and pan from the keyboard, as the mouse wheel and a drag do. The arrows act while
    // the plot has the focus, so that they still move through the table.
    const struct {
        const char *name, *text;
        QList<QKeySequence> keys;
        double zoom, shift; // new width / old width; shift in widths of the view
        bool plotOnly;
    } moves[] = {
        {"actZoomIn",
         QT_TR_NOOP("Zoom &In"),
         {Qt::Key_Plus, Qt::Key_Equal, QKeySequence::ZoomIn},
         0.5,
         0,
         false},
        {"actZoomOut",
         QT_TR_NOOP("Zoom &Out"),
         {Qt::Key_Minus, QKeySequence::ZoomOut},
         2,
         0,
         false},
        {"actPanLeft", QT_TR_NOOP("Pan &Left"), {Qt::Key_Left}, 1, -0.25, true},
        {"actPanRight", QT_TR_NOOP("Pan &Right"), {Qt::Key_Right}, 1, 0.25, true},
    };
    for (const auto& m : moves) {
        QAction* act = view->addAction(tr(m.text));
        act->setObjectName(QLatin1String(m.name));
        act->setShortcuts(m.keys);
        if (m.plotOnly) {
            act->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            m_plot->addAction(act);
        }
        connect(act, &QAction::triggered, this,
                [this, zoom = m.zoom, shift = m.shift] { moveView(zoom, shift); });
    }
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("User &Guide"), QKeySequence::HelpContents, this,
                    [] { openGuide(QStringLiteral("graph-viewer.html")); })
        ->setObjectName(QStringLiteral("actGuide"));
    addLanguageMenu(help);

    restyle();
    fitReadout();
    redraw();
    m_followTimer.setInterval(kFollowMs);
    connect(&m_followTimer, &QTimer::timeout, this, &GraphWindow::followTick);
    refreshCounts();
}

GraphWindow::~GraphWindow() = default;

int GraphWindow::openFiles(const QStringList& paths) {
    QStringList problems;
    int opened = 0;
    // A year of records takes a second or two to read: the window shows how far it is and
    // can be told to stop. The dialog is window-modal, so nothing but it takes input while
    // the files are read, and the follow timer waits.
    qint64 total = 0, before = 0;
    for (const QString& path : paths)
        total += QFileInfo(path).size();
    QProgressDialog progress(tr("Reading the files..."), tr("Cancel"), 0, 1000, this);
    progress.setObjectName(QStringLiteral("dlgOpening"));
    progress.setWindowTitle(tr("Open"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressAfterMs);
    progress.setAutoReset(false);
    const bool following = m_followTimer.isActive();
    m_followTimer.stop();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const QString& path : paths) {
        if (isOpen(path)) continue; // dropped or listed twice: one set of lines is enough
        auto reader = std::make_unique<DatReader>(path);
        if (const QString why = nameNotUtf8(path); !why.isEmpty()) {
            problems << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why);
            m_badNames << path;
            continue;
        }
        if (!QFileInfo(path).isFile()) {
            problems << tr("%1: not a file").arg(QDir::toNativeSeparators(path));
            continue;
        }
        progress.setLabelText(tr("Reading %1...").arg(QDir::toNativeSeparators(path)));
        const bool read = reader->update([&](qint64 done, qint64) {
            if (total > 0)
                progress.setValue(
                    static_cast<int>(std::min<qint64>(total, before + done) * 1000 / total));
            return !progress.wasCanceled();
        });
        before += QFileInfo(path).size();
        if (reader->cancelled()) break; // the user stopped it: this file and the rest stay closed
        if (!read) {
            problems << reader->error();
            continue;
        }
        File f;
        f.reader = std::move(reader);
        f.unit = QStringLiteral("℃");
        f.station = stationOf(path);
        f.description = stationDescription(path, m_logSource);
        for (int s = 0; s < DatSeries::kSeries; ++s) {
            QCPAxis* axis = s == DatSeries::MV ? m_plot->yAxis2 : m_plot->yAxis;
            f.graph[s] = m_plot->addGraph(m_plot->xAxis, axis);
            f.dots[s] = m_plot->addGraph(m_plot->xAxis, axis);
            f.dots[s]->removeFromLegend();
            f.dots[s]->setLineStyle(QCPGraph::lsNone);
            // Already decimated: the plot's own sampling would join lines across the breaks.
            for (QCPGraph* g : {f.graph[s], f.dots[s]})
                g->setAdaptiveSampling(false);
        }
        m_files.push_back(std::move(f));
        ++opened;
    }
    progress.reset();
    QApplication::restoreOverrideCursor();
    if (following) m_followTimer.start();
    restyle();
    rebuildTable();
    if (opened > 0) {
        fitAll();
        if (!m_cursor->visible()) m_readout->setText(tr(kReadHint));
    }
    if (!problems.isEmpty())
        showProblem(
            tr("Open"),
            tr("These files could not be opened:\n%1").arg(problems.join(QLatin1Char('\n'))));
    return opened;
}

bool GraphWindow::isOpen(const QString& path) const {
    const QFileInfo info(path);
    return std::any_of(m_files.begin(), m_files.end(),
                       [&](const File& f) { return QFileInfo(f.reader->path()) == info; });
}

void GraphWindow::closeAll() {
    // Closed on purpose: the logs are not opened again behind the user's back.
    m_logSource.clear();
    for (File& f : m_files)
        for (int s = 0; s < DatSeries::kSeries; ++s) {
            m_plot->removeGraph(f.graph[s]);
            m_plot->removeGraph(f.dots[s]);
        }
    m_files.clear();
    clearCursor();
    restyle();
    rebuildTable();
    m_plot->replot();
}

void GraphWindow::setDecimals(int file, int decimals) {
    if (file < 0 || file >= fileCount()) return;
    m_files[static_cast<size_t>(file)].decimals = std::clamp(decimals, 0, 4);
    redraw();
    if (m_cursor->visible()) showCursorAt(m_cursor->point1->key());
}

double GraphWindow::scale(int file, int series) const {
    const int d = series == DatSeries::MV ? 1 : m_files[static_cast<size_t>(file)].decimals;
    return std::pow(10.0, -d);
}

void GraphWindow::restyle() {
    const int n = fileCount();
    for (int i = 0; i < n; ++i) {
        File& f = m_files[static_cast<size_t>(i)];
        const QString base = QFileInfo(f.reader->path()).completeBaseName();
        for (int s = 0; s < DatSeries::kSeries; ++s) {
            QPen pen;
            pen.setWidth(1);
            if (n == 1) {
                pen.setColor(seriesColor(kTrendColor[s], palette()));
            } else {
                const QColor c = seriesColor(kFamily[i % std::size(kFamily)], palette());
                pen.setColor(s == DatSeries::SV   ? c.lighter(140)
                             : s == DatSeries::MV ? c.darker(150)
                                                  : c);
                pen.setStyle(s == DatSeries::SV   ? Qt::DashLine
                             : s == DatSeries::MV ? Qt::DotLine
                                                  : Qt::SolidLine);
            }
            f.graph[s]->setPen(pen);
            f.graph[s]->setAntialiased(false);
            f.dots[s]->setScatterStyle(
                QCPScatterStyle(QCPScatterStyle::ssDisc, pen.color(), pen.color(), 4));
            // Several stations: each curve named as the user named its station.
            const QString who = f.description.isEmpty() ? base : f.description;
            f.graph[s]->setName(n == 1 ? QString::fromLatin1(kSeriesName[s])
                                       : who + QLatin1Char(' ') + QLatin1String(kSeriesName[s]));
            f.dots[s]->setName(f.graph[s]->name());
        }
    }
    followPalette(m_plot, palette());
    // Always shown (empty without files): a hidden one makes the layout squeeze the graph.
    m_plot->legend->setVisible(true);
    // One row of SV, PV and MV per file, two files a row.
    m_plot->legend->setWrap(n > 1 ? 2 * DatSeries::kSeries : DatSeries::kSeries);
    QString unit = n > 0 ? m_files.front().unit : QString();
    for (const File& f : m_files)
        if (f.unit != unit) unit.clear();
    m_plot->yAxis->setLabel(unit.isEmpty() ? tr("Temp") : tr("Temp (%1)").arg(unit));
    QStringList names;
    for (const File& f : m_files)
        names << QFileInfo(f.reader->path()).fileName();
    setWindowTitle(names.isEmpty() ? tr("KX5 Graph")
                                   : tr("KX5 Graph - %1").arg(names.join(QStringLiteral(", "))));
}

void GraphWindow::rebuildTable() {
    m_table->setRowCount(fileCount());
    for (int i = 0; i < fileCount(); ++i) {
        const File& f = m_files[static_cast<size_t>(i)];
        auto* name = new QTableWidgetItem(QDir::toNativeSeparators(f.reader->path()));
        name->setForeground(f.graph[DatSeries::PV]->pen().color());
        m_table->setItem(i, ColFile, name);
        m_table->setItem(i, ColStation,
                         new QTableWidgetItem(f.description.isEmpty()
                                                  ? f.station
                                                  : f.station + QLatin1Char(' ') + f.description));
        m_table->setItem(i, ColRecords, new QTableWidgetItem);
        m_table->setItem(i, ColSkipped, new QTableWidgetItem);
        auto* dec = new QSpinBox;
        dec->setObjectName(QStringLiteral("spnDecimals%1").arg(i));
        dec->setAccessibleName(tr("Decimals"));
        dec->setRange(0, 4);
        dec->setValue(f.decimals);
        connect(dec, &QSpinBox::valueChanged, this, [this, i](int d) { setDecimals(i, d); });
        m_table->setCellWidget(i, ColDecimals, dec);
        auto* unit = new QComboBox;
        unit->setObjectName(QStringLiteral("cboUnit%1").arg(i));
        unit->setAccessibleName(tr("Unit"));
        unit->addItems({QStringLiteral("℃"), QStringLiteral("℉"), QString()});
        unit->setCurrentText(f.unit);
        connect(unit, &QComboBox::currentTextChanged, this, [this, i](const QString& u) {
            m_files[static_cast<size_t>(i)].unit = u;
            restyle();
            m_plot->replot(QCustomPlot::rpQueuedReplot);
        });
        m_table->setCellWidget(i, ColUnit, unit);
    }
    if (fileCount() > 0 && m_table->currentRow() < 0) m_table->selectRow(0);
    refreshCounts();
    fitReadout();
}

void GraphWindow::fitReadout() {
    // The cursor's line and one per file, or the hint.
    const int lines = 1 + std::max(1, fileCount());
    const QMargins m = m_readout->contentsMargins();
    m_readout->setFixedHeight(lines * m_readout->fontMetrics().lineSpacing() + m.top() +
                              m.bottom());
}

void GraphWindow::refreshCounts() {
    for (int i = 0; i < fileCount() && i < m_table->rowCount(); ++i) {
        const DatReader& r = reader(i);
        m_table->item(i, ColRecords)->setText(count(r.data().size()));
        QTableWidgetItem* sk = m_table->item(i, ColSkipped);
        sk->setText(count(r.skipped()));
        sk->setForeground(r.skipped() > 0 ? seriesColor(QColor(200, 0, 0), palette())
                                          : palette().color(QPalette::Text));
        sk->setToolTip(r.error());
    }
    m_summary->setText(summary());
}

QString GraphWindow::summary() const {
    qint64 records = 0, skipped = 0;
    for (const File& f : m_files) {
        records += f.reader->data().size();
        skipped += f.reader->skipped();
    }
    // The status line's parts, each whole so a language can order its own words.
    QStringList parts{tr("%1 file(s), %2 records").arg(fileCount()).arg(count(records))};
    if (skipped > 0) parts << tr("%1 malformed line(s) skipped").arg(count(skipped));
    if (follow()) parts << tr("following");
    return parts.join(QStringLiteral(", "));
}

bool GraphWindow::dataRange(double* lo, double* hi) const {
    bool any = false;
    for (const File& f : m_files) {
        const DatSeries& d = f.reader->data();
        if (d.isEmpty()) continue;
        const auto [a, b] = d.timeRange();
        *lo = any ? std::min(*lo, double(a)) : double(a);
        *hi = any ? std::max(*hi, double(b)) : double(b);
        any = true;
    }
    return any;
}

void GraphWindow::setView(double lo, double hi) {
    if (hi <= lo) hi = lo + 60;
    m_plot->xAxis->setRange(lo, hi);
    redraw();
}

void GraphWindow::moveView(double zoom, double shift) {
    const QCPRange r = m_plot->xAxis->range();
    const double width = r.size() * zoom;
    const double centre = r.center() + shift * r.size();
    setView(centre - width / 2, centre + width / 2);
}

void GraphWindow::fitAll() {
    double lo = 0, hi = 0;
    if (!dataRange(&lo, &hi)) {
        redraw();
        return;
    }
    const double pad = std::max(1.0, (hi - lo) * 0.01);
    setView(lo - pad, hi + pad);
}

void GraphWindow::redraw() {
    if (m_redrawing) return;
    m_redrawing = true;
    const QCPRange view = m_plot->xAxis->range();
    const int columns = std::max({16, m_plot->axisRect()->width(), m_exportColumns});
    double leftLo = 0, leftHi = 0, mvLo = 0, mvHi = 100;
    bool haveLeft = false;
    for (int i = 0; i < fileCount(); ++i) {
        const File& f = m_files[static_cast<size_t>(i)];
        const DatSeries& d = f.reader->data();
        for (int s = 0; s < DatSeries::kSeries; ++s) {
            const std::vector<qint64> idx = decimate(d, s, view.lower, view.upper, columns);
            const double k = scale(i, s);
            QVector<double> keys(static_cast<qsizetype>(idx.size()));
            QVector<double> values(keys.size());
            QVector<double> dotKeys, dotValues;
            size_t run = 0; // where the stretch between two breaks began
            for (size_t j = 0; j < idx.size(); ++j) {
                if (idx[j] == kBreak) {
                    // The line stops here (QCustomPlot breaks it at NaN).
                    keys[static_cast<qsizetype>(j)] = keys[static_cast<qsizetype>(j - 1)];
                    values[static_cast<qsizetype>(j)] = qQNaN();
                    run = j + 1;
                    continue;
                }
                const double t = static_cast<double>(d.time(idx[j]));
                const double v = d.value(s, idx[j]) * k;
                keys[static_cast<qsizetype>(j)] = t;
                values[static_cast<qsizetype>(j)] = v;
                // A stretch of one record has no line to show it: a dot does.
                if (j == run && (j + 1 == idx.size() || idx[j + 1] == kBreak)) {
                    dotKeys << t;
                    dotValues << v;
                }
                if (t < view.lower || t > view.upper) continue;
                if (s == DatSeries::MV) {
                    mvLo = std::min(mvLo, v);
                    mvHi = std::max(mvHi, v);
                } else if (!haveLeft) {
                    leftLo = leftHi = v;
                    haveLeft = true;
                } else {
                    leftLo = std::min(leftLo, v);
                    leftHi = std::max(leftHi, v);
                }
            }
            f.graph[s]->setData(keys, values, true);
            f.dots[s]->setData(dotKeys, dotValues, true);
        }
    }
    // Without records the axes have nothing to say (the x axis would show 1970).
    double first = 0, last = 0;
    const bool any = dataRange(&first, &last);
    for (QCPAxis* a : {m_plot->xAxis, m_plot->yAxis, m_plot->yAxis2}) {
        a->setTicks(any);
        a->setTickLabels(any);
        a->grid()->setVisible(any);
    }
    const double pad = std::max(1.0, (leftHi - leftLo) * 0.05);
    m_plot->yAxis->setRange(leftLo - pad, leftHi + pad);
    m_plot->yAxis2->setRange(mvLo, mvHi + (mvHi - mvLo) * 0.02);
    m_redrawing = false;
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

bool GraphWindow::follow() const {
    return m_followTimer.isActive();
}

void GraphWindow::setFollow(bool on) {
    if (on)
        m_followTimer.start();
    else
        m_followTimer.stop();
    if (m_followAction->isChecked() != on) m_followAction->setChecked(on);
    refreshCounts();
}

void GraphWindow::setLogSource(const QString& programFolder) {
    m_logSource = programFolder;
    const QStringList files = dataFilesOf(programFolder);
    if (!files.isEmpty()) openFiles(files);
}

void GraphWindow::followTick() {
    double lo = 0, oldEnd = 0;
    const bool hadData = dataRange(&lo, &oldEnd);
    const QCPRange view = m_plot->xAxis->range();
    bool grew = false;
    if (!m_logSource.isEmpty()) {
        QStringList added;
        for (const QString& path : dataFilesOf(m_logSource))
            if (!isOpen(path) && !m_badNames.contains(path)) added << path;
        // Opened quietly: they are appended to the others and show up as they grow.
        if (!added.isEmpty() && openFiles(added) > 0) {
            if (hadData) setView(view.lower, view.upper);
            grew = true;
        }
    }
    QStringList problems;
    for (File& f : m_files) {
        const qint64 before = f.reader->data().size();
        if (!f.reader->update()) problems << f.reader->error();
        grew = grew || f.reader->data().size() != before;
    }
    refreshCounts();
    if (!problems.isEmpty()) m_readout->setText(problems.join(QStringLiteral("; ")));
    if (!grew) return;
    double newLo = 0, newEnd = 0;
    dataRange(&newLo, &newEnd);
    if (!hadData) {
        fitAll();
    } else if (view.upper >= oldEnd) {
        // The view showed the newest record: keep it in view, same width.
        const double shift = std::max(0.0, newEnd - oldEnd);
        setView(view.lower + shift, view.upper + shift);
    } else {
        redraw();
    }
}

void GraphWindow::showCursorAt(double time) {
    if (fileCount() == 0) return;
    m_cursor->point1->setCoords(time, 0);
    m_cursor->point2->setCoords(time, 1);
    m_cursor->setVisible(true);
    const qint64 t = std::llround(time);
    QStringList parts{tr("Cursor %1 %2").arg(datDateText(t), datTimeText(t))};
    for (const File& f : m_files)
        if (!f.reader->data().isEmpty()) parts << readoutLine(f, t);
    m_readout->setText(parts.join(QLatin1Char('\n')));
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

QString GraphWindow::readoutLine(const File& f, qint64 t) const {
    const DatSeries& d = f.reader->data();
    // The records either side of t: the latest at or before it and the earliest at or after.
    qint64 before = -1, after = -1;
    if (d.sorted()) {
        after = d.lowerBound(double(t));
        before = after < d.size() && d.time(after) == t ? after : after - 1;
        if (after == d.size()) after = -1;
    } else {
        for (qint64 j = 0; j < d.size(); ++j) {
            if (d.time(j) <= t && (before < 0 || d.time(j) > d.time(before))) before = j;
            if (d.time(j) >= t && (after < 0 || d.time(j) < d.time(after))) after = j;
        }
    }
    // Beyond the ends and across a hole there is nothing to read, however near a record is.
    const qint64 hole = DatGaps::threshold(d.gaps().usual());
    const auto stamp = [t](qint64 at) {
        return datDateText(at) == datDateText(t) ? datTimeText(at)
                                                 : datDateText(at) + ' ' + datTimeText(at);
    };
    QString none;
    if (before < 0 && d.time(after) - t > hole)
        none = tr("no record: the file starts at %1").arg(stamp(d.time(after)));
    else if (after < 0 && t - d.time(before) > hole)
        none = tr("no record: the file ends at %1").arg(stamp(d.time(before)));
    else if (before >= 0 && after >= 0 && before != after &&
             (d.sorted() ? d.gaps().before(after) : d.time(after) - d.time(before) > hole))
        none = tr("no record: nothing was logged from %1 to %2")
                   .arg(stamp(d.time(before)), stamp(d.time(after)));
    const QString name = fileCount() > 1
                             ? QFileInfo(f.reader->path()).completeBaseName() + QLatin1Char(' ')
                             : QString();
    if (!none.isEmpty()) return name + none;
    const qint64 best =
        before < 0 || (after >= 0 && d.time(after) - t < t - d.time(before)) ? after : before;
    return QStringLiteral("%1%2  SV %3  PV %4  MV %5")
        .arg(name, datTimeText(d.time(best)),
             QString::fromLatin1(scaledText(d.value(DatSeries::SV, best), f.decimals)),
             QString::fromLatin1(scaledText(d.value(DatSeries::PV, best), f.decimals)),
             QString::fromLatin1(scaledText(d.value(DatSeries::MV, best), 1)));
}

void GraphWindow::clearCursor() {
    m_readout->setText(tr(fileCount() > 0 ? kReadHint : kHint));
    if (!m_cursor->visible()) return;
    m_cursor->setVisible(false);
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

bool GraphWindow::cursorShown() const {
    return m_cursor->visible();
}

QString GraphWindow::readout() const {
    return m_readout->text();
}

bool GraphWindow::exportCsv(int file, bool wholeFile, const QString& path, QString* error) {
    if (file >= fileCount() || fileCount() == 0) {
        if (error) *error = tr("No file is open.");
        return false;
    }
    std::vector<CsvPart> parts;
    for (int i = 0; i < fileCount(); ++i) {
        const File& f = m_files[static_cast<size_t>(i)];
        if (file < 0 || i == file)
            parts.push_back(
                {&f.reader->data(),
                 {f.station, QFileInfo(f.reader->path()).fileName(), f.decimals, f.unit}});
    }
    const QCPRange view = m_plot->xAxis->range();
    if (wholeFile)
        return writeCsv(path, parts, std::numeric_limits<qint64>::min(),
                        std::numeric_limits<qint64>::max(), error);
    return writeCsv(path, parts, static_cast<qint64>(std::ceil(view.lower)),
                    static_cast<qint64>(std::floor(view.upper)), error);
}

QString GraphWindow::exportTitle() const {
    QStringList stations, names;
    for (const File& f : m_files) {
        if (!f.station.isEmpty()) stations << f.station;
        names << QFileInfo(f.reader->path()).fileName();
    }
    QStringList parts;
    if (!stations.isEmpty())
        parts << (stations.size() == 1 ? tr("Station %1") : tr("Stations %1"))
                     .arg(stations.join(QStringLiteral(", ")));
    if (!names.isEmpty()) parts << names.join(QStringLiteral(", "));
    // The span of the records shown, not of the margin around them.
    double first = 0, last = 0;
    const QCPRange view = m_plot->xAxis->range();
    if (dataRange(&first, &last) && first <= view.upper && last >= view.lower) {
        const qint64 a = std::llround(std::max(first, std::ceil(view.lower)));
        const qint64 b = std::llround(std::min(last, std::floor(view.upper)));
        //: The span of the records in view: from date and time to (date and) time.
        parts << tr("%1 %2 to %3%4")
                     .arg(datDateText(a), datTimeText(a),
                          datDateText(b) == datDateText(a) ? QString() : datDateText(b) + ' ',
                          datTimeText(b));
    }
    return parts.join(QStringLiteral(" - "));
}

bool GraphWindow::withTitle(const std::function<bool()>& output) {
    const bool cursor = m_cursor->visible();
    m_cursor->setVisible(false);
    QFont font = m_plot->font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    font.setBold(true);
    auto* title = new QCPTextElement(m_plot, exportTitle(), font);
    title->setObjectName(QStringLiteral("txtTitle"));
    m_plot->plotLayout()->insertRow(0);
    m_plot->plotLayout()->setRowStretchFactor(0, 0.001);
    m_plot->plotLayout()->addElement(0, 0, title);
    const bool ok = output();
    m_plot->plotLayout()->remove(title);
    m_plot->plotLayout()->simplify();
    m_cursor->setVisible(cursor);
    m_plot->replot(QCustomPlot::rpQueuedReplot);
    return ok;
}

bool GraphWindow::exportImage(const QString& path, QString* error, QSize size) {
    // A larger image gets a column of the decimation for each of its pixels.
    m_exportColumns = size.isValid() ? size.width() : 0;
    redraw();
    const bool ok = withTitle([&] { return savePlot(m_plot, path, error, exportTitle(), size); });
    m_exportColumns = 0;
    redraw();
    return ok;
}

void GraphWindow::showProblem(const QString& title, const QString& text) {
    // Not modal: a follow tick or a drop goes on while it is shown.
    auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("msgProblem"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void GraphWindow::onOpen() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, tr("Open"), QString(), tr("Data files (*.DAT *.dat);;All files (*)"));
    if (!paths.isEmpty()) openFiles(paths);
}

void GraphWindow::onExportCsv(bool allFiles, bool wholeFile) {
    if (fileCount() == 0) return showProblem(tr("Export CSV"), tr("No file is open."));
    const int file = allFiles ? -1 : std::max(0, m_table->currentRow());
    const QString base =
        allFiles ? QStringLiteral("all_files") : QFileInfo(reader(file).path()).completeBaseName();
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export CSV"),
        base + (wholeFile ? QString() : QStringLiteral("_view")) + QStringLiteral(".csv"),
        tr("CSV (*.csv)"));
    if (path.isEmpty()) return;
    QString error;
    if (!exportCsv(file, wholeFile, path, &error)) return showProblem(tr("Export CSV"), error);
    statusBar()->showMessage(tr("Wrote %1").arg(QDir::toNativeSeparators(path)), 5000);
}

bool GraphWindow::askImageSize(QSize* size) {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgImageSize"));
    dialog.setWindowTitle(tr("Image Size"));
    auto* form = new QFormLayout(&dialog);
    QSpinBox* spin[2] = {new QSpinBox, new QSpinBox};
    const int value[2] = {size->width(), size->height()};
    const char* const name[2] = {"spnWidth", "spnHeight"};
    const char* const label[2] = {QT_TR_NOOP("&Width (pixels):"), QT_TR_NOOP("&Height (pixels):")};
    for (int k = 0; k < 2; ++k) {
        spin[k]->setObjectName(QLatin1String(name[k]));
        spin[k]->setRange(200, 10000);
        spin[k]->setValue(value[k]);
        form->addRow(tr(label[k]), spin[k]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return false;
    *size = QSize(spin[0]->value(), spin[1]->value());
    return true;
}

void GraphWindow::onExportImage() {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Export Image"), QStringLiteral("graph.png"),
                                     tr("PNG image (*.png);;PDF document (*.pdf)"));
    if (path.isEmpty()) return;
    QSize size;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        size = m_imageSize.isValid() ? m_imageSize : m_plot->size();
        if (!askImageSize(&size)) return;
        m_imageSize = size;
    }
    QString error;
    if (!exportImage(path, &error, size)) return showProblem(tr("Export Image"), error);
    statusBar()->showMessage(tr("Wrote %1").arg(QDir::toNativeSeparators(path)), 5000);
}

void GraphWindow::onPrint() {
    const QString title = exportTitle();
    if (!withTitle([&] { return printPlot(m_plot, title); }))
        showProblem(tr("Print"), tr("Cannot start printing."));
}

void GraphWindow::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void GraphWindow::dropEvent(QDropEvent* e) {
    QStringList paths;
    for (const QUrl& u : e->mimeData()->urls())
        if (u.isLocalFile()) paths << u.toLocalFile();
    if (paths.isEmpty()) return;
    e->acceptProposedAction();
    openFiles(paths);
}

bool GraphWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_plot) {
        if (e->type() == QEvent::MouseMove && fileCount() > 0) {
            const auto* me = static_cast<QMouseEvent*>(e);
            if (m_plot->axisRect()->rect().contains(me->position().toPoint()))
                showCursorAt(m_plot->xAxis->pixelToCoord(me->position().x()));
            else
                clearCursor();
        } else if (e->type() == QEvent::Leave) {
            clearCursor();
        } else if (e->type() == QEvent::Resize) {
            // More or fewer pixel columns: decimate again once the layout has the new width.
            QTimer::singleShot(0, this, &GraphWindow::redraw);
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void GraphWindow::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::PaletteChange) { // the desktop went dark or light
        restyle();
        m_plot->replot();
    }
}
