// The commands of qtm418ctl, each given its checked arguments; each returns its exit status.
#pragma once

#include "arguments.h"
#include "console.h"

namespace ctl {

// Reading the remote.
int infoCommand(const Arguments& args, const Console& console);
int keysCommand(const Arguments& args, const Console& console);
int checkCommand(const Arguments& args, const Console& console);

// Emptying keys.
int deleteCommand(const Arguments& args, const Console& console);
int clearCommand(const Arguments& args, const Console& console);

// Learning from a file, and what keys send written to one.
int learnCommand(const Arguments& args, const Console& console);
int learnAllCommand(const Arguments& args, const Console& console);
int exportCommand(const Arguments& args, const Console& console);

// The whole memory kept in a file and put back; the layout repaired.
int backupCommand(const Arguments& args, const Console& console);
int restoreCommand(const Arguments& args, const Console& console);
int repairCommand(const Arguments& args, const Console& console);

// The library of code files: its folders and the search over them.
int libraryCommand(const Arguments& args, const Console& console);
// library download [NAME|URL]: a collection of code files fetched into the user's own code folder.
int libraryDownload(const Arguments& args, const Console& console);
// A side set up by the device's maker, trying the library's code sets on it.
int findCommand(const Arguments& args, const Console& console);

} // namespace ctl
