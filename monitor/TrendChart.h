// The trend graph: set value, process value and output of the selected station over time,
// each point labelled with its time of day. Points are appended in constant time, so a day
// at one sample a second stays cheap to add and to draw.
#pragma once

#include <QTime>
#include <QWidget>
#include <vector>

class QCustomPlot;
class QCPGraph;
class QCPTextElement;
class QScrollBar;

class TrendChart : public QWidget {
    Q_OBJECT
public:
    enum Series { SV = 0, PV = 1, MV = 2 };
    static constexpr int kSeries = 3;
    static constexpr int kResetPoints = 10;
    // Points in view when the chart follows the newest ones, until the user zooms.
    static constexpr int kFollowWidth = 120;
    // Pixel offset of the shadow lines in the three-dimensional view.
    static constexpr int kDepthPx = 7;

    explicit TrendChart(QWidget* parent = nullptr);

    QCustomPlot* plot() const { return m_plot; }
    QScrollBar* scrollBar() const { return m_scroll; }

    // No points: the time axis spans kResetPoints, and nothing is drawn until a sample comes.
    void clear();
    // Legends, the right axis of the output series and the three axis titles.
    void setupTitles();
    // Keeps points 0 .. count-1 and drops the rest.
    void truncate(int count);
    // Sets point p of the three series and its label; points between are gaps, never values.
    void setPoint(int p, double sv, double pv, double mv, const QTime& label);
    // Moves the view to show point n as the newest and queues a repaint.
    void showUpTo(int n);

    int pointCount() const;
    double value(int series, int p) const;
    double key(int series, int p) const;
    QString label(int p) const; // "HH:MM:SS", empty when the point has none
    QString legend(int series) const;
    QString axisTitle(const char* which) const; // "left", "right", "bottom"
    bool onRightAxis(int series) const;

    // The graph as a PNG image or, for a path ending in ".pdf", a PDF document; on failure
    // *error names the file. The chart's context menu offers these and printing.
    bool exportImage(const QString& path, QString* error);
    void saveImage();
    void print();

    // With a note the lines are drawn pale and the note shows on the plot: what is drawn is no
    // longer current. An empty note: live.
    void setStaleNote(const QString& note);
    QString staleNote() const { return m_staleNote; }
    // Whose lines these are: the station, named as the user named it.
    void setTitle(const QString& title);
    QString title() const;

    bool is3D() const { return m_3d; }
    void set3D(bool on);
    bool scrolling() const { return m_scrolling; }
    void setScrolling(bool on);
    // The time-axis range in view.
    double viewLower() const;
    double viewUpper() const;

protected:
    // As many time labels as fit side by side, so that they never run into each other.
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void placeLegend();
    // Background, axes, grid, legend and series in the colours of the desktop's palette.
    void applyPalette();
    void applyView();
    void onUserRange();
    void onScrollBar(int value);
    void widenValues(double sv, double pv, double mv);
    void rescanValues();

    QCustomPlot* m_plot;
    QScrollBar* m_scroll;
    QCPGraph* m_graph[kSeries] = {};
    QCPTextElement* m_note = nullptr;
    QCPTextElement* m_title = nullptr;
    QString m_staleNote;
    std::vector<int> m_labels; // seconds of the day per point, -1 = none
    bool m_3d = false;
    bool m_scrolling = true;
    bool m_follow = true; // the view tracks the newest point
    bool m_applying = false;
    double m_width = kFollowWidth;
    // Value extents kept as points arrive, so a new point never rescans the history.
    double m_leftLo = 0, m_leftHi = 0, m_mvLo = 0, m_mvHi = 0;
    bool m_haveValues = false;
};
