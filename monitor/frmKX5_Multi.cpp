#include "monitor/frmKX5_Multi.h"

#include "link/Cells.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"
#include "monitor/StationTableModel.h"
#include "monitor/frmD_Edit.h"
#include "services/LinkWords.h"
#include "ui/Contrast.h"
#include "ui/ElidedLabel.h"
#include "ui/Frame.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/TableSizing.h"
#include "ui/TwoRowHeaderView.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <qdrawutil.h>

namespace {

constexpr int kRowHeight = 24;
constexpr int kVisibleRowsMax = 20; // the window opens showing up to this many stations
const char* const kKeyCaption[] = {"PRINT", "TEXT", "LIST", "FEED", "ZOOM"};

// Draws the grid's button cells as push buttons in the cell's button colour, sunken while the
// mouse holds them; Space presses the current one. Other cells are drawn as usual.
class KeyDelegate : public QStyledItemDelegate {
public:
    KeyDelegate(Grid* grid, QAbstractItemView* view)
        : QStyledItemDelegate(view), m_grid(grid), m_view(view) {
        view->viewport()->installEventFilter(this);
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int col = index.column() + 1, row = index.row() + 1;
        if (m_grid->cellKind(col, row) != Grid::CellKind::Button) {
            QStyledItemDelegate::paint(p, option, index);
            return;
        }
        p->fillRect(option.rect, toQColor(frmKX5_Multi::rowColor(row)));
        // A raised bevel around a flat face, so the face shows the key's colour exactly
        // (styles shade their own faces, which turns red into pink).
        const QRect r = option.rect.adjusted(2, 2, -2, -2);
        const bool sunken = index == m_pressed;
        const auto c = m_grid->buttonColor(col, row);
        const QBrush face(c ? toQColor(*c) : option.palette.color(QPalette::Button));
        qDrawWinButton(p, r, option.palette, sunken, &face);
        const auto ink = m_grid->foreColor(col, row);
        // A live key's caption reads on its face in any palette (black would vanish on a dark
        // desktop's keys); a dead key's grey is meant to recede.
        QColor pen = ink ? toQColor(*ink)
                         : (face.color().lightness() > 110 ? QColor(Qt::black) : QColor(Qt::white));
        if (!ink || *ink == kBlack) pen = readableOn(pen, face.color());
        p->setPen(pen);
        p->setFont(option.font);
        p->drawText(r.translated(sunken ? 1 : 0, sunken ? 1 : 0), Qt::AlignCenter,
                    m_grid->text(col, row));
        // The key Space would press, reached by Tab, shows it.
        if (option.state & QStyle::State_HasFocus) {
            p->setPen(QPen(p->pen().color(), 1, Qt::DotLine));
            p->drawRect(r.adjusted(3, 3, -4, -4));
        }
    }

    bool editorEvent(QEvent* e, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        const int col = index.column() + 1, row = index.row() + 1;
        if (m_grid->cellKind(col, row) != Grid::CellKind::Button)
            return QStyledItemDelegate::editorEvent(e, model, option, index);
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
                m_pressed = index;
                m_view->viewport()->update(m_view->visualRect(index));
            }
            return false; // the view still makes the click of press and release
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key != Qt::Key_Space && key != Qt::Key_Select) return false;
            emit m_grid->buttonClicked(col, row);
            return true;
        }
        default:
            return false;
        }
    }

    // The release comes to the viewport wherever it happens, on a cell or not.
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonRelease && m_pressed.isValid()) {
            m_view->viewport()->update(m_view->visualRect(m_pressed));
            m_pressed = QPersistentModelIndex();
        }
        return QStyledItemDelegate::eventFilter(watched, e);
    }

private:
    Grid* m_grid;
    QAbstractItemView* m_view;
    QPersistentModelIndex m_pressed;
};

} // namespace

frmKX5_Multi::frmKX5_Multi(RequestSink* sink, const LineModel* line, QWidget* parent)
    : QDialog(parent), m_sink(sink), m_stations(line) {
    setObjectName(QStringLiteral("frmKX5_Multi"));
    setWindowTitle(tr("Multi-Monitoring"));
    m_keyOff = fromQColor(QApplication::palette().color(QPalette::Button));
    runEditor = [](frmD_Edit& d) { return d.exec(); };
    // Not a poll: the first change of the line starts it, and the rows show every change of
    // that frame (about 60 a second) at once; while nothing changes it does not run.
    tmrRefresh.setInterval(kFrameMs);
    tmrRefresh.setSingleShot(true);
    connect(&tmrRefresh, &QTimer::timeout, this, &frmKX5_Multi::tmrRefresh_Timer);
    connect(&m_grid, &Grid::buttonClicked, this, &frmKX5_Multi::sprdMonitoring_ButtonClicked);
    connect(&m_grid, &Grid::clicked, this, &frmKX5_Multi::sprdMonitoring_Click);
    // A key's new state shows as soon as the write's read-back brings it.
    connect(line, &LineModel::stationChanged, this, [this](int, LineModel::Changes what) {
        constexpr LineModel::Changes kShown =
            LineModel::Model | LineModel::Conn | LineModel::Values | LineModel::Freshness;
        if (what & LineModel::Keys)
            tmrRefresh_Timer();
        else if (what & kShown && !tmrRefresh.isActive())
            tmrRefresh.start();
    });
    buildUi();
    Form_Load();
}

frmKX5_Multi::~frmKX5_Multi() {
    tmrRefresh.stop();
    // The view shows m_grid, which goes before the dialog's children: the view goes first.
    delete sprdMonitoring;
}

void frmKX5_Multi::buildUi() {
    Grid& g = m_grid;
    g.setHeaderRows(2);
    // Captions, shown through the translator; mnemonics of the controller stay as they are.
    g.setHeaderContext("frmKX5_Multi");
    const char* const top[kCols] = {QT_TR_NOOP(" MC No"),
                                    QT_TR_NOOP("Model"),
                                    QT_TR_NOOP("Conn-State"),
                                    QT_TR_NOOP("PV"),
                                    QT_TR_NOOP("SV"),
                                    QT_TR_NOOP("MV"),
                                    QT_TR_NOOP("PID NO"),
                                    QT_TR_NOOP("ALARM"),
                                    "",
                                    "",
                                    QT_TR_NOOP("ERROR"),
                                    "",
                                    "",
                                    "",
                                    "",
                                    QT_TR_NOOP("MODSTS"),
                                    "",
                                    "",
                                    "",
                                    "",
                                    "",
                                    "",
                                    QT_TR_NOOP("Print"),
                                    "",
                                    "",
                                    "",
                                    "",
                                    ""};
    const char* const second[kCols] = {"",
                                       "",
                                       "",
                                       "",
                                       "",
                                       "",
                                       "",
                                       "1",
                                       "2",
                                       "3",
                                       QT_TR_NOOP("PV  BOUT"),
                                       QT_TR_NOOP("RJC ERR"),
                                       QT_TR_NOOP("PV  POVR"),
                                       QT_TR_NOOP("PV  MOVR"),
                                       QT_TR_NOOP("AT  ERR"),
                                       QT_TR_NOOP("AUT/MAN"),
                                       QT_TR_NOOP("JC"),
                                       QT_TR_NOOP("MINUS"),
                                       QT_TR_NOOP("RUN"),
                                       QT_TR_NOOP("PROG"),
                                       QT_TR_NOOP("WAIT"),
                                       QT_TR_NOOP("AT"),
                                       QT_TR_NOOP("CONTROL"),
                                       "",
                                       "",
                                       "",
                                       "",
                                       QT_TR_NOOP("SPEED")};
    for (int c = 1; c <= kCols; ++c) {
        g.setText(c, 0, QString::fromLatin1(top[c - 1]));
        g.setHeader2Text(c, QString::fromLatin1(second[c - 1]));
    }
    for (int c = McNo; c <= PidNo; ++c)
        g.addSpan(c, 0, 1, 2);
    g.addSpan(Alarm1, 0, 3, 1);
    g.addSpan(Err1, 0, 5, 1);
    g.addSpan(AutMan, 0, 7, 1);
    g.addSpan(KeyPrint, 0, 6, 1);
    g.addSpan(KeyPrint, -1, 5, 1);
    g.setAlternateColors(kWhite, kLightGreen);
    g.setColumnHidden(Alarm1 + 2, true);
    for (int c = AutMan; c <= Wait; ++c)
        g.setColumnHidden(c, true);

    sprdMonitoring = new GridView(&m_grid, this);
    sprdMonitoring->setObjectName(QStringLiteral("sprdMonitoring"));
    sprdMonitoring->setAccessibleName(tr("Multi-Monitoring"));
    useNumberFont(sprdMonitoring);
    auto* header = new TwoRowHeaderView(&m_grid, sprdMonitoring);
    sprdMonitoring->setHorizontalHeader(header);
    // A new header knows nothing of the grid's hidden columns.
    for (int c = 1; c <= kCols; ++c)
        sprdMonitoring->setColumnHidden(c - 1, g.isColumnHidden(c));
    sprdMonitoring->verticalHeader()->hide();
    sprdMonitoring->verticalHeader()->setDefaultSectionSize(kRowHeight);
    sprdMonitoring->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    sprdMonitoring->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    sprdMonitoring->setSelectionMode(QAbstractItemView::NoSelection);
    sprdMonitoring->setItemDelegate(new KeyDelegate(&m_grid, sprdMonitoring));

    // Every column wide enough for its own header text and what it shows; a joined header
    // cell widens its last visible column when its text needs more than its columns give.
    const QFontMetrics fm = sprdMonitoring->fontMetrics();
    const int pad = 14;
    // The MC No column also carries each station's description: as wide as the longest one
    // needs, up to a limit past which it is cut short (its tool tip holds all of it).
    int titleWidth = 0;
    bool named = false;
    for (int k = 0; k < m_stations->count(); ++k) {
        const LineModel::Station& s = *m_stations->at(k);
        titleWidth = qMax(titleWidth, fm.horizontalAdvance(rowTitle(s)));
        named = named || !s.name.trimmed().isEmpty();
    }
    titleWidth = qMin(titleWidth + pad, fm.averageCharWidth() * 24);
    auto contentWidth = [&](int c) {
        if (c == McNo) return titleWidth;
        if (c == Model) return fm.horizontalAdvance(QStringLiteral("KX5-105")) + pad;
        if (c == PV || c == SV) return fm.horizontalAdvance(QStringLiteral("-1999.9 ㎷")) + pad;
        if (c == MV) return fm.horizontalAdvance(QStringLiteral("100.0 %")) + pad;
        if (c == Speed) return fm.horizontalAdvance(QStringLiteral("-1999.9")) + pad;
        if (c >= KeyPrint && c <= KeyZoom)
            return fm.horizontalAdvance(QStringLiteral("PRINT")) + 2 * pad;
        return 0;
    };
    for (int c = 1; c <= kCols; ++c) {
        int w = qMax(contentWidth(c), header->textWidth(g.header2Caption(c)));
        if (c >= Alarm1 && c <= ErrAT) w = qMax(w, 30);
        sprdMonitoring->setColumnWidth(c - 1, w);
    }
    for (const TwoRowHeaderView::Cell& cell : header->cells()) {
        int sum = 0, last = -1;
        for (int c = cell.first; c <= cell.last; ++c)
            if (!g.isColumnHidden(c)) {
                sum += sprdMonitoring->columnWidth(c - 1);
                last = c;
            }
        const int need = header->textWidth(cell.text);
        if (last > 0 && sum < need)
            sprdMonitoring->setColumnWidth(last - 1,
                                           sprdMonitoring->columnWidth(last - 1) + need - sum);
    }

    // The MC No column stays in view when the grid scrolls sideways: a view of that column
    // alone lies over the grid's first column and follows its vertical scrolling.
    m_frozen = new GridView(&m_grid, sprdMonitoring);
    m_frozen->setObjectName(QStringLiteral("sprdMcNo"));
    m_frozen->setHorizontalHeader(new TwoRowHeaderView(&m_grid, m_frozen));
    for (int c = 1; c <= kCols; ++c)
        m_frozen->setColumnHidden(c - 1, c != McNo);
    m_frozen->setColumnWidth(McNo - 1, sprdMonitoring->columnWidth(McNo - 1));
    // A description reads from its number on; a bare number stays centred as every other cell.
    if (named)
        for (GridView* v : {sprdMonitoring, m_frozen})
            v->gridModel()->setColumnAlignment(McNo, Qt::AlignLeft | Qt::AlignVCenter);
    m_frozen->verticalHeader()->hide();
    m_frozen->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_frozen->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_frozen->setSelectionMode(QAbstractItemView::NoSelection);
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->setFrameShape(QFrame::NoFrame);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(sprdMonitoring->verticalScrollBar(), &QScrollBar::valueChanged,
            m_frozen->verticalScrollBar(), &QScrollBar::setValue);
    sprdMonitoring->installEventFilter(this);

    btnClose = new QPushButton(tr("&Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setAutoDefault(false); // Enter in the grid must not close the window
    connect(btnClose, &QPushButton::clicked, this, &frmKX5_Multi::btnClose_Click);

    // Elided: a long message must not widen the window; its tool tip holds all of it.
    lblMsg = new ElidedLabel(this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setAccessibleName(tr("Message"));
    // It only ever tells of a write that did not reach its station.
    // (A lighter red on a dark desktop, where the dark one would not be read.)
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    lblMsg->setStyleSheet(dark ? QStringLiteral("color: #ff7070; font-weight: bold")
                               : QStringLiteral("color: #c00000; font-weight: bold"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblMsg, 1);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sprdMonitoring);
    layout->addLayout(buttons);
}

bool frmKX5_Multi::moveAmongKeys(int step, bool fromOutside) {
    // The recorder keys and the speed cell of every row, in reading order: what Tab stops at.
    std::vector<std::pair<int, int>> stops;
    for (int r = 1; r <= m_grid.maxRows(); ++r) {
        for (int c = KeyPrint; c <= KeyZoom; ++c)
            stops.emplace_back(c, r);
        stops.emplace_back(Speed, r);
    }
    if (stops.empty()) return false;
    const QModelIndex at = sprdMonitoring->currentIndex();
    const auto here =
        std::find(stops.begin(), stops.end(), std::pair(at.column() + 1, at.row() + 1));
    std::ptrdiff_t next = 0;
    if (fromOutside || here == stops.end())
        next = step > 0 ? 0 : std::ptrdiff_t(stops.size()) - 1;
    else
        next = (here - stops.begin()) + step;
    if (next < 0 || next >= std::ptrdiff_t(stops.size())) return false; // on out of the grid
    const auto [col, row] = stops[size_t(next)];
    const QModelIndex i = sprdMonitoring->model()->index(row - 1, col - 1);
    sprdMonitoring->setCurrentIndex(i);
    sprdMonitoring->scrollTo(i);
    return true;
}

bool frmKX5_Multi::eventFilter(QObject* watched, QEvent* e) {
    if (watched == sprdMonitoring && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        const bool back = k->key() == Qt::Key_Backtab ||
                          (k->key() == Qt::Key_Tab && (k->modifiers() & Qt::ShiftModifier));
        if ((k->key() == Qt::Key_Tab || back) && !(k->modifiers() & Qt::ControlModifier) &&
            moveAmongKeys(back ? -1 : 1, false))
            return true;
    }
    // Tabbed into, the grid starts at its first key (or, going back, its last), so Space
    // presses the key the focus frame is on.
    if (watched == sprdMonitoring && e->type() == QEvent::FocusIn) {
        const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
        if (why == Qt::TabFocusReason || why == Qt::BacktabFocusReason)
            moveAmongKeys(why == Qt::TabFocusReason ? 1 : -1, true);
    }
    if (watched == sprdMonitoring && (e->type() == QEvent::Resize || e->type() == QEvent::Show)) {
        const GridView* v = sprdMonitoring;
        m_frozen->setGeometry(v->frameWidth(), v->frameWidth(), v->columnWidth(McNo - 1),
                              v->viewport()->height() + v->horizontalHeader()->height());
        m_frozen->horizontalHeader()->setFixedHeight(v->horizontalHeader()->height());
    }
    return QDialog::eventFilter(watched, e);
}

void frmKX5_Multi::fitToContents(const QSize& available) {
    GridView* v = sprdMonitoring;
    int width = 2 * v->frameWidth();
    for (int c = 0; c < kCols; ++c)
        if (!v->isColumnHidden(c)) width += v->columnWidth(c);
    const int rows = qBound(1, m_grid.maxRows(), kVisibleRowsMax);
    if (m_grid.maxRows() > rows) width += v->verticalScrollBar()->sizeHint().width();
    const int height =
        2 * v->frameWidth() + v->horizontalHeader()->sizeHint().height() + rows * kRowHeight;
    // A smaller screen gets a scroll bar rather than a window wider than itself.
    v->setMinimumWidth(qMin(width, 400));
    v->setMinimumHeight(qMin(
        height, 2 * v->frameWidth() + v->horizontalHeader()->sizeHint().height() + 3 * kRowHeight));
    QSize want = sizeHint();
    const QMargins m = layout()->contentsMargins();
    want.setWidth(width + m.left() + m.right());
    want.setHeight(height + m.top() + m.bottom() + layout()->spacing() +
                   btnClose->sizeHint().height());
    // Narrower than the grid: the sideways scroll bar takes a row's room, so it gets its own.
    if (available.isValid() && want.width() > available.width())
        want.rheight() += v->horizontalScrollBar()->sizeHint().height();
    if (available.isValid()) want = want.boundedTo(available);
    resize(want);
}

void frmKX5_Multi::Form_Load() {
    m_grid.setMaxRows(m_stations->count());
    m_units.assign(size_t(m_grid.maxRows()), QString());
    for (int r = 1; r <= m_grid.maxRows(); ++r)
        for (int i = 0; i < 5; ++i) {
            m_grid.setCellKind(KeyPrint + i, r, Grid::CellKind::Button);
            m_grid.setText(KeyPrint + i, r, QString::fromLatin1(kKeyCaption[i]));
            m_grid.setButtonColor(KeyPrint + i, r, m_keyOff);
        }
    for (int r = 1; r <= m_grid.maxRows(); ++r) {
        const LineModel::Station* s = m_stations->at(r - 1);
        m_grid.setText(McNo, r, rowTitle(*s));
        m_grid.setText(Model, r, modelText(s->model));
        // The user's description of the station, where its row begins.
        const QString title = StationTableModel::stationTitle(s->mcNo, s->name);
        m_grid.setHint(McNo, r, title);
        m_grid.setHint(Model, r, title);
        showConn(r);
    }
    const QScreen* s = screen();
    fitToContents(s ? s->availableGeometry().size() : QSize());
    tmrRefresh_Timer(); // values at once, not after the first change
}

bool frmKX5_Multi::answered(int row) const {
    const int k = row - 1;
    // A station counts once it has answered the model query and its first live values are
    // in; before that its row would show zeros that no controller sent.
    const LineModel::Station* s = m_stations->at(k);
    return s && s->answered && s->values.storedAt.isValid();
}

void frmKX5_Multi::showConn(int row) {
    // The station table's state and colour: NG as soon as a reply wait runs out.
    switch (m_stations->connState(row - 1)) {
    case ::ConnState::OK:
        m_grid.setText(ConnState, row, QStringLiteral("OK"));
        setBack(ConnState, row, kGreen);
        break;
    case ::ConnState::NG:
        m_grid.setText(ConnState, row, QStringLiteral("NG"));
        setBack(ConnState, row, kBlack);
        break;
    case ::ConnState::Unknown:
        m_grid.setText(ConnState, row, QString());
        setBack(ConnState, row, rowColor(row));
        break;
    }
}

QString frmKX5_Multi::rowTitle(const LineModel::Station& s) {
    const QString name = s.name.trimmed();
    return name.isEmpty() ? QString::number(s.mcNo) : QString::number(s.mcNo) + u' ' + name;
}

int frmKX5_Multi::stationOf(int row) const {
    return m_stations->mcNoAt(row - 1);
}

void frmKX5_Multi::setBack(int col, int row, Bgr color) {
    m_grid.setBackColor(col, row, color); // the grid tells its views only about real changes
}

void frmKX5_Multi::setKey(int col, int row, bool on) {
    const Bgr c = on ? kKeyOn : m_keyOff;
    if (m_grid.buttonColor(col, row) != c) m_grid.setButtonColor(col, row, c);
}

void frmKX5_Multi::tmrRefresh_Timer() {
    tmrRefresh.stop();
    for (int r = 1; r <= m_grid.maxRows(); ++r) {
        showConn(r);
        const bool on = answered(r);
        for (int k = KeyPrint; k <= KeyZoom; ++k)
            if (m_grid.foreColor(k, r) != (on ? kBlack : kKeyDisabledText))
                m_grid.setForeColor(k, r, on ? kBlack : kKeyDisabledText);
        if (!on) {
            // A station that never answered keeps what its row shows; only the hint goes, and
            // its keys show that they do nothing.
            m_grid.setHint(Speed, r, QString());
            for (int k = KeyPrint; k <= KeyZoom; ++k)
                if (m_grid.buttonColor(k, r) != kKeyDisabled)
                    m_grid.setButtonColor(k, r, kKeyDisabled);
            continue;
        }
        const Reading v = decode(*m_stations->values(r - 1));
        // Each station in its own unit, as the main display shows it; a temperature input
        // with an unknown unit code keeps the unit shown.
        QString& unit = m_units[size_t(r - 1)];
        if (!v.unit.isEmpty()) unit = v.unit;
        const auto withUnit = [](const QString& number, const QString& u) {
            return u.isEmpty() ? number : number + QLatin1Char(' ') + u;
        };
        m_grid.setText(PV, r, withUnit(v.pvText(), unit));
        m_grid.setText(SV, r, withUnit(v.svText(), unit));
        m_grid.setText(MV, r, withUnit(v.mvText(), QStringLiteral("%")));
        m_grid.setText(PidNo, r, QString::number(v.pidNo));
        const Bgr ink = v.fresh ? kBlack : kStaleText;
        for (int col : {int(PV), int(SV), int(MV), int(PidNo)})
            if (m_grid.foreColor(col, r) != ink) m_grid.setForeColor(col, r, ink);

        const Bgr off = rowColor(r);
        static constexpr std::pair<StatusLamp, int> kCells[] = {
            {StatusLamp::AL1, Alarm1},      {StatusLamp::AL2, Alarm1 + 1},
            {StatusLamp::AL3, Alarm1 + 2},  {StatusLamp::PvBout, Err1},
            {StatusLamp::RjcErr, Err1 + 1}, {StatusLamp::PvPovr, Err1 + 2},
            {StatusLamp::PvMovr, Err1 + 3}, {StatusLamp::AtErr, ErrAT},
            {StatusLamp::AT, AT},           {StatusLamp::JC, JC},
            {StatusLamp::Minus, Minus},     {StatusLamp::Run, Run},
            {StatusLamp::Prog, Prog},       {StatusLamp::Wait, Wait}};
        const Bgr lit = v.fresh ? kLampOn : StaleLook::kLamp;
        for (const auto& [lamp, col] : kCells)
            setBack(col, r, v.lit(lamp) ? lit : off);
        setKey(KeyPrint, r, v.lit(StatusLamp::Run));
        for (int j = 1; j <= 4; ++j)
            setKey(KeyPrint + j, r, v.keys[size_t(j)]);
        // A key whose write is on its way says so until the controller's answer is in.
        const int mc = stationOf(r);
        for (int j = 0; j <= 4; ++j)
            if (m_pendingKeys.count({mc, j})) m_grid.setButtonColor(KeyPrint + j, r, kKeyPending);
        m_grid.setText(Speed, r, QString::number(v.speed));
        m_grid.setHint(Speed, r, tr("Click => Edit Value"));
    }
}

void frmKX5_Multi::sprdMonitoring_ButtonClicked(int col, int row) {
    if (col < KeyPrint || col > KeyZoom || row < 1 || row > m_grid.maxRows()) return;
    // A station that never answered would not acknowledge, and an unacknowledged write is
    // sent again at every tick: nothing is queued for it.
    if (!answered(row)) return;
    const int key = col - KeyPrint; // 0 PRINT, 1 TEXT, 2 LIST, 3 FEED, 4 ZOOM
    int value = 1;
    if (key == 1 || key == 2 || key == 4) {
        // Toggled from the row's own station as the monitor read last stored it: the
        // parameter data grid holds only the selected station's values, and toggling
        // another station from those would write the wrong value.
        value = decode(*m_stations->values(row - 1)).keys[size_t(key)] ? 0 : 1;
    }
    // One press per write: a second one before the first is read back would act twice.
    const int mc = stationOf(row);
    if (m_pendingKeys.count({mc, key})) return;
    if (!request(Request::writeOneOf(mc, 501 + key, value))) return;
    m_pendingKeys.insert({mc, key});
    m_grid.setButtonColor(col, row, kKeyPending);
}

bool frmKX5_Multi::request(const Request& r) {
    const RequestReply reply = m_sink->request(r);
    if (!reply.taken) showMessage(LinkWords::refusal(reply), r.mcNo);
    return reply.taken;
}

void frmKX5_Multi::showMessage(const QString& text, int mcNo) {
    lblMsg->setText(text);
    lblMsg->setToolTip(text);
    m_msgMcNo = mcNo;
}

void frmKX5_Multi::onRequestEnded(const Request& r, RequestOutcome outcome, EndCause cause) {
    if (r.step != kStepWriteOnePolled) return; // not a row's write
    // However it ended, the key is free again and shows the station's state.
    if (!r.regs.empty() && m_pendingKeys.erase({r.mcNo, r.regs.front() - 501})) tmrRefresh_Timer();
    switch (outcome) {
    case RequestOutcome::GivenUp:
    case RequestOutcome::Refused:
    case RequestOutcome::Dropped:
        showMessage(LinkWords::ended(r, outcome, cause).shown, r.mcNo);
        break;
    case RequestOutcome::Done:
        if (r.mcNo == m_msgMcNo) showMessage(QString(), 0);
        break;
    default:
        break;
    }
}

void frmKX5_Multi::sprdMonitoring_Click(int col, int row) {
    if (col != Speed || row < 1 || row > m_grid.maxRows() || !answered(row)) return;
    frmD_Edit editor(m_sink, this);
    editor.setWindowTitle(tr("Edit Print Speed"));
    editor.lblOldVal->setText(m_grid.text(Speed, row));
    editor.setStation(stationOf(row));
    runEditor(editor);
}

void frmKX5_Multi::btnClose_Click() {
    tmrRefresh.stop();
    accept();
}
