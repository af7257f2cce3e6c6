// Data saving switched on and off: by btnDSave_Start, by the menu item, both asking before
// they stop, and by the menu's key, which only ever starts. Each switch is an event; a status-bar
// panel always says whether saving runs and where the records go, and beside it, while saving runs,
// since when, how many records today and the last ones, red when a station falls behind.
#pragma once

#include <QObject>

class DataLogger;
class ElidedLabel;
class QAction;
class QDateTime;
class QPushButton;
class QWidget;

class DataSaveSwitch : public QObject {
    Q_OBJECT
public:
    // The button and the action stay the window's; the panel is made here for its status bar.
    DataSaveSwitch(DataLogger* logger, QPushButton* button, QAction* menu, QWidget* window);

    QWidget* panel() const;
    // Start Save, or Stop Save after asking: the button and the menu item alike.
    void btnDSave_Start_Click();
    void mOnlineSave_Click();
    // Records are written only while the port is online; the panel says so.
    void setPortOpen(bool open);
    // The caption, the menu item and its key, and the panel, from the logger's state now.
    void show();
    // Since when, records today, each station's last record; `now` from the logger's tick.
    void showProgress(const QDateTime& now);

private:
    DataLogger* m_logger;
    QPushButton* m_button;
    QAction* m_menu;
    QWidget* m_window;
    ElidedLabel* m_panel;
    ElidedLabel* m_records;
    QWidget* m_box; // both panels, for the status bar
    bool m_portOpen = false;
};
