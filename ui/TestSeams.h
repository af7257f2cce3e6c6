// The outside world of the windows in one place: message boxes, the
// desktop, the PC clock and the drive list. An empty member means the real thing; tests fill
// in what they fake and call resetTestSeams() when done.
#pragma once

#include <QDateTime>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

using MsgBoxHandler = std::function<QMessageBox::StandardButton(
    const QString& title, const QString& text, QMessageBox::StandardButtons buttons)>;

struct TestSeams {
    // Answers message boxes instead of showing them.
    MsgBoxHandler msgBox;
    // Opens a document or address with the desktop's registered program.
    std::function<bool(const QUrl& url)> openUrl;
    // Asks the user for a program to open file with; empty when the user cancels.
    std::function<QString(const QString& file)> chooseProgram;
    // Starts program detached with the arguments in the working directory.
    std::function<bool(const QString& program, const QStringList& args, const QString& workDir)>
        startDetached;
    // The PC clock the clock window reads.
    std::function<QDateTime()> clock;
    // The root folders the folder picker offers as drives.
    std::function<QStringList()> driveRoots;
};

TestSeams& testSeams();
void resetTestSeams();
