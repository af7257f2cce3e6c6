// The program folder, where the settings files, traces and (by default) the data live. Set
// once at start (--dir, or the folder chosen beside the program or for the user); tests and
// the benchmarks set one of their own.
#pragma once

#include <QString>

// The folder set, or the executable's folder while none is.
QString programDir();
// An empty dir goes back to the executable's folder.
void setProgramDir(const QString& dir);
// The folder set, or "" while none is.
QString chosenProgramDir();
