// Parameter Setting: the map of every parameter register of the selected station, with the
// access class of each cell, and the door to the group dialogs. It draws the station's
// parameter image through the register table, asks for a read-all when it opens, refreshes once
// each time the link reports a completed read-all or an acknowledged write of the station
// (tmrRefresh), and says in lblMsg where a write
// stands: waiting for confirmation, in the input group's pause, written, or not confirmed.
#pragma once

#include "link/ControllerModel.h"
#include "link/Request.h"
#include "params/ParamMap.h"
#include "params/ParamSet.h"

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class Grid;
class KX5Link;
class QLabel;
class QPushButton;
class QTableView;

// Where the map reads a station's parameter image (null: none read) and its model.
struct ParamSource {
    std::function<const ParamImage*(int mcNo)> image;
    std::function<ControllerModel(int mcNo)> model;
    static ParamSource of(const KX5Link* link);
};

// The dialogs hand their writes to the map, which passes them on to the link and notes them.
class frmKX5_Parameter : public QDialog, public RequestSink {
    Q_OBJECT
public:
    // sink: the link, which also names the station edited; source: its images and models.
    frmKX5_Parameter(RequestSink* sink, ParamSource source, QWidget* parent = nullptr);
    ~frmKX5_Parameter() override;

    Grid* displayGrid() const { return m_map; }
    QLabel* messageLabel() const { return lblMsg; }
    Bgr messageColor() const { return m_msgColor; }

    void RefreshMap();
    void sprdMap_Click(int col, int row);
    void tmrRefresh_Timer();
    void tmrToggleColor_Timer();
    void btnClose_Click() { reject(); }
    // The selected station's parameters to a set file; a set compared with them, fresh from a
    // read of all parameters.
    void btnSaveSet_Click();
    void btnCompareSet_Click();
    // A set read and checked, handed to writeSet, which copies it to stations.
    void btnWriteSet_Click();
    std::function<void(const ParamSet&, const QString& path)> writeSet;

    // Asks for a set file to write (save true) or read; empty when the user cancels. Tests
    // put their own here, as they do for showDiffs.
    std::function<QString(bool save)> chooseSetFile;
    std::function<void(const QString& title, const std::vector<ParamDiff>&)> showDiffs;

    // The dialog a click opens, built over this map (destroy it before the map); nullptr for
    // MapDialog::None and for a group whose registers were never read from the station.
    std::unique_ptr<QDialog> createDialog(MapDialog which);
    // Shows a dialog modally; tests put their own here. The default runs createDialog's.
    std::function<void(MapDialog)> openDialog;

    QTimer tmrRefresh;     // 50 ms one-shot, switched on by the link
    QTimer tmrToggleColor; // 1000 ms, blinks lblMsg

    void done(int r) override;

    // Passes r on to the link; a write taken is said in lblMsg until it ends.
    RequestReply request(const Request& r) override;
    int selectedMcNo() const override { return m_sink->selectedMcNo(); }

public slots:
    // How a request ended: a write that was not confirmed or not sent is said in lblMsg.
    void onRequestEnded(const Request& r, RequestOutcome outcome, const QString& text);
    // The input group's first half is confirmed; the second waits out the controller's pause.
    void onInputPause(const Request& r);

private:
    void unload();
    // Whether every register the dialog writes was read from the station; offering to read
    // them again when not.
    bool wasRead(MapDialog which) const;
    void offerReadAgain();
    // The edited station's image, null when none was read; its model.
    const ParamImage* image() const;
    ControllerModel model() const;

    void showMessageColor();

    RequestSink* m_sink;
    ParamSource m_source;
    Grid* m_map;
    QTableView* sprdMap;
    QLabel* lblMC_No;
    QLabel* lblModel;
    QLabel* lblMsg;
    QPushButton* btnClose;
    std::optional<ParamSet> m_compare; // a set waiting for the fresh read to compare with
    Bgr m_msgColor;
};
