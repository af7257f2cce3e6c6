// The trend graph with its controls (Start Graph, 3D, Scroll, the sample interval) and the
// sampler that adds the selected station's figures to it on every graph tick.
#pragma once

#include "link/Reading.h"

#include <QTime>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class TrendChart;

class TrendPanel : public QWidget {
    Q_OBJECT
public:
    explicit TrendPanel(QWidget* parent = nullptr);

    TrendChart* chart() const { return m_chart; }
    // The graph's switch and interval, one row, for the window to place (beside the display,
    // so the chart keeps the height); it shows and hides with the panel's window.
    QWidget* controls() const { return m_controls; }

    // One graph tick at `now`: while sampling runs, the selected station's figures become the
    // next point when they are current; nothing is drawn that was not read.
    void sample(const Reading& selected, const QTime& now);
    // Whether the lines drawn are still current: pale, with a note, once the selected
    // station's values are not (null: none selected).
    void showFreshness(const StationValues* selected);
    // The chart starts afresh (the port has just come up); sampling goes on if it was started.
    void goOnline();
    // Another station selected: its points start afresh.
    void restart();

    // Starts the graph as "Start Graph" does, unless it runs already.
    void startGraph();

    void ResetGraph();
    void SetupGraph();
    void AddGraphPoint(const Reading& selected, const QTime& now);
    void btnStart_Click();
    void chb3D_Click();
    void chbScroll_Click();
    void txtGrpInterval_Change();
    void txtGrpInterval_Confirm();

    int mGrpCount = 0;
    bool mGrpRun = false;
    QPushButton* startButton() const { return m_btnStart; }
    // The start button offers Stop: the graph was started and not stopped since.
    bool stopOffered() const { return m_graphStopOffered; }

signals:
    // The sample interval the user confirmed, in milliseconds (1000 to 60000).
    void intervalConfirmed(int ms);

private:
    TrendChart* m_chart = nullptr;
    QWidget* m_controls = nullptr;
    QPushButton* m_btnStart = nullptr;
    QCheckBox *m_chb3D = nullptr, *m_chbScroll = nullptr;
    QLineEdit* m_txtGrpInterval = nullptr;
    // btnStart offers Stop: the graph was started and not stopped by the user since.
    bool m_graphStopOffered = false;
};
