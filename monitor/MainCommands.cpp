#include "monitor/MainCommands.h"

#include "ui/Language.h"

#include <QAction>
#include <QGridLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

namespace {

const char* const kButtonCaption[MainCommands::kCommands] = {
    QT_TRANSLATE_NOOP("MainCommands", "Use MC Setting"),
    QT_TRANSLATE_NOOP("MainCommands", "Data Save Setting"),
    QT_TRANSLATE_NOOP("MainCommands", "Port Setting"),
    QT_TRANSLATE_NOOP("MainCommands", "Port Open"),
    QT_TRANSLATE_NOOP("MainCommands", "Multi-Monitoring"),
    QT_TRANSLATE_NOOP("MainCommands", "Parameter Setting"),
    QT_TRANSLATE_NOOP("MainCommands", "About"),
    QT_TRANSLATE_NOOP("MainCommands", "Help"),
    QT_TRANSLATE_NOOP("MainCommands", "KX5 Manual"),
    QT_TRANSLATE_NOOP("MainCommands", "Graph Viewer")};

} // namespace

QString MainCommands::caption(int index) {
    return index >= 0 && index < kCommands ? tr(kButtonCaption[index]) : QString();
}

QAction* MainCommands::makeAction(int index, const char* name, const char* caption) {
    auto* a = new QAction(tr(caption), m_window);
    a->setObjectName(QString::fromLatin1(name));
    if (index >= 0) {
        m_menuAction[static_cast<size_t>(index)] = a;
        connect(a, &QAction::triggered, this, [this, index] { emit commandTriggered(index); });
    }
    return a;
}

void MainCommands::separator(QMenu* menu, const char* name) {
    QAction* s = menu->addSeparator();
    s->setObjectName(QString::fromLatin1(name));
    s->setParent(m_window);
}

MainCommands::MainCommands(QMainWindow* window) : QObject(window), m_window(window) {
    // Every command of the buttons, with the separators between the groups.
    QMenu* setup = window->menuBar()->addMenu(tr("&Setup"));
    setup->setObjectName(QStringLiteral("mSetup"));
    setup->addAction(makeAction(0, "mSetMulti", QT_TR_NOOP("Use &MC Setting")));
    m_scanAction = makeAction(-1, "mSetScan", QT_TR_NOOP("&Scan Line..."));
    connect(m_scanAction, &QAction::triggered, this, &MainCommands::scanTriggered);
    setup->addAction(m_scanAction);
    setup->addAction(makeAction(1, "mSetDSave", QT_TR_NOOP("&Data Save Setting")));
    setup->addAction(makeAction(2, "mSetPort", QT_TR_NOOP("&Port Setting")));
    QAction* publish = makeAction(-1, "mSetPublish", QT_TR_NOOP("P&ublishing..."));
    connect(publish, &QAction::triggered, this, &MainCommands::publishingTriggered);
    setup->addAction(publish);
    separator(setup, "mSetLine1");
    setup->addAction(makeAction(3, "mSetPortOpen", QT_TR_NOOP("Port &Open")));
    m_menuAction[3]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    separator(setup, "mSetLine2");
    QAction* quit = makeAction(-1, "mSetExit", QT_TR_NOOP("Program &Quit"));
    quit->setShortcut(QKeySequence::Quit);
    // Not every desktop's key theme has a quit key; Ctrl+Q is what users expect here.
    if (quit->shortcut().isEmpty()) quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, window, &QWidget::close);
    setup->addAction(quit);

    m_online = window->menuBar()->addMenu(tr("&Online"));
    m_online->setObjectName(QStringLiteral("mOnline"));
    m_online->addAction(makeAction(4, "mOnlineMonitoring", QT_TR_NOOP("&Multi-Monitoring")));
    m_online->addAction(makeAction(5, "mOnlinePrmt", QT_TR_NOOP("&Parameter Setting")));
    separator(m_online, "mOnlineLine1");
    // The data-save and graph switches are buttons in the window; these menu entries give
    // them a key and a place in the menu, and say what a press would do now.
    m_saveAction = new QAction(window);
    m_saveAction->setObjectName(QStringLiteral("mOnlineSave"));
    m_saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_online->addAction(m_saveAction);
    m_graphAction = new QAction(window);
    m_graphAction->setObjectName(QStringLiteral("mOnlineGraph"));
    m_graphAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    m_online->addAction(m_graphAction);
    separator(m_online, "mOnlineLine2");
    QAction* stats = makeAction(-1, "mOnlineStats", QT_TR_NOOP("Line &Statistics"));
    connect(stats, &QAction::triggered, this, &MainCommands::statisticsTriggered);
    m_online->addAction(stats);
    QAction* alarms = makeAction(-1, "mOnlineAlarms", QT_TR_NOOP("&Alarms..."));
    connect(alarms, &QAction::triggered, this, &MainCommands::alarmsTriggered);
    m_online->addAction(alarms);
    QAction* trends =
        makeAction(-1, "mOnlineMultiTrend", QT_TR_NOOP("&Trend of Several Stations..."));
    connect(trends, &QAction::triggered, this, &MainCommands::multiTrendTriggered);
    m_online->addAction(trends);

    QMenu* help = window->menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mHelp"));
    help->addAction(makeAction(6, "mHelpAbout", QT_TR_NOOP("&About")));
    separator(help, "mHelpLine1");
    help->addAction(makeAction(7, "mHelpHelp", QT_TR_NOOP("&Help")));
    m_menuAction[7]->setShortcut(QKeySequence::HelpContents);
    help->addAction(makeAction(8, "mHelpManual", QT_TR_NOOP("KX5 &Manual")));
    help->addAction(makeAction(9, "mHelpGView", QT_TR_NOOP("&Graph Viewer")));
    separator(help, "mHelpLine2");
    addLanguageMenu(help);
}

QWidget* MainCommands::buildCommandBar() {
    auto* w = new QWidget;
    auto* lay = new QGridLayout(w);
    lay->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kCommands; ++i) {
        auto* b = new QPushButton(caption(i));
        b->setObjectName(QStringLiteral("btnMenu_%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { emit commandTriggered(i); });
        m_btnMenu[static_cast<size_t>(i)] = b;
        lay->addWidget(b, i / 5, i % 5);
    }
    return w;
}

void MainCommands::setEnabled(int index, bool on) {
    m_btnMenu[static_cast<size_t>(index)]->setEnabled(on);
    m_menuAction[static_cast<size_t>(index)]->setEnabled(on);
    if (index == 0) m_scanAction->setEnabled(on);
}

void MainCommands::showPortCaptions(const QString& menu, const QString& button) {
    m_menuAction[3]->setText(menu);
    m_btnMenu[3]->setText(button);
}

void MainCommands::offerScan(const QString& settings, int retryMs) {
    if (retryMs > 0 || m_window->findChild<QMessageBox*>(QStringLiteral("msgNobodyAnswered")))
        return;
    auto* box = new QMessageBox(
        QMessageBox::Question, m_window->windowTitle(),
        tr("No station answered at %1.\nCheck that the controllers are on and wired, and that "
           "they use these settings.\n\nScan the line for the stations and their settings?")
            .arg(settings),
        QMessageBox::Yes | QMessageBox::No, m_window);
    box->setObjectName(QStringLiteral("msgNobodyAnswered"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this](int answer) {
        if (answer == QMessageBox::Yes && m_scanAction->isEnabled()) m_scanAction->trigger();
    });
    box->open();
}
