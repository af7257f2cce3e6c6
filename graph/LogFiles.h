// Where the program's data files are: the folder and base name of CFG/SaveData.INI in a
// program folder, so the viewer started by the "Graph Viewer" command opens the current logs.
#pragma once

#include <QString>
#include <QStringList>

// <folder>/<name>_NN.DAT of the data-save settings under programFolder (the folder defaults to
// the program folder, the name to "KX5"), sorted by station. Names that are not UTF-8 are
// listed too, their bytes as U+FFFD, and a folder whose name is not is itself the list: opening
// them says why they cannot be used.
QStringList dataFilesOf(const QString& programFolder);
// The station number of "<name>_NN.DAT" ("03"), or "" when the name has none.
QString stationOf(const QString& path);
// The description typed for the station of "<name>_NN.DAT" in the settings beside it:
// CFG/SetEnv.INI of programFolder (when given), of the file's folder, or of the folder above it
// (a data folder inside the program folder); "" when none of them has one.
QString stationDescription(const QString& path, const QString& programFolder = {});
