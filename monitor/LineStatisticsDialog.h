// "Line Statistics": how each station on the line is doing, from the link's counters,
// refreshed every second while the window is open. Reset starts the counts again.
#pragma once

#include <QDialog>
#include <QTimer>

class KX5Link;
class QTableWidget;

class LineStatisticsDialog : public QDialog {
    Q_OBJECT
public:
    explicit LineStatisticsDialog(KX5Link* link, QWidget* parent = nullptr);
    void refresh();
    QTableWidget* table() const { return m_table; }
    QTimer tmrRefresh;

private:
    KX5Link* m_link;
    QTableWidget* m_table;
};
