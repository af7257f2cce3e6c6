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
