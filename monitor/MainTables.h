// The main window's lower tabs: the monitor table (a model over the line model), the
// communication trace (with Save Trace) and the event list (views of the grids the link and
// the event log keep).
#pragma once

#include <QTabWidget>

struct LinkOptions;
class EventLog;
class GridView;
class KX5Link;
class QCheckBox;
class QSpinBox;
class QTableView;
class TraceRecorder;

class MainTables : public QTabWidget {
    Q_OBJECT
public:
    static constexpr int kShownRows = 5; // the monitor table shows this many rows if it can

    MainTables(KX5Link* link, EventLog* events, TraceRecorder* recorder, QWidget* parent = nullptr);

    // Room for `rows` of the monitor table under the tab bar.
    int preferredHeight(int rows = kShownRows) const;
    void btnSaveTrace_Click();
    // The record switch and its limit as the link options say.
    void showRecordOptions(const LinkOptions& options);

signals:
    // The user switched recording or changed its limit; the recorder already follows.
    void recordOptionsEdited(bool on, int limitMB);

private:
    void layoutMonitorTable();
    void layoutTrace();
    static void followEnd(QTableView* view);

    void recordOptionsChanged();

    KX5Link* m_link;
    TraceRecorder* m_recorder;
    QCheckBox* m_chkRecord = nullptr;
    QSpinBox* m_spinLimit = nullptr;
    QTableView* m_viewMonitoring = nullptr;
    QTableView* m_viewCommD = nullptr;
    GridView* m_viewEvents = nullptr;
};
