#include "monitor/DataSaveSwitch.h"

#include "link/mdlKX5.h"
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
    show();
}

QWidget* DataSaveSwitch::panel() const {
    return m_panel;
}

void DataSaveSwitch::btnDSave_Start_Click() {
    setSaving(!gDSaveRun);
}

void DataSaveSwitch::mOnlineSave_Click() {
    if (!m_button->isEnabled()) return;
    if (gDSaveRun &&
        MsgBox(m_window, tr("Stop Saving"),
               tr("Stop data saving?\nNo records go to %1 until saving is started again.")
                   .arg(DataLogger::filesPattern()),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) != QMessageBox::Yes)
        return;
    setSaving(!gDSaveRun);
}

void DataSaveSwitch::setSaving(bool on) {
    m_logger->setRunning(on);
    show();
}

void DataSaveSwitch::show() {
    // No key letter on Stop, and the menu's key only starts: a key pressed by habit must never
    // end the saving.
    m_button->setText(gDSaveRun ? tr("Stop Save") : tr("Start &Save"));
    m_menu->setText(gDSaveRun ? tr("Stop Sa&ving...") : tr("Start Sa&ve"));
    m_menu->setShortcut(gDSaveRun ? QKeySequence() : QKeySequence(Qt::CTRL | Qt::Key_S));
    m_menu->setEnabled(m_button->isEnabled());
    const QString text = DataLogger::running() ? tr("Saving to %1").arg(DataLogger::filesPattern())
                                               : tr("Not saving");
    if (m_panel->text() == text) return;
    m_panel->setText(text);
    m_panel->setToolTip(text); // the whole text of an elided panel
    m_panel->setAccessibleName(text);
}
