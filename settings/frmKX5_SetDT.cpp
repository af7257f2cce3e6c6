#include "settings/frmKX5_SetDT.h"

#include "link/Request.h"
#include "link/mdlKX5.h"
#include "services/LinkWords.h"
#include "ui/GridView.h"
#include "ui/MsgBox.h"
#include "ui/TestSeams.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr Bgr kLightMagenta = rgb(0xFF, 0xC0, 0xFF);
const QDate kFirstDate(1990, 1, 1);
const QDate kLastDate(2100, 12, 31);

QDateTime now() {
    const auto& clock = testSeams().clock;
    return clock ? clock() : QDateTime::currentDateTime();
}

} // namespace

bool frmKX5_SetDT::parseDate(const QString& text, QDate* date) {
    // "yyyy-M-d" also takes two-digit months and days, so "2024-2-9" and "2024-02-09" both do.
    const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("yyyy-M-d"));
    if (!d.isValid() || d < kFirstDate || d > kLastDate) return false;
    *date = d;
    return true;
}

bool frmKX5_SetDT::parseTime(const QString& text, QTime* time) {
    const QTime t = QTime::fromString(text.trimmed(), QStringLiteral("H:m:s"));
    if (!t.isValid()) return false;
    *time = t;
    return true;
}

frmKX5_SetDT::frmKX5_SetDT(RequestSink* sink, QWidget* parent,
                           std::optional<QDateTime> controllerClock)
    : QDialog(parent), m_sink(sink) {
    setObjectName(QStringLiteral("frmKX5_SetDT"));
    setWindowTitle(tr("Date Time Setting"));

    lblDT = new QLabel(this);
    lblDT->setObjectName(QStringLiteral("lblDT"));
    lblDT->setAlignment(Qt::AlignCenter);
    lblDT->setFrameShape(QFrame::StyledPanel);

    m_dt = new Grid(2, 1, this);
    m_dt->setText(1, 0, tr("Date"));
    m_dt->setText(2, 0, tr("Time"));
    m_dt->setCellKind(1, 1, Grid::CellKind::Date);
    m_dt->setRange(1, 1, QStringLiteral("1990-01-01"), QStringLiteral("2100-12-31"));
    m_dt->setCellKind(2, 1, Grid::CellKind::Time);
    m_dt->setRange(2, 1, QStringLiteral("00:00:00"), QStringLiteral("23:59:59"));
    sprdDT = new GridView(m_dt, this);
    sprdDT->setObjectName(QStringLiteral("sprdDT"));
    sprdDT->verticalHeader()->hide();
    sprdDT->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sprdDT->setFixedHeight(sprdDT->horizontalHeader()->sizeHint().height() + 24);

    btnSameDT1 = new QPushButton(this);
    btnSameDT1->setObjectName(QStringLiteral("btnSameDT1"));
    btnSameDT1->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    btnSameDT1->setAccessibleName(tr("Follow the PC clock"));
    // On shows as a pressed button filled light magenta with a dark rim: the style's own
    // button face tints a palette colour too faintly to tell the two states apart.
    btnSameDT1->setCheckable(true);
    btnSameDT1->setStyleSheet(
        QStringLiteral("QPushButton:checked { background-color: %1; border: 2px solid #800080;"
                       " border-radius: 3px; padding: 3px; }")
            .arg(toQColor(kLightMagenta).name()));
    btnSet = new QPushButton(tr("&Set"), this);
    btnSet->setObjectName(QStringLiteral("btnSet"));
    {
        QPalette p = btnSet->palette();
        p.setColor(QPalette::Button, toQColor(kLightMagenta));
        btnSet->setPalette(p);
        btnSet->setAutoFillBackground(true);
    }
    btnClose = new QPushButton(tr("&Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));

    tmrDT = new QTimer(this);
    tmrDT->setObjectName(QStringLiteral("tmrDT"));
    tmrDT->setInterval(1000);

    auto* setRow = new QHBoxLayout;
    setRow->addWidget(sprdDT, 1);
    setRow->addWidget(btnSameDT1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSet);
    buttons->addWidget(btnClose);
    auto* top = new QVBoxLayout(this);
    auto* pcCaption = new QLabel(tr("PC - Current Date Time"), this);
    pcCaption->setBuddy(lblDT);
    lblDT->setAccessibleName(pcCaption->text());
    sprdDT->setAccessibleName(tr("KX5 - Set Value"));
    top->addWidget(pcCaption);
    top->addWidget(lblDT);
    top->addWidget(new QLabel(tr("KX5 - Set Value"), this));
    top->addLayout(setRow);
    lblFrom = new QLabel(this);
    lblFrom->setObjectName(QStringLiteral("lblFrom"));
    lblFrom->setWordWrap(true);
    top->addWidget(lblFrom);
    top->addLayout(buttons);
    resize(360, 220);

    connect(tmrDT, &QTimer::timeout, this, &frmKX5_SetDT::tmrDT_Timer);
    connect(btnSameDT1, &QPushButton::clicked, this, &frmKX5_SetDT::btnSameDT1_Click);
    connect(btnSet, &QPushButton::clicked, this, &frmKX5_SetDT::btnSet_Click);
    connect(btnClose, &QPushButton::clicked, this, &frmKX5_SetDT::btnClose_Click);
    connect(this, &QDialog::finished, tmrDT, &QTimer::stop);

    showFollowState();
    const QDateTime pc = now();
    lblDT->setText(pc.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    // Set is never a format error on opening: the cells hold a moment, and the line under
    // them says whose.
    const bool fromController = controllerClock && controllerClock->isValid() &&
                                controllerClock->date() >= kFirstDate &&
                                controllerClock->date() <= kLastDate;
    const QDateTime start = fromController ? *controllerClock : pc;
    m_dt->setText(1, 1, start.toString(QStringLiteral("yyyy-MM-dd")));
    m_dt->setText(2, 1, start.toString(QStringLiteral("HH:mm:ss")));
    lblFrom->setText(fromController
                         ? tr("From the clock of MC %1 as last read.").arg(m_sink->selectedMcNo())
                         : tr("From the PC clock when this window opened."));
    // The wrapped line's height is known only now: large fonts must not push it into the cells.
    resize(size().expandedTo(sizeHint()));
    tmrDT->start();
}

void frmKX5_SetDT::tmrDT_Timer() {
    tmrDT->stop();
    // One reading for label and cells, so both show the same second.
    const QDateTime t = now();
    lblDT->setText(t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    if (m_follow) {
        m_dt->setText(1, 1, t.toString(QStringLiteral("yyyy-MM-dd")));
        m_dt->setText(2, 1, t.toString(QStringLiteral("HH:mm:ss")));
    }
    tmrDT->start();
}

void frmKX5_SetDT::btnSameDT1_Click() {
    m_follow = !m_follow;
    showFollowState();
}

void frmKX5_SetDT::showFollowState() {
    btnSameDT1->setChecked(m_follow);
    btnSameDT1->setToolTip(m_follow ? tr("Following the PC clock: click to stop")
                                    : tr("Follow the PC clock"));
}

void frmKX5_SetDT::btnSet_Click() {
    QDate d;
    QTime t;
    const bool dateOk = parseDate(m_dt->text(1, 1), &d);
    const bool timeOk = parseTime(m_dt->text(2, 1), &t);
    if (!dateOk || !timeOk) {
        // Nothing is queued: a half-valid clock would be written to the controller as is.
        // Each hint is a line of its own, its spaces unbreakable, so a range never splits; the
        // pattern's hyphens are non-breaking ones, as a line may break after "YYYY-". "DD"
        // stands apart, or lupdate would take its letters into the escape before it.
        const QString date = tr("a date from 1990-01-01 to 2100-12-31 (YYYY\u2011MM\u2011"
                                "DD)");
        const QString time = tr("a time from 00:00:00 to 23:59:59 (HH:MM:SS)");
        QStringList lines =
            (!dateOk && !timeOk ? tr("Nothing was sent. Enter\n%1 and\n%2.").arg(date, time)
                                : tr("Nothing was sent. Enter\n%1.").arg(dateOk ? time : date))
                .split(QLatin1Char('\n'));
        for (qsizetype i = 1; i < lines.size(); ++i)
            lines[i].replace(QLatin1Char(' '), QChar::Nbsp);
        MsgBox(this, windowTitle(), lines.join(QLatin1Char('\n')), QMessageBox::Ok,
               QMessageBox::Warning);
        return;
    }
    const RequestReply reply = m_sink->request(Request::clock(
        m_sink->selectedMcNo(), {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()}));
    if (!reply.taken)
        MsgBox(this, windowTitle(), LinkWords::refusal(reply), QMessageBox::Ok,
               QMessageBox::Warning);
}

void frmKX5_SetDT::btnClose_Click() {
    tmrDT->stop();
    reject();
}
