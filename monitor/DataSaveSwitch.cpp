#include "monitor/DataSaveSwitch.h"

#include "services/DataLogger.h"
#include "ui/ElidedLabel.h"
#include "ui/MsgBox.h"

#include <QAction>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

DataSaveSwitch::DataSaveSwitch(DataLogger* logger, QPushButton* button, QAction* menu,
                               QWidget* window)
    : QObject(window), m_logger(logger), m_button(button), m_menu(menu), m_window(window),
      m_panel(new ElidedLabel) {
    m_panel->setObjectName(QStringLiteral("lblSaving"));
    m_panel->setFrameShape(QFrame::StyledPanel);
    m_panel->setPreferredWidth(260);
    // Shortened rather than widening the window; the whole of it is in the tool tip's first line.
    m_records = new ElidedLabel;
    m_records->setPreferredWidth(400);
    m_records->setObjectName(QStringLiteral("lblRecords"));
    m_records->setFrameShape(QFrame::StyledPanel);
    m_records->setVisible(false);
    m_box = new QWidget;
    auto* lay = new QHBoxLayout(m_box);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(m_panel);
    lay->addWidget(m_records);
    connect(m_logger, &DataLogger::ticked, this, &DataSaveSwitch::showProgress);
    connect(m_button, &QPushButton::clicked, this, &DataSaveSwitch::btnDSave_Start_Click);
    connect(m_menu, &QAction::triggered, this, &DataSaveSwitch::mOnlineSave_Click);
    connect(m_logger, &DataLogger::stateChanged, this, &DataSaveSwitch::show);
    show();
}

QWidget* DataSaveSwitch::panel() const {
    return m_box;
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
    if (!m_logger->running()) m_records->setVisible(false);
    if (m_panel->text() == text) return;
    m_panel->setText(text);
    m_panel->setToolTip(text); // the whole text of an elided panel
    m_panel->setAccessibleName(text);
}

void DataSaveSwitch::showProgress(const QDateTime& now) {
    const DataLogger::Progress p = m_logger->progress(now);
    if (!p.since.isValid()) {
        m_records->setVisible(false);
        return;
    }
    // The panel names the station furthest behind; every station's last record is in the tip.
    const auto worse = [](const DataLogger::Progress::Station& a,
                          const DataLogger::Progress::Station& b) {
        if (a.late != b.late) return a.late;
        if (a.last.isValid() != b.last.isValid()) return !a.last.isValid();
        return a.last < b.last;
    };
    const auto behind = std::min_element(p.stations.begin(), p.stations.end(), worse);
    QString text =
        tr("Since %1: %n records today", nullptr, p.today).arg(DataLogger::timeText(p.since, now));
    if (behind != p.stations.end())
        text += tr(", MC %1 last %2")
                    .arg(behind->mcNo)
                    .arg(behind->last.isValid() ? DataLogger::timeText(behind->last, now)
                                                : QStringLiteral("-"));
    const QString tip = text + QLatin1Char('\n') + DataLogger::progressText(p).shown;
    const bool late = p.anyLate();
    if (m_records->text() != text) {
        m_records->setText(text);
        m_records->setAccessibleName(text);
    }
    if (m_records->toolTip() != tip) m_records->setToolTip(tip);
    if (m_records->property("late").toBool() != late || m_records->isHidden()) {
        m_records->setProperty("late", late);
        m_records->setStyleSheet(late ? QStringLiteral("color: white; background: rgb(200, 0, 0);")
                                      : QString());
    }
    m_records->setVisible(true);
}
