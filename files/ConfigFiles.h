// The three settings files: Comm.CFG beside the program, CFG/SetEnv.INI and CFG/SaveData.INI.
// Plain text, one value per line, CR LF; each is a table of files/OptionTable, read, checked and
// written by the same code as the "key=value" files. Writers replace a file atomically, so a
// failed write leaves the previous file as it was.
#pragma once

#include "files/DataSaveSettings.h"
#include "files/FileChecks.h"
#include "files/ProgramDir.h"
#include "files/TextLines.h"
#include "link/PortSettings.h"
#include "link/StationList.h"

#include <QFileDevice>
#include <QString>
#include <QStringList>

// The program folder to use when none is given: exeDir when it can be written, else userDir
// (an installed program under /usr), created when missing and given links to the companion
// programs and documents of exeDir, so the Help commands find them there. *usedUser says which
// was chosen, *created that userDir was made just now (the moment to tell the user once).
QString chooseProgramDir(const QString& exeDir, const QString& userDir, bool* usedUser,
                         bool* created);
// Links in programFolder to the companions the Help commands open (the graph viewer, the
// manual, the help folder) that exeDir holds and programFolder lacks; the number made.
int linkCompanions(const QString& exeDir, const QString& programFolder);
// <the user's data folder>/kx5comm, e.g. ~/.local/share/kx5comm.
QString userProgramDir();
QString commCfgPath();  // <program>/Comm.CFG
QString cfgDir();       // <program>/CFG
QString setEnvPath();   // <program>/CFG/SetEnv.INI
QString saveDataPath(); // <program>/CFG/SaveData.INI

// Writes the lines, each ended by CR LF, through a temporary file renamed over the old one.
// On failure *error names the file and the cause, and the old file is untouched. Only a
// regular file is replaced: a folder, FIFO or device in its place is an error. Permissions,
// when given, are the new file's from its first byte.
bool writeLinesAtomic(const QString& path, const QStringList& lines, QString* error,
                      QFileDevice::Permissions permissions = {});
// The same, *error in English for a log and in the user's language for a window.
bool writeLinesAtomic(const QString& path, const QStringList& lines, FileNotice* error,
                      QFileDevice::Permissions permissions = {});
inline bool writeLinesAtomic(const QString& path, const QStringList& lines, std::nullptr_t,
                             QFileDevice::Permissions permissions = {}) {
    return writeLinesAtomic(path, lines, static_cast<FileNotice*>(nullptr), permissions);
}

// The port settings Comm.CFG holds; built-in defaults when it cannot be read or is short
// (*read says which). A file that is there but cannot be used (short, too large, not text, a
// folder or FIFO, unreadable) is said in *notes.
PortSettings LoadCommCfg(QList<FileNotice>* notes = nullptr, bool* read = nullptr);
bool SaveCommCfg(const PortSettings& cfg, QString* error);

// Creates the CFG folder when missing and reads SaveData.INI; the defaults ("No", 1, "분", the
// program folder, "KX5") when it cannot be read. As LoadCommCfg; an interval outside 1 to 60 is
// brought within it and said in *notes.
DataSaveSettings LoadSaveDataCfg(QList<FileNotice>* notes = nullptr);
// The five lines of SaveData.INI as the window's boxes hold them (the interval as typed).
bool saveSaveData(const QStringList& lines, QString* error);

// The stations in use as SetEnv.INI lists them. A missing file gives one station, MC No 1; one
// that cannot be used too, said in *notes.
StationList LoadStations(QList<FileNotice>* notes = nullptr);
// SetEnv.INI's lines as they stand, at most 99; false when it is missing, or cannot be used
// (said in *notes).
bool readSetEnv(QStringList* lines, QList<FileNotice>* notes = nullptr);
// The stations of SetEnv lines ("O"/"X", TAB, description): line k marked exactly "O" is
// station k. Used for the file at start and for the stations window's rows on OK.
StationList buildStations(const QStringList& lines);
// The 99 lines of SetEnv.INI: "O" or "X", TAB, description.
bool saveSetEnv(const QStringList& lines, QString* error);
