#include "monitor/StationPanel.h"

#include "files/DataSaveSettings.h"
#include "link/KX5Link.h"
#include "monitor/StationTableModel.h"
#include "ui/ElidedLabel.h"
#include "ui/TableSizing.h"
#include "ui/ViewKeys.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLabel* named(QLabel* l, const char* name) {
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

constexpr int kShownRows = 2; // the station table shows at least this many rows; it scrolls

} // namespace

StationPanel::StationPanel(KX5Link* link, QWidget* parent) : QWidget(parent) {
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    m_viewStatus = new QTableView;
    auto* model = new StationTableModel(&link->line(), m_viewStatus);
    m_model = model;
    m_line = &link->line();
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
    for (int c = 0; c < StationTableModel::Name; ++c)
        widest << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    m_colWidth = textWidth(m_viewStatus, widest);
    m_viewStatus->horizontalHeader()->setMinimumSectionSize(m_colWidth);
    m_viewStatus->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    m_viewStatus->setMinimumHeight(tableHeight(m_viewStatus, kShownRows));
    lay->addWidget(m_viewStatus, 1);
    connect(model, &QAbstractItemModel::modelReset, this, &StationPanel::showNames);

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
    editLay->addWidget(m_lblMC_No);
    m_lblMC_Name = new ElidedLabel;
    m_lblMC_Name->setObjectName(QStringLiteral("lblMC_Name"));
    m_lblMC_Name->setAccessibleName(tr("Selected station's description"));
    editLay->addWidget(m_lblMC_Name, 1);
    lay->addWidget(edit);
    showNames();

    auto* save = new QGroupBox(tr("Data Save"));
    save->setObjectName(QStringLiteral("fraDataSave"));
    auto* saveLay = new QGridLayout(save);
    m_lblDSave_Enable = named(new QLabel, "lblDSave_Enable");
    m_lblDSave_Intv = named(new QLabel, "lblDSave_Intv");
    m_lblDSave_Unit = named(new QLabel, "lblDSave_Unit");
    m_lblDSave_Enable->setAccessibleName(tr("Data Save"));
    m_lblDSave_Intv->setAccessibleName(tr("Data Save Interval"));
    m_lblDSave_Unit->setAccessibleName(tr("Data Save Interval Unit"));
    // One row of settings and the button: the column stays short on a small screen.
    saveLay->addWidget(new QLabel(tr("Save")), 0, 0);
    saveLay->addWidget(m_lblDSave_Enable, 0, 1);
    saveLay->addWidget(new QLabel(tr("Interval")), 0, 2);
    saveLay->addWidget(m_lblDSave_Intv, 0, 3);
    saveLay->addWidget(m_lblDSave_Unit, 0, 4);
    saveLay->setColumnStretch(1, 1);
    saveLay->setColumnStretch(4, 1);
    m_btnDSave_Start = new QPushButton(tr("Start Sa&ve")); // DataSaveSwitch works it
    m_btnDSave_Start->setObjectName(QStringLiteral("btnDSave_Start"));
    saveLay->addWidget(m_btnDSave_Start, 1, 0, 1, 5);
    lay->addWidget(save);
}

void StationPanel::showSelectedMcNo(const QString& mcNo) {
    m_lblMC_No->setText(mcNo);
    const LineModel::Station* s = m_line->station(mcNo.toInt());
    const QString name = s ? s->name.trimmed() : QString();
    m_lblMC_Name->setText(name);
    m_lblMC_Name->setToolTip(name);
}

void StationPanel::showNames() {
    // The descriptions get a column once some station has one; a long one is cut at a
    // sensible width and shown whole in the row's tooltip.
    const bool named = m_model->anyNamed();
    m_viewStatus->setColumnHidden(StationTableModel::Name, !named);
    int nameWidth = 0;
    if (named) {
        QStringList names = {
            m_model->headerData(StationTableModel::Name, Qt::Horizontal, Qt::DisplayRole)
                .toString()};
        for (int k = 0; k < m_line->count(); ++k)
            names << m_line->at(k)->name.trimmed();
        nameWidth = std::min(textWidth(m_viewStatus, names), 3 * m_colWidth / 2);
    }
    // The description is a column to scroll to on a narrow screen; the others always show.
    const int numbers = 3 * m_colWidth + textWidth(m_viewStatus, {QStringLiteral("99")}) +
                        m_viewStatus->verticalScrollBar()->sizeHint().width() +
                        2 * m_viewStatus->frameWidth();
    m_viewStatus->setMinimumWidth(numbers);
    m_wanted = numbers + nameWidth;
    updateGeometry();
    if (m_lblMC_No) showSelectedMcNo(m_lblMC_No->text());
}

QSize StationPanel::sizeHint() const {
    return QWidget::sizeHint().expandedTo({m_wanted, 0});
}

void StationPanel::showDataSaveSettings(const DataSaveSettings& settings) {
    m_lblDSave_Enable->setText(settings.enabled ? tr("Yes") : tr("No"));
    m_lblDSave_Intv->setText(QString::number(settings.interval));
    m_lblDSave_Unit->setText(shownDataSaveUnit(settings.unit));
    m_btnDSave_Start->setEnabled(settings.enabled);
}
