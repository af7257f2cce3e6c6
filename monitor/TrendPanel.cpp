#include "monitor/TrendPanel.h"

#include "link/mdlKX5.h"
#include "monitor/TrendChart.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

TrendPanel::TrendPanel(QWidget* parent) : QWidget(parent) {
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    m_chart = new TrendChart;
    m_chart->setMinimumHeight(150); // room for the rest on a 600-pixel screen
    m_chart->setAccessibleName(tr("Trend graph"));
    lay->addWidget(m_chart, 1);

    m_controls = new QWidget(this);
    m_controls->setObjectName(QStringLiteral("fraGraphControls"));
    auto* controls = new QHBoxLayout(m_controls);
    controls->setContentsMargins(0, 0, 0, 0);
    controls->setSpacing(4);
    // G, as the menu's Ctrl+G: S is the Setup menu's and the data-save button's.
    m_btnStart = new QPushButton(tr("Start &Graph"));
    m_btnStart->setObjectName(QStringLiteral("btnStart"));
    connect(m_btnStart, &QPushButton::clicked, this, &TrendPanel::btnStart_Click);
    controls->addWidget(m_btnStart);
    m_chb3D = new QCheckBox(tr("3D"));
    m_chb3D->setObjectName(QStringLiteral("chb3D"));
    connect(m_chb3D, &QCheckBox::clicked, this, &TrendPanel::chb3D_Click);
    controls->addWidget(m_chb3D);
    m_chbScroll = new QCheckBox(tr("Scroll"));
    m_chbScroll->setObjectName(QStringLiteral("chbScroll"));
    m_chbScroll->setChecked(m_chart->scrolling());
    connect(m_chbScroll, &QCheckBox::clicked, this, &TrendPanel::chbScroll_Click);
    controls->addWidget(m_chbScroll);
    m_txtGrpInterval = new QLineEdit(QStringLiteral("1"));
    m_txtGrpInterval->setObjectName(QStringLiteral("txtGrpInterval"));
    // Two digits: the row fits under the display on a small screen.
    m_txtGrpInterval->setMaximumWidth(
        m_txtGrpInterval->fontMetrics().horizontalAdvance(QStringLiteral("600")) + 16);
    connect(m_txtGrpInterval, &QLineEdit::textChanged, this, &TrendPanel::txtGrpInterval_Change);
    connect(m_txtGrpInterval, &QLineEdit::returnPressed, this, &TrendPanel::txtGrpInterval_Confirm);
    auto* intervalCaption = new QLabel(tr("Interval"));
    intervalCaption->setBuddy(m_txtGrpInterval);
    m_txtGrpInterval->setAccessibleName(tr("Graph interval (sec, 1~60)"));
    controls->addWidget(intervalCaption);
    controls->addWidget(m_txtGrpInterval);
    controls->addWidget(new QLabel(tr("sec (1~60)")));
    controls->addStretch(1);
    lay->addWidget(m_controls); // until the window places it
}

void TrendPanel::sample(const Reading& selected, const QTime& now) {
    if (mGrpRun && selected.stored && selected.fresh) {
        if (mGrpCount == 0) ResetGraph();
        ++mGrpCount;
        AddGraphPoint(selected, now);
    }
    if (!mGrpRun) mGrpCount = 0;
}

void TrendPanel::showFreshness(const StationValues* selected) {
    QString note;
    if (!selected || !selected->storedAt.isValid())
        note = tr("No values yet");
    else if (!selected->fresh && m_chart->pointCount() > 0) // an empty graph claims no time
        note = tr("No new values since %1")
                   .arg(selected->storedAt.time().toString(QStringLiteral("HH:mm:ss")));
    m_chart->setStaleNote(note);
}

void TrendPanel::goOnline() {
    mGrpCount = 0;
    // A graph the user left running comes back by itself after a reopen, lost port or not:
    // a button that reads Stop over a graph that never draws would look like a dead trend.
    mGrpRun = m_graphStopOffered;
    ResetGraph();
}

void TrendPanel::restart() {
    mGrpCount = 0;
    ResetGraph();
}

void TrendPanel::SetupGraph() {
    m_chart->setupTitles();
}

void TrendPanel::ResetGraph() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_chart->clear();
    SetupGraph();
    QApplication::restoreOverrideCursor();
}

void TrendPanel::AddGraphPoint(const Reading& selected, const QTime& now) {
    const int n = mGrpCount;
    if (n < 1) return;
    const double sv = selected.sv, pv = selected.pv, mv = selected.mv;
    if (n == 1) {
        m_chart->truncate(0); // the reset's zero points give way to the first sample
        m_chart->setPoint(0, sv, pv, mv, now.addSecs(-1));
    } else {
        m_chart->truncate(n);
    }
    m_chart->setPoint(n, sv, pv, mv, now);
    m_chart->showUpTo(n);
}

void TrendPanel::btnStart_Click() {
    m_graphStopOffered = !m_graphStopOffered;
    m_btnStart->setText(m_graphStopOffered ? tr("Stop &Graph") : tr("Start &Graph"));
    if (m_graphStopOffered) restart();
    mGrpRun = m_graphStopOffered;
}

void TrendPanel::startGraph() {
    if (mGrpRun) return;
    if (m_graphStopOffered) btnStart_Click(); // the button still offers Stop from before
    btnStart_Click();
}

void TrendPanel::chb3D_Click() {
    m_chart->set3D(m_chb3D->isChecked());
}

void TrendPanel::chbScroll_Click() {
    m_chart->setScrolling(!m_chart->scrolling());
}

void TrendPanel::txtGrpInterval_Change() {
    const double v = val(m_txtGrpInterval->text());
    if (v < 1)
        m_txtGrpInterval->setText(QStringLiteral("1"));
    else if (v > 60)
        m_txtGrpInterval->setText(QStringLiteral("60"));
}

void TrendPanel::txtGrpInterval_Confirm() {
    const qint64 ms = roundHalfEven(val(m_txtGrpInterval->text()) * 1000.0);
    emit intervalConfirmed(static_cast<int>(std::clamp<qint64>(ms, 1000, 60000)));
}
