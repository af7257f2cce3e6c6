#include "params/frmKX5_Parameter.h"

#include "files/ConfigFiles.h"
#include "link/Cells.h"
#include "link/KX5Link.h"
#include "link/mdlKX5.h"
#include "params/frmKX5_P_ALM.h"
#include "params/frmKX5_P_AT.h"
#include "params/frmKX5_P_Control.h"
#include "params/frmKX5_P_IN.h"
#include "params/frmKX5_P_OUT.h"
#include "params/frmKX5_P_PID.h"
#include "params/frmKX5_P_SV.h"
#include "services/LinkWords.h"
#include "settings/frmKX5_SetDT.h"
#include "ui/Contrast.h"
#include "ui/Grid.h"
#include "ui/GridModel.h"
#include "ui/MsgBox.h"
#include "ui/TableSizing.h"
#include "ui/ViewKeys.h"

#include <QAbstractTableModel>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, 6> kClockRegs = {520, 521, 522, 523, 524, 525};
constexpr int kNameWidth = 60;
constexpr int kValueWidth = 64;
constexpr int kRowHeaderWidth = 28;
constexpr int kRowHeight = 18;
const QColor kHeaderBack(212, 208, 200);

// The map's grid with its two header rows shown as the first two rows of the view, so they
// can carry spans; view column 0 is the row number.
class MapModel : public QAbstractTableModel {
public:
    MapModel(Grid* grid, QObject* parent) : QAbstractTableModel(parent), m_grid(grid) {
        connect(grid, &Grid::cellChanged, this, [this](int col, int row) {
            const QModelIndex i = index(row + 1, col);
            emit dataChanged(i, i);
        });
    }
    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : m_grid->maxRows() + 2;
    }
    int columnCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : m_grid->maxCols() + 1;
    }
    QVariant data(const QModelIndex& i, int role) const override {
        const int col = i.column(), row = i.row() - 1; // row 0 and -1: the header rows
        const bool header = i.row() < 2 || col == 0;
        switch (role) {
        case Qt::DisplayRole:
            if (i.row() == 0) return m_grid->text(col, 0);
            if (i.row() == 1) return col == 0 ? QString() : m_grid->header2Text(col);
            return m_grid->text(col, row);
        case Qt::BackgroundRole:
            if (header) return kHeaderBack;
            if (auto c = m_grid->backColor(col, row)) return toQColor(*c);
            return {};
        case Qt::ForegroundRole:
            if (header) return QColor(Qt::black);
            if (auto c = m_grid->foreColor(col, row)) return toQColor(*c);
            return QColor(Qt::black);
        case Qt::FontRole: {
            // Not by colour alone: a value that can be written is bold, a read-only one italic.
            const MapAccess a = header || col % 2 ? MapAccess::NotUsed : mapAccess(col, row);
            if (i.row() >= 2 && a == MapAccess::NotUsed) return {};
            QFont f;
            f.setBold(i.row() < 2 || a == MapAccess::ReadWrite);
            f.setItalic(a == MapAccess::ReadOnly);
            return f;
        }
        case Qt::AccessibleTextRole:
            if (header || col % 2) return {};
            return mapCellDescription(col, row, m_grid->text(col, row));
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        default:
            return {};
        }
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override {
        return i.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

private:
    Grid* m_grid;
};

QLabel* legend(const QString& text, Bgr back, Bgr fore, MapAccess access, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font(); // as the map's cells of the class
    f.setBold(access == MapAccess::ReadWrite);
    f.setItalic(access == MapAccess::ReadOnly);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    // The caption whole in any font: its width, the padding and the box.
    l->setMinimumWidth(qMax(80, l->fontMetrics().horizontalAdvance(text) + 2 * 6 + 2 + 4));
    l->setFrameShape(QFrame::Box);
    l->setStyleSheet(QStringLiteral("background-color: %1; color: %2; padding: 2px 6px")
                         .arg(toQColor(back).name(), toQColor(fore).name()));
    return l;
}

QLabel* sunken(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    // Room for the longest model name in any font.
    l->setMinimumWidth(qMax(70, l->fontMetrics().horizontalAdvance(QStringLiteral("KX5-105-00")) +
                                    2 * l->frameWidth() + 8));
    return l;
}

} // namespace

ParamSource ParamSource::of(const KX5Link* link) {
    return {[link](int mcNo) { return link->paramImage(mcNo); },
            [link](int mcNo) { return link->model(mcNo); }};
}

frmKX5_Parameter::frmKX5_Parameter(RequestSink* sink, ParamSource source, QWidget* parent)
    : QDialog(parent), m_sink(sink), m_source(std::move(source)), m_msgColor(rgb(0, 0, 255)) {
    setObjectName(QStringLiteral("frmKX5_Parameter"));
    setWindowTitle(tr("Parameter Setting"));

    m_map = new Grid(kMapCols, kMapRows, this);
    setupMapGrid(*m_map);
    sprdMap = new QTableView(this);
    sprdMap->setObjectName(QStringLiteral("sprdMap"));
    sprdMap->setAccessibleName(tr("Parameter map"));
    useNumberFont(sprdMap);
    sprdMap->setModel(new MapModel(m_map, sprdMap));
    sprdMap->horizontalHeader()->hide();
    sprdMap->verticalHeader()->hide();
    // Columns and rows as wide and high as their texts in the font in use, never narrower
    // than the drawn map: a larger desktop font must not cut the names.
    const QFontMetrics fm = sprdMap->fontMetrics();
    QFont boldFont = sprdMap->font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);
    int nameWidth = kNameWidth, valueWidth = kValueWidth, groupWidth = 0;
    for (int c = 1; c <= kMapCols; c += 2) {
        for (int r = 1; r <= kMapRows; ++r)
            nameWidth = qMax(nameWidth, fm.horizontalAdvance(m_map->text(c, r)) + 10);
        for (int h : {c, c + 1})
            groupWidth = qMax(groupWidth, bold.horizontalAdvance(m_map->text(h, 0)) + 12);
    }
    // Values that can be written are bold: room for the widest number and every word.
    for (const char* v : {"-1999.9", "-4096"})
        valueWidth = qMax(valueWidth, bold.horizontalAdvance(QLatin1String(v)) + 10);
    for (int reg = 0; reg < 100 * kMapGroups; ++reg)
        if (const ParamInfo* p = paramInfo(reg))
            for (const ParamInfo::Offer& o : p->offers())
                valueWidth = qMax(valueWidth, bold.horizontalAdvance(o.word) + 10);
    valueWidth = qMax(valueWidth, groupWidth - nameWidth);
    const int rowHeight = qMax(kRowHeight, fm.height() + 2);
    sprdMap->verticalHeader()->setDefaultSectionSize(rowHeight);
    sprdMap->setSelectionMode(QAbstractItemView::NoSelection);
    keyboardLikeMouse(sprdMap); // the arrows reach a group's name, Return opens its dialog
    // Both ways the map scrolls on a screen too small for it.
    sprdMap->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    sprdMap->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const int headerWidth = qMax(kRowHeaderWidth, fm.horizontalAdvance(QStringLiteral("99")) + 10);
    sprdMap->setColumnWidth(0, headerWidth);
    for (int c = 1; c <= kMapCols; ++c)
        sprdMap->setColumnWidth(c, c % 2 ? nameWidth : valueWidth);
    int mapWidth = headerWidth + kMapGroups * (nameWidth + valueWidth) +
                   sprdMap->verticalScrollBar()->sizeHint().width() + 2 * sprdMap->frameWidth();
    sprdMap->setMinimumWidth(qMin(mapWidth, 400));
    mapWidth += 4; // the view's own margins: no horizontal scroll bar where the map fits
    const int mapHeight = (kMapRows + 2) * rowHeight + 2 * sprdMap->frameWidth();
    connect(sprdMap, &QTableView::clicked, this,
            [this](const QModelIndex& i) { sprdMap_Click(i.column(), i.row() - 1); });

    auto* lblEditMC = new QLabel(tr("Edit MC"), this);
    lblMC_No = sunken("lblMC_No", this);
    lblEditMC->setBuddy(lblMC_No);
    auto* lblModelCap = new QLabel(tr("Model"), this);
    lblModel = sunken("lblModel", this);
    lblMC_No->setAccessibleName(lblEditMC->text());
    lblModel->setAccessibleName(lblModelCap->text());
    lblMsg = new QLabel(this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setAccessibleName(tr("Message"));
    lblMsg->setMinimumWidth(160);
    QFont big = lblMsg->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 2);
    lblMsg->setFont(big);
    btnClose = new QPushButton(tr("Clos&e"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(btnClose, &QPushButton::clicked, this, &frmKX5_Parameter::btnClose_Click);

    auto* lblReadOnly = legend(tr("Read Only"), kReadOnlyColor, kBlack, MapAccess::ReadOnly, this);
    lblReadOnly->setObjectName(QStringLiteral("lblReadOnly"));
    auto* lblReadWrite =
        legend(tr("Read/Write"), kReadWriteLegend, kBlack, MapAccess::ReadWrite, this);
    lblReadWrite->setObjectName(QStringLiteral("lblReadWrite"));
    auto* lblNotUsed =
        legend(tr("Not Used"), kNotUsedColor, kNotUsedText, MapAccess::NotUsed, this);
    lblNotUsed->setObjectName(QStringLiteral("lblNotUsed"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(lblEditMC);
    bar->addWidget(lblMC_No);
    bar->addSpacing(12);
    bar->addWidget(lblModelCap);
    bar->addWidget(lblModel);
    bar->addSpacing(16);
    bar->addWidget(lblReadOnly);
    bar->addWidget(lblReadWrite);
    bar->addWidget(lblNotUsed);
    bar->addStretch();
    auto* btnSaveSet = new QPushButton(tr("Save &Set..."), this);
    btnSaveSet->setObjectName(QStringLiteral("btnSaveSet"));
    connect(btnSaveSet, &QPushButton::clicked, this, &frmKX5_Parameter::btnSaveSet_Click);
    auto* btnCompareSet = new QPushButton(tr("Co&mpare with Set..."), this);
    btnCompareSet->setObjectName(QStringLiteral("btnCompareSet"));
    connect(btnCompareSet, &QPushButton::clicked, this, &frmKX5_Parameter::btnCompareSet_Click);
    auto* btnWriteSet = new QPushButton(tr("&Write Set..."), this);
    btnWriteSet->setObjectName(QStringLiteral("btnWriteSet"));
    connect(btnWriteSet, &QPushButton::clicked, this, &frmKX5_Parameter::btnWriteSet_Click);
    // The keys beside the message, under the legend: in one row they ran off a small screen.
    auto* msgLine = new QHBoxLayout;
    msgLine->addWidget(lblMsg, 1);
    msgLine->addWidget(btnSaveSet);
    msgLine->addWidget(btnCompareSet);
    msgLine->addWidget(btnWriteSet);
    msgLine->addWidget(btnClose);
    auto* top = new QVBoxLayout(this);
    top->addLayout(bar);
    top->addLayout(msgLine);
    top->addWidget(sprdMap, 1);
    // The whole map at once where the screen allows; it scrolls on a smaller one.
    resize(mapWidth + 2 * top->contentsMargins().left(),
           mapHeight + bar->sizeHint().height() + msgLine->sizeHint().height() +
               2 * top->spacing() + top->contentsMargins().top() + top->contentsMargins().bottom());

    // The main window passes on how requests end; the input pause is heard from the link.
    // What the controller reports after a write (from a dialog, another window or a gateway
    // client) shows as soon as its read-back is in.
    if (auto* link = dynamic_cast<KX5Link*>(sink)) {
        connect(link, &KX5Link::inputPauseStarted, this, &frmKX5_Parameter::onInputPause);
        connect(&link->line(), &LineModel::stationChanged, this,
                [this](int mcNo, LineModel::Changes what) {
                    if ((what & LineModel::Written) && mcNo == selectedMcNo()) tmrRefresh.start();
                });
    }

    chooseSetFile = [this](bool save) {
        const QString filter = tr("Parameter sets (*.csv);;All files (*)");
        return save ? QFileDialog::getSaveFileName(
                          this, tr("Save Set"),
                          QDir(programDir())
                              .filePath(QStringLiteral("MC%1.csv").arg(selectedMcNo())),
                          filter)
                    : QFileDialog::getOpenFileName(this, tr("Open Set"), programDir(), filter);
    };
    showDiffs = [this](const QString& title, const std::vector<ParamDiff>& diffs) {
        QDialog d(this);
        d.setWindowTitle(title);
        auto* table = new QTableWidget(int(diffs.size()), 4, &d);
        table->setHorizontalHeaderLabels({tr("Name"), tr("Register"), tr("Station"),
                                          //: The column of the values the set holds.
                                          tr("Set", "column")});
        for (int i = 0; i < int(diffs.size()); ++i) {
            const ParamDiff& x = diffs[size_t(i)];
            const QStringList cells = {x.name, QString::number(x.reg), x.station, x.set};
            for (int c = 0; c < 4; ++c)
                table->setItem(i, c, new QTableWidgetItem(cells[c]));
        }
        table->resizeColumnsToContents();
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setAccessibleName(title);
        keyboardLikeMouse(table);
        auto* lay = new QVBoxLayout(&d);
        lay->addWidget(table);
        d.resize(520, 420);
        d.exec();
    };
    openDialog = [this](MapDialog which) {
        if (auto d = createDialog(which)) d->exec();
    };

    tmrRefresh.setInterval(50);
    tmrRefresh.setSingleShot(true);
    connect(&tmrRefresh, &QTimer::timeout, this, &frmKX5_Parameter::tmrRefresh_Timer);
    tmrToggleColor.setInterval(1000);
    connect(&tmrToggleColor, &QTimer::timeout, this, &frmKX5_Parameter::tmrToggleColor_Timer);
    showMessageColor();

    // Form_Load
    const int mcNo = m_sink->selectedMcNo();
    lblMC_No->setText(mcNo > 0 ? QString::number(mcNo) : QString());
    lblModel->setText(modelText(model()));
    RefreshMap();
    sprdMap->setSpan(0, 0, 2, 1);
    for (int g = 0; g < kMapGroups; ++g) {
        sprdMap->setSpan(0, 2 * g + 1, 1, 2);
        sprdMap->setSpan(1, 2 * g + 1, 1, 2);
    }
    // The map stays open on a refusal: it shows the values last read, and says why no
    // fresh ones come.
    const RequestReply reply = m_sink->request(Request::readAll(mcNo));
    if (!reply.taken) lblMsg->setText(LinkWords::refusal(reply));
    tmrToggleColor.start();
}

frmKX5_Parameter::~frmKX5_Parameter() {
    unload();
}

void frmKX5_Parameter::done(int r) {
    unload();
    QDialog::done(r);
}

void frmKX5_Parameter::unload() {
    tmrRefresh.stop();
    tmrToggleColor.stop();
}

const ParamImage* frmKX5_Parameter::image() const {
    return m_source.image ? m_source.image(selectedMcNo()) : nullptr;
}

ControllerModel frmKX5_Parameter::model() const {
    return m_source.model ? m_source.model(selectedMcNo()) : ControllerModel::Unknown;
}

void frmKX5_Parameter::RefreshMap() {
    refreshMapGrid(image(), *m_map);
}

void frmKX5_Parameter::btnSaveSet_Click() {
    const ParamImage* img = image();
    if (!img || selectedMcNo() <= 0) {
        lblMsg->setText(tr("MC %1: no parameters read yet, nothing to save").arg(selectedMcNo()));
        return;
    }
    const QString path = chooseSetFile(true);
    if (path.isEmpty()) return;
    const ParamSet set =
        paramSetFromImage(*img, model(), selectedMcNo(), QDateTime::currentDateTime());
    QString error;
    if (writeLinesAtomic(path, paramSetLines(set), &error))
        lblMsg->setText(tr("MC %1 set saved to %2").arg(set.mcNo).arg(path));
    else
        MsgBox(this, tr("Save Set"), error, QMessageBox::Ok, QMessageBox::Warning);
}

void frmKX5_Parameter::btnCompareSet_Click() {
    const QString path = chooseSetFile(false);
    if (path.isEmpty()) return;
    ParamSet set;
    QString error;
    if (!readParamSet(path, &set, &error)) {
        MsgBox(this, tr("Compare with Set"), error, QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    if (set.model != model()) {
        MsgBox(this, tr("Compare with Set"),
               tr("The set is of a %1, MC %2 is a %3: not compared.")
                   .arg(modelText(set.model))
                   .arg(selectedMcNo())
                   .arg(modelText(model())),
               QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    // Compared with the controller as it is now, not with what the map read a while ago.
    const RequestReply reply = m_sink->request(Request::readAll(selectedMcNo()));
    if (!reply.taken) {
        lblMsg->setText(LinkWords::refusal(reply));
        return;
    }
    m_compare = set;
    lblMsg->setText(tr("MC %1: reading its parameters to compare").arg(selectedMcNo()));
}

void frmKX5_Parameter::btnWriteSet_Click() {
    if (!writeSet) return;
    const QString path = chooseSetFile(false);
    if (path.isEmpty()) return;
    ParamSet set;
    QString error;
    // A damaged set is refused here, before any station is even read.
    if (!readParamSet(path, &set, &error)) {
        MsgBox(this, tr("Write Set"), error, QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    writeSet(set, path);
}

void frmKX5_Parameter::tmrRefresh_Timer() {
    tmrRefresh.stop();
    RefreshMap();
    if (m_compare) {
        const ParamImage* img = image();
        const std::vector<ParamDiff> diffs =
            compareParamImage(*m_compare, img ? *img : ParamImage());
        const QString title = tr("MC %1 against the set of MC %2: %3 differ")
                                  .arg(selectedMcNo())
                                  .arg(m_compare->mcNo)
                                  .arg(diffs.size());
        m_compare.reset();
        lblMsg->setText(title);
        showDiffs(title, diffs);
    }
}

void frmKX5_Parameter::onRequestEnded(const Request& r, RequestOutcome outcome,
                                      const QString& text) {
    switch (outcome) {
    case RequestOutcome::Done:
        // A read-all shows itself in the map; a write gets a word, as nothing else changes
        // when the value written equals the one shown.
        if (r.isWrite()) lblMsg->setText(text);
        break;
    case RequestOutcome::GivenUp:
    case RequestOutcome::Refused:
    case RequestOutcome::Dropped:
    case RequestOutcome::SecondHalfLost:
        lblMsg->setText(text);
        break;
    case RequestOutcome::Replaced:
        break; // the request that replaced it reports in its turn
    }
}

RequestReply frmKX5_Parameter::request(const Request& r) {
    const RequestReply reply = m_sink->request(r);
    if (reply.taken && r.isWrite())
        lblMsg->setText(
            tr("MC [%1] %2: waiting for confirmation").arg(r.mcNo).arg(LinkWords::what(r).shown));
    return reply;
}

void frmKX5_Parameter::onInputPause(const Request& r) {
    lblMsg->setText(tr("MC [%1] input group: 610-611 written, 612-619 pending (%2 s pause)")
                        .arg(r.mcNo)
                        .arg(KX5Link::kPauseAfter105Ms / 1000));
}

void frmKX5_Parameter::showMessageColor() {
    // The blink's green and blue, as dark (or, on a dark desktop, as light) as reading needs.
    const QColor ink = readableOn(toQColor(m_msgColor), lblMsg->palette().color(QPalette::Window));
    lblMsg->setStyleSheet(QStringLiteral("color: %1").arg(ink.name()));
}

void frmKX5_Parameter::tmrToggleColor_Timer() {
    m_msgColor = m_msgColor == rgb(0, 0, 255) ? rgb(0, 255, 0) : rgb(0, 0, 255);
    showMessageColor();
}

void frmKX5_Parameter::sprdMap_Click(int col, int row) {
    const MapClick action = mapClickAction(col, row);
    lblMsg->setText(action.message);
    if (action.dialog == MapDialog::None || !openDialog) return;
    if (!wasRead(action.dialog)) {
        offerReadAgain();
        return;
    }
    openDialog(action.dialog);
}

bool frmKX5_Parameter::wasRead(MapDialog which) const {
    const ParamImage* img = image();
    for (int reg : mapDialogWrites(which))
        if (!img || !img->count(reg)) return false;
    return true;
}

void frmKX5_Parameter::offerReadAgain() {
    // A dialog would start from empty fields and write what nobody read: zeros, to a furnace.
    const int mc = selectedMcNo();
    lblMsg->setText(tr("MC %1: parameters not read, so they cannot be changed").arg(mc));
    if (MsgBox(this, windowTitle(),
               tr("The parameters of MC %1 have not been read (is it answering?), so there is "
                  "nothing to start a change from.\nRead them again now?")
                   .arg(mc),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) != QMessageBox::Yes)
        return;
    const RequestReply reply = m_sink->request(Request::readAll(mc));
    lblMsg->setText(reply.taken ? tr("MC %1: reading its parameters").arg(mc)
                                : LinkWords::refusal(reply));
}

std::unique_ptr<QDialog> frmKX5_Parameter::createDialog(MapDialog which) {
    // A dialog starts from the numbers read last; one read since changes it no more. None is
    // built on registers never read.
    if (!wasRead(which)) return nullptr;
    const ParamImage* shown = image();
    const ParamImage img = shown ? *shown : ParamImage();
    switch (which) {
    case MapDialog::Control:
        return std::make_unique<frmKX5_P_Control>(this, img, this);
    case MapDialog::PID:
        return std::make_unique<frmKX5_P_PID>(this, img, this);
    case MapDialog::SV:
        return std::make_unique<frmKX5_P_SV>(this, img, this);
    case MapDialog::AT:
        return std::make_unique<frmKX5_P_AT>(this, img, this);
    case MapDialog::ALM:
        return std::make_unique<frmKX5_P_ALM>(this, img, this);
    case MapDialog::OUT:
        return std::make_unique<frmKX5_P_OUT>(this, img, this);
    case MapDialog::IN:
        return std::make_unique<frmKX5_P_IN>(this, img, this);
    case MapDialog::SetDT: {
        // The controller's clock as last read, when it was; else the window takes the PC's.
        std::optional<QDateTime> clock;
        if (std::all_of(kClockRegs.begin(), kClockRegs.end(),
                        [&img](int reg) { return img.count(reg); }))
            clock = QDateTime(QDate(img.at(520), img.at(521), img.at(522)),
                              QTime(img.at(523), img.at(524), img.at(525)));
        return std::make_unique<frmKX5_SetDT>(this, this, clock);
    }
    case MapDialog::None:
        break;
    }
    return nullptr;
}
