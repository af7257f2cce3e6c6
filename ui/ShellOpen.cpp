#include "ui/ShellOpen.h"

#include "files/ProgramDir.h"
#include "ui/HelpGuide.h"
#include "ui/MsgBox.h"
#include "ui/OpenWithDialog.h"
#include "ui/TestSeams.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

QString chooseProgram(const QString& file) {
    if (const auto& seam = testSeams().chooseProgram) return seam(file);
    OpenWithDialog d(file, QApplication::activeWindow());
    return d.exec() == QDialog::Accepted ? d.program() : QString();
}

bool startDetached(const QString& program, const QStringList& args, const QString& workDir) {
    const auto& seam = testSeams().startDetached;
    return seam ? seam(program, args, workDir) : QProcess::startDetached(program, args, workDir);
}

// Only the graph viewer, a program we ship, is ever started. Anything else is a document and
// goes to the desktop's handler for its type, even with the execute bit set (usual for files
// copied from a FAT stick, and a way to run a planted script named like a manual).
bool isProgram(const QFileInfo& f) {
    if (f.completeBaseName() != QLatin1String("KX5_Graph") || f.isDir()) return false;
#ifdef Q_OS_WIN
    return f.suffix().compare(QLatin1String("exe"), Qt::CaseInsensitive) == 0;
#else
    return f.isExecutable();
#endif
}

// The companion programs are named for Windows; elsewhere the same program has no ".exe", and
// that is also the name a missing program is reported under.
QString platformPath(const QString& path) {
#ifndef Q_OS_WIN
    if (path.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive) && !QFileInfo::exists(path))
        return path.left(path.size() - 4);
#endif
    return path;
}

// The user picks a program for the file, as the desktop's "open with" does.
void openWith(const QString& file) {
    const QString program = chooseProgram(file);
    if (program.isEmpty()) return;
    if (!startDetached(program, {file}, programDir()))
        MsgBox(QApplication::activeWindow(),
               QCoreApplication::translate("OpenWithDialog", "Open With"),
               QCoreApplication::translate("OpenWithDialog", "Cannot start %1 to open %2.")
                   .arg(QDir::toNativeSeparators(program), QDir::toNativeSeparators(file)),
               QMessageBox::Ok, QMessageBox::Warning);
}

} // namespace

void ShellOpen(const QString& path, const QString& verb) {
    // The desktop has one verb for what the Help commands do; any verb given opens.
    Q_UNUSED(verb);
    const QString file = platformPath(path);
    const QFileInfo info(file);
    bool opened = false;
    // The desktop's program failing later (none installed for the type) offers the choice too.
    if (info.exists()) {
        opened = isProgram(info) ? startDetached(info.absoluteFilePath(), {}, programDir())
                                 : openWithDesktop(QUrl::fromLocalFile(info.absoluteFilePath()),
                                                   [file] { openWith(file); });
    }
    if (!opened) openWith(file);
}

void openHelp(const QString& page) {
    const QString chm = programDir() + QStringLiteral("/Help/KX5.chm");
    if (QFileInfo::exists(chm))
        ShellOpen(chm);
    else
        openGuide(page);
}

void openManual() {
    const QString pdf = programDir() + QStringLiteral("/KX5.pdf");
    if (QFileInfo::exists(pdf)) {
        ShellOpen(pdf);
        return;
    }
    MsgBox(QApplication::activeWindow(), QCoreApplication::translate("ShellOpen", "KX5 Manual"),
           QCoreApplication::translate("ShellOpen",
                                       "The controller's manual is not here. Save the KX5 manual "
                                       "from the controller's maker as\n%1\nand choose \"KX5 "
                                       "Manual\" again.")
               .arg(QDir::toNativeSeparators(pdf)),
           QMessageBox::Ok, QMessageBox::Information);
}
