#include "ui/HelpGuide.h"

#include "files/ProgramDir.h"

#include "ui/Language.h"
#include "ui/MsgBox.h"
#include "ui/TestSeams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// Windows by object name, and the page that describes them. Dialogs opened from a window
// that has no page of its own (message boxes, pickers) find their owner's.
struct PageOf {
    const char* window;
    const char* page;
};
constexpr PageOf kPages[] = {
    {"frmKX5_Main", "main-window.html"},
    {"LineStatistics", "main-window.html"},
    {"frmKX5_About", "main-window.html"},
    {"OpenWithDialog", "main-window.html"},
    {"frmKX5_Multi", "multi-monitoring.html"},
    {"frmD_Edit", "multi-monitoring.html"},
    {"frmKX5_Parameter", "parameter-map.html"},
    {"frmKX5_P_IN", "input-group.html"},
    {"frmKX5_P_SV", "group-dialogs.html"},
    {"frmKX5_P_AT", "group-dialogs.html"},
    {"frmKX5_P_PID", "group-dialogs.html"},
    {"frmKX5_P_ALM", "group-dialogs.html"},
    {"frmKX5_AlarmCode", "group-dialogs.html"},
    {"frmKX5_P_Control", "group-dialogs.html"},
    {"frmKX5_P_OUT", "group-dialogs.html"},
    {"frmKX5_SetDT", "clock.html"},
    {"frmKX5_SetPort", "port-setting.html"},
    {"frmKX5_SetEnv", "stations.html"},
    {"ScanLineDialog", "stations.html"},
    {"frmKX5_Set_DSave", "data-save.html"},
    {"frmDSave_Folder", "data-save.html"},
    {"frmWriteSet", "parameter-map.html"},
    {"frmKX5_Graph", "graph-viewer.html"},
    {"frmPublishing", "unattended.html"},
    {"frmGateway", "gateway.html"},
};

class HelpKey : public QObject {
public:
    HelpKey(QObject* parent, std::function<void(const QString&)> open)
        : QObject(parent), m_open(std::move(open)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
        // The key reaches the window system's object first; the widget that has the focus
        // says which window it is.
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        m_open(guidePage(widget));
        return true;
    }

private:
    std::function<void(const QString&)> m_open;
};

} // namespace

QStringList guidePlaces() {
    const QString exe = QCoreApplication::applicationDirPath();
    QStringList places;
    if (const QString dir = chosenProgramDir(); !dir.isEmpty()) places << dir + "/guide";
    places << exe + "/guide" << QDir::cleanPath(exe + "/../share/kx5link/guide");
    places.removeDuplicates();
    return places;
}

QString guideDir() {
    for (const QString& dir : guidePlaces())
        if (QFileInfo::exists(dir + "/index.html")) return dir;
    return {};
}

QString guidePage(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        for (const PageOf& p : kPages)
            if (w->objectName() == QLatin1String(p.window)) return QString::fromLatin1(p.page);
    return QStringLiteral("index.html");
}

bool openWithDesktop(const QUrl& url, const std::function<void()>& failed) {
    if (const auto& seam = testSeams().openUrl) return seam(url);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt hands a file to xdg-open and calls it done; xdg-open fails only later when nothing
    // is installed for the type. Its answer is awaited here, without holding the window.
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!xdgOpen.isEmpty()) {
        auto* p = new QProcess(QCoreApplication::instance());
        p->setStandardOutputFile(QProcess::nullDevice());
        p->setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(p, &QProcess::finished, p,
                         [p, failed](int code, QProcess::ExitStatus status) {
                             if ((status != QProcess::NormalExit || code != 0) && failed) failed();
                             p->deleteLater();
                         });
        p->start(xdgOpen, {url.toString()});
        if (p->waitForStarted(5000)) return true;
        delete p;
        return false;
    }
#else
    Q_UNUSED(failed);
#endif
    return QDesktopServices::openUrl(url);
}

QString guideFile(const QString& dir, const QString& page, const QString& language) {
    // A page not translated yet is better in English than the translated contents.
    const bool translated = language != QLatin1String("en");
    QStringList tries;
    if (translated) tries << dir + "/" + language + "/" + page;
    tries << dir + "/" + page;
    if (translated) tries << dir + "/" + language + "/index.html";
    for (const QString& file : std::as_const(tries))
        if (QFileInfo::exists(file)) return file;
    return dir + "/index.html";
}

void openGuide(const QString& page) {
    const QString dir = guideDir();
    const QString file = dir.isEmpty() ? dir + "/" + page : guideFile(dir, page, languageInUse());
    const auto tell = [dir, file] {
        QStringList places;
        for (const QString& p : guidePlaces())
            places << QDir::toNativeSeparators(p);
        const QString text =
            dir.isEmpty()
                ? QCoreApplication::translate("HelpGuide",
                                              "The user guide is not installed. It was looked "
                                              "for in:\n%1\n\nBuild the program (the guide is "
                                              "built with it) or install the package to get it.")
                      .arg(places.join('\n'))
                : QCoreApplication::translate("HelpGuide",
                                              "The user guide %1 could not be opened: no web "
                                              "browser is set up for the desktop. Open that file "
                                              "in a browser.")
                      .arg(QDir::toNativeSeparators(file));
        MsgBox(QApplication::activeWindow(), QCoreApplication::translate("HelpGuide", "Help"), text,
               QMessageBox::Ok, QMessageBox::Warning);
    };
    if (!dir.isEmpty() && openWithDesktop(QUrl::fromLocalFile(file), tell)) return;
    tell();
}

QObject* installHelpKey(QObject* application, const std::function<void(const QString&)>& open) {
    auto* filter = new HelpKey(application, open);
    application->installEventFilter(filter);
    return filter;
}
