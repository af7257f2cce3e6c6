// Multi-Monitoring: every station in use on one grid row, refreshed from the line model at the
// next frame after it changed (and at once when a station's keys are read back), with each
// controller's recorder keys and print speed. Key presses and speed changes are handed to the link
// as one-register writes to the station of the row; the window never talks to the port. A write the
// link refuses, gives up or drops is said in lblMsg.
#pragma once

#include "link/LineModel.h"
#include "link/Reading.h"
#include "link/Request.h"
#include "monitor/StaleLook.h"
#include "ui/Grid.h"

#include <QDialog>
#include <QTimer>
#include <functional>
#include <set>
#include <vector>

class GridView;
class QLabel;
class QPushButton;
class frmD_Edit;

class frmKX5_Multi : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCols = 28;
    // Columns of this window's grid.
    enum Col : int {
        McNo = 1,
        Model = 2,
        ConnState = 3,
        PV = 4,
        SV = 5,
        MV = 6,
        PidNo = 7,
        Alarm1 = 8, // 8 to 10: ALMSTS bits 0 to 2
        Err1 = 11,  // 11 to 14: ERRSTS bits 0 to 3
        ErrAT = 15, // ERRSTS bit 8
        AutMan = 16,
        JC = 17,
        Minus = 18,
        Run = 19,
        Prog = 20,
        Wait = 21,
        AT = 22,
        KeyPrint = 23, // 23 to 27: PRINT, TEXT, LIST, FEED, ZOOM
        KeyZoom = 27,
        Speed = 28
    };
    static constexpr Bgr kLampOn = rgb(255, 0, 0);
    static constexpr Bgr kKeyOn = rgb(255, 0, 0);
    static constexpr Bgr kStaleText = StaleLook::kText;
    static constexpr Bgr kKeyPending = rgb(255, 200, 0); // sent, not yet read back
    static constexpr Bgr kKeyDisabled = rgb(224, 224, 224);
    static constexpr Bgr kKeyDisabledText = rgb(160, 160, 160);

    // Writes through sink; shows the stations of `line`. Both outlive this window.
    frmKX5_Multi(RequestSink* sink, const LineModel* line, QWidget* parent = nullptr);
    ~frmKX5_Multi() override;

    Grid* grid() { return &m_grid; }
    GridView* view() const { return sprdMonitoring; }
    QLabel* messageLabel() const { return lblMsg; }
    // The standard button face: a key's colour when it is off.
    Bgr keyOffColor() const { return m_keyOff; }
    // Zebra colour of a row: white on odd rows, light green on even ones.
    static Bgr rowColor(int row) { return row % 2 ? kWhite : kLightGreen; }

    void Form_Load();
    void tmrRefresh_Timer();
    void sprdMonitoring_ButtonClicked(int col, int row);
    void sprdMonitoring_Click(int col, int row);
    void btnClose_Click();

    // Sizes the window to show every visible column and up to 20 rows, within available.
    void fitToContents(const QSize& available);

    // Runs the value editor modally; tests put their own here.
    std::function<int(frmD_Edit&)> runEditor;

    QTimer tmrRefresh; // 16 ms, once after a change of the line

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

public slots:
    // A row's write that was not confirmed or not sent is said in lblMsg until that station's
    // next write is confirmed.
    void onRequestEnded(const Request& r, RequestOutcome outcome, EndCause cause);

private:
    bool request(const Request& r);
    // Moves the grid's current cell `step` stops on among the keys and speed cells; false at
    // either end, where Tab leaves the grid. fromOutside: to the first or the last stop.
    bool moveAmongKeys(int step, bool fromOutside);
    void showMessage(const QString& text, int mcNo);
    void buildUi();
    bool answered(int row) const;
    int stationOf(int row) const;
    // What a row's MC No cell shows: the MC No and the station's description, if it has one.
    static QString rowTitle(const LineModel::Station& s);
    void setBack(int col, int row, Bgr color);
    void setKey(int col, int row, bool on);
    void showConn(int row);

    RequestSink* m_sink;
    const LineModel* m_stations;
    Grid m_grid{kCols, 0};
    GridView* sprdMonitoring = nullptr;
    GridView* m_frozen = nullptr; // the MC No column, kept in view
    QPushButton* btnClose = nullptr;
    QLabel* lblMsg = nullptr;
    int m_msgMcNo = 0;                           // the station lblMsg speaks of
    std::set<std::pair<int, int>> m_pendingKeys; // (MC No, key) whose write has not ended
    Bgr m_keyOff = 0;
    std::vector<QString> m_units; // per row: the unit PV and SV are shown in
};
