// Data saving switched on and off: by btnDSave_Start and by the menu item, both asking before
// they stop, and by the menu's key, which only ever starts. Each switch is an event; a status-bar
// panel always says whether saving runs and where the records go.
#pragma once

#include <QObject>

class DataLogger;
class ElidedLabel;
class QAction;
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

private:
    DataLogger* m_logger;
    QPushButton* m_button;
    QAction* m_menu;
    QWidget* m_window;
    ElidedLabel* m_panel;
    bool m_portOpen = false;
};
