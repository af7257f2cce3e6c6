// "Alarms": every station's alarms as the alarm book keeps them, to acknowledge one, several or
// all, and the sound of a new alarm turned on or off. Not modal: it stays open beside the main
// window, and closing it changes nothing of the alarms.
#pragma once

#include <QDialog>

class AlarmBook;
class AlarmTableModel;
class LineModel;
class QCheckBox;
class QPushButton;
class QTableView;

class AlarmListDialog : public QDialog {
    Q_OBJECT
public:
    AlarmListDialog(AlarmBook* book, const LineModel& line, QWidget* parent = nullptr);

    QTableView* table() const { return m_table; }

private:
    void acknowledgeSelected();
    void showButtons();

    AlarmBook* m_book;
    AlarmTableModel* m_model;
    QTableView* m_table;
    QPushButton* m_ack;
    QPushButton* m_ackAll;
    QCheckBox* m_sound;
};
