#include "app/Commands.h"

#include "app/StartOptions.h"
#include "files/ConfigFiles.h"
#include "files/FolderLock.h"
#include "gateway/Gateway.h"
#include "link/mdlKX5.h"
#include "monitor/frmKX5_Main.h"
#include "monitor/frmKX5_Multi.h"
#include "params/WriteSetDialog.h"
#include "params/frmKX5_Parameter.h"
#include "publish/Publisher.h"
#include "services/DataLogger.h"
#include "services/EventLog.h"
#include "settings/GatewayDialog.h"
#include "settings/PublishingDialog.h"
#include "settings/frmKX5_About.h"
#include "settings/frmKX5_SetEnv.h"
#include "settings/frmKX5_SetPort.h"
#include "settings/frmKX5_Set_DSave.h"
#include "ui/HelpGuide.h"
#include "ui/MsgBox.h"
#include "ui/ShellOpen.h"

#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

template <typename Dialog, typename... Args> bool confirmed(Args&&... args) {
    Dialog d(std::forward<Args>(args)...);
    return d.exec() == QDialog::Accepted;
}

// A document opened with the shell is nothing to confirm: no follow-up is due.
frmKX5_Main::CommandAction openFile(const QString& name) {
    return [name](QWidget*) {
        ShellOpen(programDir() + name);
        return false;
    };
}

} // namespace

void installCommands(frmKX5_Main* w, FolderLocks* locks) {
    KX5Link* link = w->link();
    w->setCommandAction(0, [link, w](QWidget* p) {
        frmKX5_SetEnv d(p);
        d.setLink(link);
        if (w->scanRequested()) QTimer::singleShot(0, &d, &frmKX5_SetEnv::btnScan_Click);
        const bool accepted = d.exec() == QDialog::Accepted;
        // Settings a scan found are saved already, whether or not the stations were.
        if (d.portSettingsTaken()) link->setPortSettings(d.portSettings());
        if (!accepted) return d.portSettingsTaken();
        link->setStations(d.stations());
        return true;
    });
    w->setCommandAction(1, [w, locks](QWidget* p) {
        DataLogger* logger = w->dataLogger();
        frmKX5_Set_DSave d(logger->settings(), p);
        if (d.exec() != QDialog::Accepted) return false;
        // The new folder is taken before anything goes there. Another program's files are never
        // appended to: saving stops first, its last line in the folder it used.
        const FileNotice busy =
            locks ? locks->lock({programDir(), d.settings().folder}) : FileNotice{};
        if (!busy.isEmpty()) logger->setRunning(false);
        w->applyDataSaveSettings(d.settings());
        if (busy.isEmpty()) return true;
        MsgBox(
            p, QCoreApplication::translate("main", "Folder in Use"),
            busy.shown + QLatin1Char('\n') +
                QCoreApplication::translate(
                    "main", "Data saving is stopped; choose another folder in Data Save Setting."),
            QMessageBox::Ok, QMessageBox::Warning);
        return true;
    });
    w->setCommandAction(2, [w, link](QWidget* p) {
        frmKX5_SetPort d(link->portSettings(), w->linkOptions(), p);
        if (d.exec() != QDialog::Accepted) return false;
        link->setPortSettings(d.settings());
        w->applyLinkOptions(d.linkOptions());
        return true;
    });
    w->setCommandAction(4, [link](QWidget* p) {
        frmKX5_Multi multi(link, &link->line(), p);
        QObject::connect(link, &KX5Link::requestEnded, &multi, &frmKX5_Multi::onRequestEnded);
        multi.exec();
        return false;
    });
    // The main window passes the link's word on how a request ended to the open map; the
    // map and its dialogs read the station from the link.
    w->setCommandAction(5, [link, w](QWidget* p) {
        frmKX5_Parameter map(link, ParamSource::of(link), p);
        w->setOpenMap(&map);
        map.writeSet = [link, &map](const ParamSet& set, const QString& path) {
            WriteSetDialog d(link, set, path, &map);
            d.exec();
        };
        map.exec();
        return false;
    });
    w->setCommandAction(6, [](QWidget* p) {
        confirmed<frmKX5_About>(p);
        return false;
    });
    // Help opens the guide at the page of the window it is called from.
    w->setCommandAction(7, [](QWidget* p) {
        openHelp(guidePage(p));
        return false;
    });
    w->setCommandAction(8, [](QWidget*) {
        openManual();
        return false;
    });
    w->setCommandAction(9, openFile(QStringLiteral("/KX5_Graph.exe")));
    w->setPublishingAction([w](QWidget* p) {
        PublishingDialog d(w->publisher()->options(), p);
        if (d.exec() != QDialog::Accepted) return false;
        w->publisher()->apply(d.options());
        return true;
    });
}

void installGateway(frmKX5_Main* w, Gateway* gateway, const GatewayOptions& saved,
                    const StartOptions& options) {
    auto* status = new QLabel(w);
    status->setObjectName(QStringLiteral("lblGateway"));
    status->hide();
    w->statusBar()->addPermanentWidget(status);
    // A gateway that cannot listen is said once on standard error too, for whoever started the
    // program from a terminal or a desktop entry's log.
    auto told = std::make_shared<QString>();
    QObject::connect(gateway, &Gateway::statusChanged, status, [gateway, status, told] {
        const QString failure = gateway->failure().logged;
        if (!failure.isEmpty() && failure != *told)
            std::fprintf(stderr, "kx5comm: Modbus TCP gateway: %s\n", qPrintable(failure));
        *told = failure;
        const QString text = gateway->statusText();
        status->setText(text);
        status->setAccessibleName(text);
        status->setToolTip(gateway->error());
        status->setVisible(!text.isEmpty());
    });
    auto* action = new QAction(QCoreApplication::translate("main", "Modbus TCP &Gateway..."), w);
    action->setObjectName(QStringLiteral("mSetGateway"));
    const GatewayWatch watch = [gateway](QObject* receiver, const std::function<void()>& changed) {
        QObject::connect(gateway, &Gateway::statusChanged, receiver, changed);
        QObject::connect(gateway, &Gateway::countersChanged, receiver, changed);
    };
    w->setGatewayCounters({[gateway]() -> const GatewayCounters* {
                               return gateway->listening() ? &gateway->counters() : nullptr;
                           },
                           watch});
    // The window edits the file's options; this run's command line does not go into the file.
    auto file = std::make_shared<GatewayOptions>(saved);
    QObject::connect(action, &QAction::triggered, w, [w, gateway, file, watch] {
        GatewayDialog d(*file, w);
        d.setCounters([gateway] { return gateway->counters(); }, watch);
        if (d.exec() != QDialog::Accepted) return;
        *file = d.saved();
        gateway->apply(*file);
    });
    // Beside Publishing, the other way out of the program.
    if (auto* setup = w->findChild<QMenu*>(QStringLiteral("mSetup"))) {
        const QList<QAction*> items = setup->actions();
        QAction* after = w->findChild<QAction*>(QStringLiteral("mSetPublish"));
        const qsizetype at = items.indexOf(after);
        setup->insertAction(at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr, action);
    }
    GatewayOptions o = saved;
    applyGatewayStartOptions(options, &o);
    gateway->apply(o);
}

QString applyStartOptions(frmKX5_Main* window, const StartOptions& options) {
    // The note goes to the main window's status bar, in the user's language; the problems go
    // to standard error, in English.
    QString problems;
    QStringList asked, done;
    // Where the data goes comes first: the panel cuts a long text at its end.
    if (options.save) {
        asked << QStringLiteral("--save");
        DataLogger* logger = window->dataLogger();
        const DataSaveSettings& settings = logger->settings();
        if (!settings.enabled) {
            problems = QStringLiteral("--save: data saving is not enabled in Data Save Setting");
            done << QCoreApplication::translate(
                "frmKX5_Main", "Data saving NOT started (not enabled in Data Save Setting)");
        } else {
            logger->setRunning(true);
            done << QCoreApplication::translate("frmKX5_Main", "Data saved to %1 every %2 %3")
                        .arg(settings.filesPattern(), QString::number(settings.interval),
                             shownDataSaveUnit(settings.unit));
        }
    }
    if (options.open) {
        window->link()->openUnattended();
        asked.prepend(QStringLiteral("--open"));
        done << QCoreApplication::translate("frmKX5_Main", "port %1 opened")
                    .arg(window->link()->portSettings().port);
    }
    if (options.graph) {
        window->setGraphAtOnline(true);
        asked.insert(options.open ? 1 : 0, QStringLiteral("--graph"));
        done << QCoreApplication::translate("frmKX5_Main", "trend graph started");
    }
    if (!asked.isEmpty())
        window->showStartNote(QCoreApplication::translate("frmKX5_Main", "%1 (started with %2)")
                                  .arg(done.join(QStringLiteral("; ")), asked.join(' ')));
    return problems;
}
