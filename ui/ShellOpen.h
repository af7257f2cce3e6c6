// Opens companion documents and programs the way the desktop does: the registered program
// first, and when that fails, a choice of program by the user.
#pragma once

#include <QString>

// Opens path with its registered program; a program file is started with the program folder
// as its working directory. When the file is missing or nothing can open it, the user picks a
// program (told which file was asked for, where, and whether it exists), which is started with
// the file as argument. Never reports failure to the caller. The desktop calls behind it are
// testSeams().openUrl, chooseProgram and startDetached.
void ShellOpen(const QString& path, const QString& verb = QStringLiteral("OPEN"));

// "Help": the help file Help/KX5.chm of the program folder when it is there, else our own
// guide at page (see ui/HelpGuide.h).
void openHelp(const QString& page);
// "KX5 Manual": KX5.pdf of the program folder when it is there; else a message says where to
// put the controller's manual, instead of offering programs for a file that does not exist.
void openManual();
