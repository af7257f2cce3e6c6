#include "params/frmKX5_AlarmCode.h"

#include "params/frmKX5_P_ALM.h"
#include "ui/ViewKeys.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPicW = 96;
constexpr int kPicH = 58;

// Where the output is on along the PV axis. Codes 1 to 6 are the six shapes (deviation high,
// low, high or low, inside the band; absolute high, low), as kx5sim implements them; 7 to 12
// add standby (S), 13 to 18 latch (L), 19 and 20 both, to the first shapes.
enum class Shape { High, Low, Outside, Inside, AbsoluteHigh, AbsoluteLow };
constexpr int kShapes = 6;

void drawAxis(QPainter& p, int y, int x0, int x1) {
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(x0, y, x1, y);
    p.drawLine(x1 - 4, y - 3, x1, y);
    p.drawLine(x1 - 4, y + 3, x1, y);
}

} // namespace

QPixmap frmKX5_AlarmCode::alarmPicture(int code) {
    QPixmap pm(kPicW, kPicH);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    QFont f = p.font();
    f.setBold(true);
    f.setPointSize(11);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(4, 2, 30, 18), Qt::AlignLeft | Qt::AlignVCenter, QString::number(code));

    const int shape = (code - 1) % kShapes, variant = (code - 1) / kShapes;
    QFont small = p.font();
    small.setPointSize(7);
    small.setBold(false);
    p.setFont(small);
    const QString tag = QStringList{"", "S", "L", "S L"}.value(variant);
    if (!tag.isEmpty())
        p.drawText(QRect(kPicW - 34, 2, 30, 14), Qt::AlignRight | Qt::AlignVCenter, tag);

    const int x0 = 6, x1 = kPicW - 6, mid = kPicW / 2, yOn = 22, yOff = 38, yAxis = 44;
    drawAxis(p, yAxis, x0, x1);
    // SV marker for the deviation shapes; a fixed point for the absolute one.
    p.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    p.drawLine(mid, 18, mid, yAxis);
    p.setPen(Qt::darkGray);
    p.drawText(QRect(mid - 14, yAxis + 1, 28, kPicH - yAxis - 3), Qt::AlignCenter,
               shape >= int(Shape::AbsoluteHigh) ? QStringLiteral("A") : QStringLiteral("SV"));

    // The output: low (off) or high (on) along the axis, on in red.
    const int a = mid - 18, b = mid + 18;
    std::vector<std::pair<int, bool>> steps; // x where the state starts, on?
    switch (Shape(shape)) {
    case Shape::High:
        steps = {{x0, false}, {b, true}};
        break;
    case Shape::Low:
        steps = {{x0, true}, {a, false}};
        break;
    case Shape::Outside:
        steps = {{x0, true}, {a, false}, {b, true}};
        break;
    case Shape::Inside:
        steps = {{x0, false}, {a, true}, {b, false}};
        break;
    case Shape::AbsoluteHigh:
        steps = {{x0, false}, {mid, true}};
        break;
    case Shape::AbsoluteLow:
        steps = {{x0, true}, {mid, false}};
        break;
    }
    for (size_t i = 0; i < steps.size(); ++i) {
        const int from = steps[i].first;
        const int to = i + 1 < steps.size() ? steps[i + 1].first : x1 - 6;
        const bool on = steps[i].second;
        p.setPen(QPen(on ? QColor(220, 0, 0) : QColor(0, 0, 160), 2));
        p.drawLine(from, on ? yOn : yOff, to, on ? yOn : yOff);
        if (i + 1 < steps.size()) p.drawLine(to, yOn, to, yOff);
    }
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.drawRect(0, 0, kPicW - 1, kPicH - 1);
    return pm;
}

frmKX5_AlarmCode::frmKX5_AlarmCode(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmKX5_AlarmCode"));
    setWindowTitle(tr("Alarm Code"));

    vaSpread1 = new QTableWidget(kRows, kCols, this);
    vaSpread1->setObjectName(QStringLiteral("vaSpread1"));
    vaSpread1->setAccessibleName(tr("Alarm types 1 to 20"));
    vaSpread1->horizontalHeader()->hide();
    vaSpread1->verticalHeader()->hide();
    vaSpread1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vaSpread1->setSelectionMode(QAbstractItemView::NoSelection);
    keyboardLikeMouse(vaSpread1); // arrows to a picture, Return or Space picks it
    vaSpread1->setIconSize(QSize(kPicW, kPicH));
    vaSpread1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vaSpread1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < kRows; ++r) {
        vaSpread1->setRowHeight(r, kPicH + 6);
        for (int c = 0; c < kCols; ++c) {
            const int code = r * kCols + c + 1;
            auto* item = new QTableWidgetItem;
            item->setData(Qt::DecorationRole, alarmPicture(code));
            const QString name = tr("Alarm type %1").arg(code);
            item->setData(Qt::AccessibleTextRole, name);
            item->setToolTip(name);
            vaSpread1->setItem(r, c, item);
        }
    }
    for (int c = 0; c < kCols; ++c)
        vaSpread1->setColumnWidth(c, kPicW + 8);
    vaSpread1->setFixedSize(kCols * (kPicW + 8) + 2 * vaSpread1->frameWidth(),
                            kRows * (kPicH + 6) + 2 * vaSpread1->frameWidth());
    connect(vaSpread1, &QTableWidget::cellClicked, this,
            [this](int row, int col) { vaSpread1_Click(col + 1, row + 1); });

    //: The controller's own words for codes 0 and 21: kept as its front panel shows them.
    btnAlarmOff = new QPushButton(tr("0. OFF"), this);
    btnAlarmOff->setObjectName(QStringLiteral("btnAlarmOff"));
    //: The controller's own words for codes 0 and 21: kept as its front panel shows them.
    btnCode21 = new QPushButton(tr("21. HBA"), this);
    btnCode21->setObjectName(QStringLiteral("btnCode21"));
    connect(btnAlarmOff, &QPushButton::clicked, this, &frmKX5_AlarmCode::btnAlarmOff_Click);
    connect(btnCode21, &QPushButton::clicked, this, &frmKX5_AlarmCode::btnCode21_Click);

    // The key to the pictures.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    {
        //: The key under the alarm pictures: the red line (output on).
        const QString on = tr("on");
        //: The key under the alarm pictures: the blue line (output off).
        const QString off = tr("off");
        const QString marks = tr("S standby, L latch");
        // Laid out by the words' widths in the font in use, so no language cuts them.
        const QFontMetrics fm = Image1->fontMetrics();
        const int offAt = 28 + fm.horizontalAdvance(on) + 10;
        const int marksAt = offAt + 24 + fm.horizontalAdvance(off) + 12;
        QPixmap key(marksAt + fm.horizontalAdvance(marks) + 4, qMax(22, fm.height() + 4));
        key.fill(palette().window().color());
        QPainter p(&key);
        p.setFont(Image1->font());
        const int mid = key.height() / 2, base = mid + fm.ascent() / 2 - 1;
        p.setPen(QPen(QColor(220, 0, 0), 2));
        p.drawLine(4, mid, 24, mid);
        p.setPen(Qt::black);
        p.drawText(28, base, on);
        p.setPen(QPen(QColor(0, 0, 160), 2));
        p.drawLine(offAt, mid, offAt + 20, mid);
        p.setPen(Qt::black);
        p.drawText(offAt + 24, base, off);
        p.drawText(marksAt, base, marks);
        Image1->setPixmap(key);
    }
    lblRow = new QLabel(tr("Click a picture to choose its alarm type."), this);
    lblRow->setObjectName(QStringLiteral("lblRow"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(btnAlarmOff);
    bottom->addWidget(btnCode21);
    bottom->addStretch();
    bottom->addWidget(Image1);
    auto* top = new QVBoxLayout(this);
    top->addWidget(lblRow);
    top->addWidget(vaSpread1);
    top->addLayout(bottom);
    setFixedSize(sizeHint());
}

void frmKX5_AlarmCode::choose(int code) {
    m_code = code;
    accept();
}

void frmKX5_AlarmCode::vaSpread1_Click(int col, int row) {
    if (col < 1 || col > kCols || row < 1 || row > kRows) return;
    choose((row - 1) * kCols + col);
}

void frmKX5_AlarmCode::btnAlarmOff_Click() {
    choose(0);
}

void frmKX5_AlarmCode::btnCode21_Click() {
    choose(21);
}
