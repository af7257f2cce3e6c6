#include "monitor/MainStatusBar.h"

#include "monitor/Lamp.h"
#include "ui/ElidedLabel.h"

#include <QEvent>
#include <algorithm>

MainStatusBar::MainStatusBar(QWidget* saving, QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 5; ++i) {
        auto* l = new ElidedLabel;
        l->setObjectName(QStringLiteral("StatusBar1_Panel%1").arg(i + 1));
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(i == 3 ? 120 : 40);
        l->setPreferredWidth(i == 0 ? 200 : 110);
        m_panel[static_cast<size_t>(i)] = l;
        addWidget(l, i == 3 ? 1 : 0);
    }
    addPermanentWidget(saving);
    m_lblPublish = new QLabel;
    m_lblPublish->setObjectName(QStringLiteral("lblPublish"));
    m_lblPublish->setFrameShape(QFrame::StyledPanel);
    m_lblPublish->setVisible(false);
    addPermanentWidget(m_lblPublish);
    auto* alarms = new ElidedLabel; // never widens the window past a small screen
    alarms->setPreferredWidth(200);
    m_lblAlarms = alarms;
    m_lblAlarms->setObjectName(QStringLiteral("lblAlarms"));
    m_lblAlarms->setFrameShape(QFrame::StyledPanel);
    m_lblAlarms->setStyleSheet(QStringLiteral("color: white; background: rgb(200, 0, 0);"));
    m_lblAlarms->setVisible(false);
    m_lblAlarms->setCursor(Qt::PointingHandCursor);
    m_lblAlarms->installEventFilter(this);
    addPermanentWidget(m_lblAlarms);
    //: lamp of the status bar: Send
    m_shpSend = new Lamp(tr("S"));
    m_shpSend->setObjectName(QStringLiteral("shpSend"));
    m_shpSend->setMeaning(tr("a request is being sent"));
    //: lamp of the status bar: Receive
    m_shpRecv = new Lamp(tr("R"));
    m_shpRecv->setObjectName(QStringLiteral("shpRecv"));
    m_shpRecv->setMeaning(tr("a reply is coming in"));
    for (Lamp* l : {m_shpSend, m_shpRecv}) {
        l->setMinimumSize(22, 18);
        l->setLit(true);
        addPermanentWidget(l);
    }
}

void MainStatusBar::showPanel(int i, const QString& text) {
    if (i < 1 || i > 5) return;
    QLabel* l = m_panel[static_cast<size_t>(i - 1)];
    l->setText(text);
    l->setToolTip(text);
}

void MainStatusBar::showLamps(bool sending, bool receiving) {
    m_shpSend->setColor(sending ? kRed : kBlack);
    m_shpRecv->setColor(receiving ? kGreen : kBlack);
}

void MainStatusBar::showPublishing(const QString& text) {
    m_lblPublish->setText(text);
    m_lblPublish->setAccessibleName(text);
    m_lblPublish->setVisible(!text.isEmpty());
}

void MainStatusBar::showAlarms(int unacknowledged) {
    const QString text = tr("Alarms: %n not acknowledged", nullptr, unacknowledged);
    m_lblAlarms->setText(text);
    // Whole where it can be, the count included: the other panels give way to it.
    m_lblAlarms->setMinimumWidth(
        std::min(m_lblAlarms->fontMetrics().horizontalAdvance(text) + 8, 200));
    m_lblAlarms->setAccessibleName(text);
    m_lblAlarms->setToolTip(text);
    m_lblAlarms->setVisible(unacknowledged > 0);
}

bool MainStatusBar::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_lblAlarms && e->type() == QEvent::MouseButtonRelease) emit alarmsClicked();
    return QStatusBar::eventFilter(watched, e);
}
