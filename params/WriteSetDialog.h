// Write Set: copies a parameter set to stations. The user picks the stations, reads them to
// see what differs, confirms, and gets a report per station. The work itself is SetWriter's.
#pragma once

#include "params/SetWriter.h"

#include <QDialog>
#include <memory>

class KX5Link;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;

class WriteSetDialog : public QDialog {
    Q_OBJECT
public:
    WriteSetDialog(KX5Link* link, const ParamSet& set, const QString& path,
                   QWidget* parent = nullptr);
    ~WriteSetDialog() override;

    void btnSelected_Click(); // only the station the parameter windows work on
    void btnAll_Click();      // every station in use
    void btnCompare_Click();  // read the checked stations and list what differs
    void btnWrite_Click();    // after a confirmation, write what was listed
    void btnCancel_Click();
    void chkWriteAll_Toggled(bool on);

    QListWidget* stationList() const { return lstStations; }
    QTreeWidget* resultTree() const { return tvResult; }
    QLabel* messageLabel() const { return lblMsg; }
    SetWriter* writer() const { return m_writer.get(); }

    void reject() override;

private:
    void showStation(int i);
    void onFinished();
    void setBusy(bool busy);
    std::vector<int> checkedStations() const;
    // What Write... will send, station by station, for the confirmation.
    QString writeList() const;

    KX5Link* m_link;
    ParamSet m_set;
    QString m_path;
    std::unique_ptr<SetWriter> m_writer;
    QLabel* lblSet;
    QLabel* lblMsg;
    QListWidget* lstStations;
    QTreeWidget* tvResult;
    QCheckBox* chkWriteAll;
    QPushButton* btnSelected;
    QPushButton* btnAll;
    QPushButton* btnCompare;
    QPushButton* btnWrite;
    QPushButton* btnCancel;
    QPushButton* btnClose;
};
