#include "params/frmKX5_P_PID.h"

#include "link/Steps.h"
#include "params/ParamMap.h"
#include "registers/ValueList.h"
#include "ui/Grid.h"
#include "ui/GridView.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

namespace {
// The controller's own names, shown as they are in every language (the catalogue may say
// otherwise); the write's field names are these.
constexpr const char* kRowNames[] = {
    QT_TRANSLATE_NOOP("frmKX5_P_PID", "P"),  QT_TRANSLATE_NOOP("frmKX5_P_PID", "I"),
    QT_TRANSLATE_NOOP("frmKX5_P_PID", "D"),  QT_TRANSLATE_NOOP("frmKX5_P_PID", "MR"),
    QT_TRANSLATE_NOOP("frmKX5_P_PID", "Pc"), QT_TRANSLATE_NOOP("frmKX5_P_PID", "Ic"),
    QT_TRANSLATE_NOOP("frmKX5_P_PID", "Dc"), QT_TRANSLATE_NOOP("frmKX5_P_PID", "DB"),
    QT_TRANSLATE_NOOP("frmKX5_P_PID", "RP")};

bool inUse(int set, int row) {
    return !(set == frmKX5_P_PID::kSets && row == frmKX5_P_PID::kRowsPerSet);
}
int pidRegister(int set, int row) {
    return 300 + 10 * set + row - 1;
}
} // namespace

frmKX5_P_PID::frmKX5_P_PID(RequestSink* sink, const ParamImage& image, QWidget* parent)
    : GroupDialog(sink, image, parent) {
    setObjectName(QStringLiteral("frmKX5_P_PID"));
    setWindowTitle(tr("PID Group Setting"));

    m_pid = new Grid(kSets, kRowsPerSet, this);
    m_pid->setEditable(true);
    for (int s = 1; s <= kSets; ++s)
        m_pid->setText(s, 0, QString::number(s));
    for (int r = 1; r <= kRowsPerSet; ++r)
        m_pid->setText(0, r, tr(kRowNames[r - 1]));
    m_pid->setBackColor(kSets, kRowsPerSet, kNotUsedColor);
    m_pid->setHint(kSets, kRowsPerSet, tr("Not Used"));
    sprdPID = new GridView(m_pid, this);
    sprdPID->setObjectName(QStringLiteral("sprdPID"));
    sprdPID->setAccessibleName(QStringLiteral("PID"));
    sprdPID->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sprdPID->verticalHeader()->setMinimumWidth(36);
    sprdPID->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sprdPID->setMinimumSize(260, sprdPID->horizontalHeader()->sizeHint().height() +
                                     sprdPID->verticalHeader()->defaultSectionSize() * kRowsPerSet +
                                     2 * sprdPID->frameWidth());
    // The third set has no RP: whatever is typed there is dropped at once.
    connect(m_pid, &Grid::cellChanged, this, [this](int c, int r) {
        if (!inUse(c, r) && !m_pid->text(c, r).isEmpty()) m_pid->setText(c, r, QString());
    });

    // ARW is shown beside the sets it works with, but this group's write does not carry it:
    // read-only and greyed as a value that cannot be changed here.
    txtARW = addText("txtARW", "ARW", tr("read only"));
    txtARW->setReadOnly(true);
    txtARW->setFocusPolicy(Qt::NoFocus);
    txtARW->setAccessibleName(tr("ARW (read only)"));
    QPalette grey = txtARW->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Window));
    txtARW->setPalette(grey);
    m_fields->addWidget(sprdPID, m_fields->rowCount(), 0, 1, 3);
    finishLayout();

    txtARW->setText(shown(104));
    for (int s = 1; s <= kSets; ++s)
        for (int r = 1; r <= kRowsPerSet; ++r)
            if (inUse(s, r)) m_pid->setText(s, r, shown(pidRegister(s, r)));
    resize(340, sizeHint().height());
}

void frmKX5_P_PID::btnOK_Click() {
    ValueList v;
    for (int s = 1; s <= kSets; ++s)
        for (int r = 1; r <= kRowsPerSet; ++r)
            if (inUse(s, r)) addParam(v, pidRegister(s, r), m_pid->text(s, r));
    send(v, kStepWritePID);
}
