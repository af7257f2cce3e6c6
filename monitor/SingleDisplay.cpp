#include "monitor/SingleDisplay.h"

#include "link/Request.h"
#include "link/mdlKX5.h"
#include "monitor/Lamp.h"
#include "monitor/StaleLook.h"
#include "services/LinkWords.h"
#include "ui/GridModel.h"
#include "ui/MsgBox.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr Bgr kKeyOn = rgb(255, 0, 0);
constexpr Bgr kKeyOff = rgb(192, 192, 255);

// Writes a label only when its text differs, so a steady value costs no repaint.
void setTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

// Grey for a value that is no longer current, the desktop's own text colour otherwise.
void setInk(QLabel* label, bool fresh) {
    const QColor ink = fresh ? QApplication::palette(label).color(QPalette::WindowText)
                             : toQColor(StaleLook::kText);
    if (label->palette().color(QPalette::WindowText) == ink) return;
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, ink);
    label->setPalette(p);
}

QLabel* named(QLabel* l, const char* name) {
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

SingleDisplay::SingleDisplay(RequestSink* sink, ParamRead param, QWidget* parent)
    : QWidget(parent), m_sink(sink), m_param(std::move(param)) {
    setObjectName(QStringLiteral("picSingle"));
    auto* lay = new QGridLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);

    QFont big = font();
    big.setPointSize(24);
    big.setBold(true);
    auto figure = [&](const char* name) {
        auto* l = named(new QLabel, name);
        l->setFont(big);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // The widest reading a controller sends, with the frame: a narrow display column.
        l->setMinimumWidth(QFontMetrics(big).horizontalAdvance(QStringLiteral("-1999.9")) + 12);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        return l;
    };
    m_lblPV = figure("lblPV");
    m_lblSV = figure("lblSV");
    m_lblMV = figure("lblMV");
    for (int i = 0; i < 2; ++i) {
        auto* u = new QLabel;
        u->setObjectName(QStringLiteral("lblUnit_%1").arg(i));
        QFont f = font();
        f.setPointSize(16);
        u->setFont(f);
        int unitWidth = 0; // the widest of the units shown
        for (const QString& unit : {QStringLiteral("\u2103"), QStringLiteral("\u2109"),
                                    QStringLiteral("\u33B7"), QStringLiteral("%")})
            unitWidth = qMax(unitWidth, QFontMetrics(f).horizontalAdvance(unit));
        u->setMinimumWidth(unitWidth + 4);
        m_lblUnit[static_cast<size_t>(i)] = u;
    }
    //: controller mnemonics, the same in every language
    const char* const figureCaption[3] = {QT_TR_NOOP("PV"), QT_TR_NOOP("SV"), QT_TR_NOOP("MV")};
    QLabel* const figures[3] = {m_lblPV, m_lblSV, m_lblMV};
    for (int i = 0; i < 3; ++i) {
        auto* caption = new QLabel(tr(figureCaption[i]));
        caption->setBuddy(figures[i]);
        figures[i]->setAccessibleName(caption->text());
        lay->addWidget(caption, i, 0);
        lay->addWidget(figures[i], i, 1);
    }
    m_lblUnit[0]->setAccessibleName(tr("PV unit"));
    m_lblUnit[1]->setAccessibleName(tr("SV unit"));
    lay->addWidget(m_lblUnit[0], 0, 2);
    lay->addWidget(m_lblUnit[1], 1, 2);
    m_lblMVUnit = named(new QLabel, "lblUnit_MV");
    m_lblMVUnit->setFont(m_lblUnit[0]->font());
    m_lblMVUnit->setMinimumWidth(m_lblUnit[0]->minimumWidth());
    lay->addWidget(m_lblMVUnit, 2, 2);

    // Lamps beside the figures, two to a row, so that the display is a short, narrow column
    // and the trend beside it has the window's whole height.
    auto* lamps = new QGridLayout;
    lamps->setSpacing(2);
    int placed = 0;
    auto lamp = [&](const QString& name, const char* caption, const char* meaning) {
        auto* l = new Lamp(tr(caption));
        l->setObjectName(name);
        l->setMeaning(tr(meaning));
        lamps->addWidget(l, placed / 2, placed % 2);
        ++placed;
        return l;
    };
    // Lamp captions are the controller's own mnemonics: the same in every language.
    m_shpAL[0] = lamp(QStringLiteral("shpAL_0"), QT_TR_NOOP("AL1"), QT_TR_NOOP("alarm 1 is on"));
    m_shpAL[1] = lamp(QStringLiteral("shpAL_1"), QT_TR_NOOP("AL2"), QT_TR_NOOP("alarm 2 is on"));
    m_shpSV[0] =
        lamp(QStringLiteral("shpSV_0"), QT_TR_NOOP("SV2"), QT_TR_NOOP("set value 2 is in use"));
    m_shpSV[1] =
        lamp(QStringLiteral("shpSV_1"), QT_TR_NOOP("SV3"), QT_TR_NOOP("set value 3 is in use"));
    m_shpAT = lamp(QStringLiteral("shpAT"), QT_TR_NOOP("AT"), QT_TR_NOOP("auto-tuning is running"));
    m_shpOUT =
        lamp(QStringLiteral("shpOUT"), QT_TR_NOOP("OUT"), QT_TR_NOOP("the output is above 0 %"));
    const char* const errCaption[5] = {QT_TR_NOOP("PV BOUT"), QT_TR_NOOP("RJC ERR"),
                                       QT_TR_NOOP("PV POVR"), QT_TR_NOOP("PV MOVR"),
                                       QT_TR_NOOP("AT ERR")};
    const char* const errMeaning[5] = {
        QT_TR_NOOP("input burn-out (sensor open)"),
        QT_TR_NOOP("reference junction compensation error"), QT_TR_NOOP("PV above the input range"),
        QT_TR_NOOP("PV below the input range"), QT_TR_NOOP("auto-tuning failed")};
    for (int i = 0; i < 5; ++i)
        m_shpERR[static_cast<size_t>(i)] =
            lamp(QStringLiteral("shpERR_%1").arg(i), errCaption[i], errMeaning[i]);
    lay->addLayout(lamps, 0, 3, 3, 1);

    auto* keys = new QHBoxLayout;
    // The recorder's keys, named as on its front panel.
    const char* const keyCaption[5] = {QT_TR_NOOP("Print"), QT_TR_NOOP("Text"), QT_TR_NOOP("List"),
                                       QT_TR_NOOP("Feed"), QT_TR_NOOP("Zoom")};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QPushButton(tr(keyCaption[i]));
        b->setObjectName(QStringLiteral("btnPrint_%1").arg(i));
        b->setSizePolicy(QSizePolicy::Minimum,
                         QSizePolicy::Fixed); // never narrower than its caption
        connect(b, &QPushButton::clicked, this, [this, i] { btnPrint_Click(i); });
        m_btnPrint[static_cast<size_t>(i)] = b;
        setKeyColor(i, kKeyOff);
        keys->addWidget(b);
    }
    auto* speed = new QHBoxLayout;
    auto* spdCaption = new QLabel(tr("Print Speed "));
    speed->addWidget(spdCaption);
    m_lblSPD = named(new QLabel, "lblSPD");
    m_lblSPD->setFrameShape(QFrame::Panel);
    m_lblSPD->setFrameShadow(QFrame::Sunken);
    m_lblSPD->setMinimumWidth(50);
    m_lblSPD->setCursor(Qt::PointingHandCursor);
    // Reached with Tab and changed with Return or Space, as a click changes it.
    m_lblSPD->setFocusPolicy(Qt::StrongFocus);
    m_lblSPD->setAccessibleName(tr("Print Speed"));
    m_lblSPD->setAccessibleDescription(tr("24 to 900; Return to change"));
    m_lblSPD->setToolTip(tr("Click or press Return to change"));
    spdCaption->setBuddy(m_lblSPD);
    m_lblSPD->installEventFilter(this);
    speed->addWidget(m_lblSPD);
    m_txtSPD = new QLineEdit;
    m_txtSPD->setObjectName(QStringLiteral("txtSPD"));
    m_txtSPD->setAccessibleName(tr("Print Speed"));
    m_txtSPD->setMaximumWidth(70);
    m_txtSPD->hide();
    connect(m_txtSPD, &QLineEdit::returnPressed, this,
            [this] { txtSPD_Confirm(m_txtSPD->text()); });
    // Leaving the entry without confirming it gives the label back, nothing is sent.
    connect(m_txtSPD, &QLineEdit::editingFinished, this, [this] {
        if (m_txtSPD->isHidden()) return;
        m_txtSPD->hide();
        m_lblSPD->show();
    });
    speed->addWidget(m_txtSPD);
    speed->addWidget(new QLabel(QStringLiteral("(24~900)")));
    speed->addStretch(1);
    // The recorder's keys and speed under the figures and lamps, a row each.
    lay->addLayout(keys, 3, 0, 1, 4);
    lay->addLayout(speed, 4, 0, 1, 4);
    lay->setRowStretch(5, 1); // what height is left goes below, not between the rows
}

bool SingleDisplay::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_lblSPD && e->type() == QEvent::MouseButtonRelease) lblSPD_Click();
    if (watched == m_lblSPD && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            lblSPD_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void SingleDisplay::setKeyColor(int index, Bgr color) {
    QPushButton* b = m_btnPrint[static_cast<size_t>(index)];
    const QVariant now = b->property("keyColor");
    if (now.isValid() && now.toUInt() == color) return;
    b->setProperty("keyColor", color);
    // A border of its own makes the style draw the fill flat, without the bevel's gradient;
    // black text stays readable on both colours under any desktop palette.
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black;"
                                    " border: 1px solid #606060; border-radius: 3px;"
                                    " padding: 4px 10px; min-width: 36px; }"
                                    " QPushButton:pressed { border: 2px solid black; }")
                         .arg(toQColor(color).name()));
}

void SingleDisplay::setLamp(Lamp* lamp, bool on, bool fresh) {
    lamp->setLit(on);
    lamp->setColor(fresh ? kRed : StaleLook::kLamp);
}

void SingleDisplay::showReading(const Reading& r) {
    // Nothing read yet: no figure, no unit, no lamp; a zero here would be a value never sent.
    if (!r.stored) {
        for (QLabel* l : {m_lblPV, m_lblSV, m_lblMV, m_lblUnit[0], m_lblUnit[1], m_lblMVUnit})
            setTextIfChanged(l, QString());
        for (Lamp* l : findChildren<Lamp*>())
            l->setLit(false);
        for (int k = 0; k < 3; ++k)
            setKeyColor(k, kKeyOff);
        return;
    }
    // A temperature input with an unknown unit code keeps the unit shown.
    for (QLabel* l : m_lblUnit)
        if (!r.unit.isEmpty()) setTextIfChanged(l, r.unit);
    setTextIfChanged(m_lblPV, r.pvText());
    setTextIfChanged(m_lblSV, r.svText());
    setTextIfChanged(m_lblMV, r.mvText());
    setTextIfChanged(m_lblMVUnit, QStringLiteral("%"));
    for (QLabel* l : {m_lblPV, m_lblSV, m_lblMV, m_lblUnit[0], m_lblUnit[1], m_lblMVUnit})
        setInk(l, r.fresh);
    setLamp(m_shpAL[0], r.lit(StatusLamp::AL1), r.fresh);
    setLamp(m_shpAL[1], r.lit(StatusLamp::AL2), r.fresh);
    setLamp(m_shpAT, r.lit(StatusLamp::AT), r.fresh);
    setLamp(m_shpOUT, r.out(), r.fresh);
    setLamp(m_shpSV[0], r.svNo == 2, r.fresh);
    setLamp(m_shpSV[1], r.svNo == 3, r.fresh);
    const StatusLamp errs[] = {StatusLamp::PvBout, StatusLamp::RjcErr, StatusLamp::PvPovr,
                               StatusLamp::PvMovr, StatusLamp::AtErr};
    for (size_t k = 0; k < m_shpERR.size(); ++k)
        setLamp(m_shpERR[k], r.lit(errs[k]), r.fresh);
    for (int k = 0; k < 3; ++k)
        setKeyColor(k, r.keyModes[size_t(k)] ? kKeyOn : kKeyOff);
}

void SingleDisplay::showRecorder() {
    for (int k : {1, 2, 4})
        setKeyColor(k, m_param(501 + k).value_or(0) > 0 ? kKeyOn : kKeyOff);
    const std::optional<int> speed = m_param(506);
    setTextIfChanged(m_lblSPD, speed ? QString::number(*speed) : QString());
}

void SingleDisplay::requestWrite(int reg, int value) {
    const RequestReply reply =
        m_sink->request(Request::writeOne(m_sink->selectedMcNo(), reg, value));
    // A box, not a status panel: the user pressed a key and is looking for its effect.
    if (!reply.taken)
        MsgBox(this, window()->windowTitle(), LinkWords::refusal(reply), QMessageBox::Ok,
               QMessageBox::Warning);
}

void SingleDisplay::btnPrint_Click(int index) {
    if (index < 0 || index > 4) return;
    const int reg = 501 + index;
    int value = 1;
    if (index == 1 || index == 2 || index == 4) value = m_param(reg).value_or(0) > 0 ? 0 : 1;
    requestWrite(reg, value);
}

void SingleDisplay::lblSPD_Click() {
    m_txtSPD->setText(m_lblSPD->text());
    m_lblSPD->hide();
    m_txtSPD->show();
    m_txtSPD->setFocus();
    m_txtSPD->selectAll();
}

void SingleDisplay::txtSPD_Confirm(const QString& text) {
    QString limited = text;
    const double v = val(text);
    if (v < 24)
        limited = QStringLiteral("24");
    else if (v > 900)
        limited = QStringLiteral("900");
    m_lblSPD->show();
    if (m_txtSPD->hasFocus()) m_lblSPD->setFocus(); // the keyboard user stays where they were
    m_txtSPD->hide();
    requestWrite(506, cInt(limited));
}
