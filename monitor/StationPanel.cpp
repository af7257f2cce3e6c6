#include "monitor/StationPanel.h"

#include "link/KX5Link.h"
#include "monitor/StationTableModel.h"
#include "settings/DataSaveSettings.h"
#include "ui/TableSizing.h"
#include "ui/ViewKeys.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* named(QLabel* l, const char* name) {
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

constexpr int kShownRows = 5; // the station table shows at least this many rows

} // namespace

StationPanel::StationPanel(KX5Link* link, QWidget* parent) : QWidget(parent) {
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    m_viewStatus = new QTableView;
    auto* model = new StationTableModel(&link->line(), m_viewStatus);
    m_viewStatus->setModel(model);
    m_viewStatus->setObjectName(QStringLiteral("sprdStatus"));
    m_viewStatus->setAccessibleName(tr("Stations"));
    useNumberFont(m_viewStatus);
    m_viewStatus->setEditTriggers(QAbstractItemView::NoEditTriggers);
    keyboardLikeMouse(m_viewStatus);
    m_viewStatus->verticalHeader()->setDefaultSectionSize(
        qMax(kTableRowHeight, m_viewStatus->verticalHeader()->minimumSectionSize()));
    m_viewStatus->horizontalHeader()->setHighlightSections(false);
    connect(m_viewStatus, &QTableView::clicked, this,
            [this](const QModelIndex& i) { emit stationClicked(i.row()); });
    // Every column shows, the longest model name included; more width goes to the columns.
    QStringList widest = {QStringLiteral("KX5-105-00")};
    for (int c = 0; c < StationTableModel::Count; ++c)
        widest << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    const int colWidth = textWidth(m_viewStatus, widest);
    m_viewStatus->horizontalHeader()->setMinimumSectionSize(colWidth);
    m_viewStatus->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_viewStatus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_viewStatus->setMinimumWidth(3 * colWidth + textWidth(m_viewStatus, {QStringLiteral("99")}) +
                                  m_viewStatus->verticalScrollBar()->sizeHint().width() +
                                  2 * m_viewStatus->frameWidth());
    m_viewStatus->setMinimumHeight(tableHeight(m_viewStatus, kShownRows));
    lay->addWidget(m_viewStatus, 1);

    auto* edit = new QGroupBox(tr("Edit MC"));
    edit->setObjectName(QStringLiteral("fraEditMC"));
    auto* editLay = new QHBoxLayout(edit);
    auto* mcCaption = new QLabel(tr("MC No"));
    editLay->addWidget(mcCaption);
    m_lblMC_No = named(new QLabel, "lblMC_No");
    m_lblMC_No->setFrameShape(QFrame::Panel);
    m_lblMC_No->setFrameShadow(QFrame::Sunken);
    m_lblMC_No->setMinimumWidth(50);
    mcCaption->setBuddy(m_lblMC_No);
    m_lblMC_No->setAccessibleName(tr("Selected MC No"));
    editLay->addWidget(m_lblMC_No, 1);
    lay->addWidget(edit);

    auto* save = new QGroupBox(tr("Data Save"));
    save->setObjectName(QStringLiteral("fraDataSave"));
    auto* saveLay = new QGridLayout(save);
    m_lblDSave_Enable = named(new QLabel, "lblDSave_Enable");
    m_lblDSave_Intv = named(new QLabel, "lblDSave_Intv");
    m_lblDSave_Unit = named(new QLabel, "lblDSave_Unit");
    m_lblDSave_Enable->setAccessibleName(tr("Data Save"));
    m_lblDSave_Intv->setAccessibleName(tr("Data Save Interval"));
    m_lblDSave_Unit->setAccessibleName(tr("Data Save Interval Unit"));
    saveLay->addWidget(new QLabel(tr("Save")), 0, 0);
    saveLay->addWidget(m_lblDSave_Enable, 0, 1, 1, 2);
    saveLay->addWidget(new QLabel(tr("Interval")), 1, 0);
    saveLay->addWidget(m_lblDSave_Intv, 1, 1);
    saveLay->addWidget(m_lblDSave_Unit, 1, 2);
    m_btnDSave_Start = new QPushButton(tr("Start &Save")); // DataSaveSwitch works it
    m_btnDSave_Start->setObjectName(QStringLiteral("btnDSave_Start"));
    saveLay->addWidget(m_btnDSave_Start, 2, 0, 1, 3);
    lay->addWidget(save);
}

void StationPanel::showSelectedMcNo(const QString& mcNo) {
    m_lblMC_No->setText(mcNo);
}

void StationPanel::showDataSaveSettings(const DataSaveSettings& settings) {
    m_lblDSave_Enable->setText(settings.enabled ? tr("Yes") : tr("No"));
    m_lblDSave_Intv->setText(QString::number(settings.interval));
    m_lblDSave_Unit->setText(shownDataSaveUnit(settings.unit));
    m_btnDSave_Start->setEnabled(settings.enabled);
}
