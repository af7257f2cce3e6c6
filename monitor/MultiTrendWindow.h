// "Trend of Several Stations": the PV of up to eight stations as lines of their own, each named
// by its MC No and description, their SV and MV when asked for, sampled at the main trend's
// interval whatever station the main window shows. Not modal; closing only hides it, so the
// points stay. Saves the plot as PNG or PDF and the points as CSV.
#pragma once

#include "monitor/MultiTrend.h"

#include <QTimer>
#include <QWidget>
#include <functional>

class LineModel;
class QCheckBox;
class QCustomPlot;
class QCPGraph;
class QLabel;
class QListWidget;

class MultiTrendWindow : public QWidget {
    Q_OBJECT
public:
    explicit MultiTrendWindow(const LineModel& line, QWidget* parent = nullptr);

    MultiTrend& trend() { return m_trend; }
    QCustomPlot* plot() const { return m_plot; }
    // Picks or unpicks a station as its check box in the list does; false when refused.
    bool pick(int mcNo, bool on);
    // One sample tick (tmrSample's handler; tests call it with their clock).
    void tmrSample_Timer();
    void setInterval(int ms) { tmrSample.setInterval(ms); }
    // The points as CSV: date and time, then PV, SV and MV of each station; false with *error
    // on a file that cannot be written.
    bool exportCsv(const QString& path, QString* error) const;

    QTimer tmrSample;
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

private:
    void fillStations();
    void rebuild();
    void appendNewest();
    void follow();
    void widen(bool right, double v);
    QString seriesName(const MultiTrend::Series& s, const char* what) const;
    void saveImage();
    void saveCsv();

    const LineModel& m_line;
    MultiTrend m_trend;
    QListWidget* m_list;
    QCheckBox *m_chkSV, *m_chkMV, *m_chkPause, *m_chkScroll;
    QLabel* m_note;
    QCustomPlot* m_plot;
    // Per series of m_trend, its PV, SV and MV graphs (SV and MV null when not shown).
    struct Graphs {
        QCPGraph *pv = nullptr, *sv = nullptr, *mv = nullptr;
    };
    std::vector<Graphs> m_graphs;
    double m_lo = 0, m_hi = 0, m_mvLo = 0, m_mvHi = 0;
    bool m_haveLeft = false, m_haveRight = false;
    bool m_filling = false;
};
