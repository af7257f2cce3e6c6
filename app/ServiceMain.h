// The start that the window program and the service program share, and the service's whole
// run: kx5service, and kx5comm --headless, which hands over to the same run.
#pragma once

#include "files/FileChecks.h"

#include <QString>

class FolderLocks;
class LineServices;
class QObject;
struct StartOptions;

// A write to a reader that has gone, or past a file-size limit, fails like a full disk does
// instead of ending the program with the folders locked and a record half written.
void ignoreWriteSignals();
// The help or version text, or a bad command line, printed without a window system: the exit
// status, or -1 when the arguments ask for the program itself.
int printStartText(const StartOptions& options);
// The program folder from --dir, or the one chosen beside the program or for the user; false
// (said on standard error) when --dir cannot be used. *created: the user's one was made now.
bool setUpProgramDir(const StartOptions& options, bool* created);
// The program folder and the data folder are this program's alone; when another one holds
// either, the reason goes to standard error and is returned.
FileNotice lockFolders(FolderLocks* locks, const QString& dataFolder);
// A held folder that is removed and made again gets its lock back within seconds; when another
// program took it meanwhile, the events say so and data saving stops, as it does for a folder
// chosen while another program holds it: two programs never write the same files.
void keepLocks(QObject* owner, FolderLocks* locks, LineServices* line);
// The run without windows on a QCoreApplication named `name`, until SIGTERM, SIGINT or SIGHUP
// or a port given up; its exit status.
int runService(int argc, char** argv, const char* name);
