// Opens companion documents and programs the way the desktop does: the registered program
// first, and when that fails, a choice of program by the user.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

// Opens path with its registered program; a program file is started with the program folder
// as its working directory. When the file is missing or nothing can open it, the user picks a
// program, which is started with the file as argument. Never reports failure to the caller.
void ShellOpen(const QString& path, const QString& verb = QStringLiteral("OPEN"));

// Opens an address in the browser; no fallback, the result is not checked.
void OpenHomePage(const QString& address);

// The graph viewer beside the program: KX5_Graph.exe on Windows, KX5_Graph elsewhere.
QString graphViewerPath();

// The desktop calls behind ShellOpen, replaceable so tests launch nothing. An empty member
// keeps the real call.
struct ShellHooks {
    // Opens a document or address with the desktop's registered program.
    std::function<bool(const QUrl& url)> openUrl;
    // Asks the user for a program to open file with; empty when the user cancels.
    std::function<QString(const QString& file)> chooseProgram;
    // Starts program detached with the arguments in the working directory.
    std::function<bool(const QString& program, const QStringList& args, const QString& workDir)>
        startDetached;
};
void setShellHooks(ShellHooks hooks);
