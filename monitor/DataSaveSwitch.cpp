#include "monitor/DataSaveSwitch.h"

#include "monitor/DataLogger.h"
#include "ui/ElidedLabel.h"
#include "ui/MsgBox.h"

#include <QAction>
#include <QPushButton>

DataSaveSwitch::DataSaveSwitch(DataLogger* logger, QPushButton* button, QAction* menu,
                               QWidget* window)
    : QObject(window), m_logger(logger), m_button(button), m_menu(menu), m_window(window),
      m_panel(new ElidedLabel) {
    m_panel->setObjectName(QStringLiteral("lblSaving"));
    m_panel->setFrameShape(QFrame::StyledPanel);
    m_panel->setPreferredWidth(260);
    connect(m_button, &QPushButton::clicked, this, &DataSaveSwitch::btnDSave_Start_Click);
    connect(m_menu, &QAction::triggered, this, &DataSaveSwitch::mOnlineSave_Click);
    connect(m_logger, &DataLogger::stateChanged, this, &DataSaveSwitch::show);
    show();
}

QWidget* DataSaveSwitch::panel() const {
    return m_panel;
}

void DataSaveSwitch::btnDSave_Start_Click() {
    mOnlineSave_Click();
}

void DataSaveSwitch::setPortOpen(bool open) {
    m_portOpen = open;
    show();
}

void DataSaveSwitch::mOnlineSave_Click() {
    if (!m_button->isEnabled()) return;
    if (m_logger->switchedOn() &&
        MsgBox(m_window, tr("Stop Saving"),
               tr("Stop data saving?\nNo records go to %1 until saving is started again.")
                   .arg(m_logger->settings().filesPattern()),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) != QMessageBox::Yes)
        return;
    m_logger->setRunning(!m_logger->switchedOn());
}

void DataSaveSwitch::show() {
    // No key letter on Stop, and the menu's key only starts: a key pressed by habit must never
    // end the saving. Alt+S is the Setup menu's, so the button's letter is V, as the menu's.
    const bool on = m_logger->switchedOn();
    m_button->setText(on ? tr("Stop Save") : tr("Start Sa&ve"));
    m_menu->setText(on ? tr("Stop Sa&ving...") : tr("Start Sa&ve"));
    m_menu->setShortcut(on ? QKeySequence() : QKeySequence(Qt::CTRL | Qt::Key_S));
    m_menu->setEnabled(m_button->isEnabled());
    // "Saving" only while records can be made: switched on, allowed, and the port online.
    const QString text = !m_logger->running() ? tr("Not saving")
                         : m_portOpen ? tr("Saving to %1").arg(m_logger->settings().filesPattern())
                                      : tr("Not saving: the port is closed");
    if (m_panel->text() == text) return;
    m_panel->setText(text);
    m_panel->setToolTip(text); // the whole text of an elided panel
    m_panel->setAccessibleName(text);
}
