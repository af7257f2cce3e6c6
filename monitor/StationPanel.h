// The main window's left column: the station table, the selected MC No and the data-save
// settings with the Start Save button.
#pragma once

#include <QWidget>

struct DataSaveSettings;
class ElidedLabel;
class KX5Link;
class LineModel;
class QLabel;
class StationTableModel;
class QPushButton;
class QTableView;

class StationPanel : public QWidget {
    Q_OBJECT
public:
    explicit StationPanel(KX5Link* link, QWidget* parent = nullptr);

    void showSelectedMcNo(const QString& mcNo);
    // The "Data Save" labels and btnDSave_Start from the data-save settings.
    void showDataSaveSettings(const DataSaveSettings& settings);
    QPushButton* saveButton() const { return m_btnDSave_Start; }
    // Wide enough for every column, descriptions too; narrower, the table scrolls.
    QSize sizeHint() const override;

signals:
    // A click on the row of station index idx.
    void stationClicked(int idx);

private:
    // The description column and the selected station's description, as the stations are.
    void showNames();

    const LineModel* m_line = nullptr;
    StationTableModel* m_model = nullptr;
    int m_colWidth = 0;
    int m_wanted = 0; // the table's width with every column showing
    QTableView* m_viewStatus = nullptr;
    QLabel* m_lblMC_No = nullptr;
    ElidedLabel* m_lblMC_Name = nullptr;
    QPushButton* m_btnDSave_Start = nullptr;
    QLabel *m_lblDSave_Enable = nullptr, *m_lblDSave_Intv = nullptr, *m_lblDSave_Unit = nullptr;
};
